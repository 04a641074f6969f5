#pragma once
// Simulated keystrokes in SendKeys notation.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel {

enum class Wait { No, Yes };

// A virtual-key code no key is assigned to and no program acts on. Pressed and
// released while Alt or a Windows key is down, it keeps that key's release from
// being a lone tap, which would open the target's menu bar or the Start menu.
inline constexpr std::uint16_t UnassignedKey = 0xE8;

enum class SendOutcome {
    AllSent,   // every keystroke went in
    Rejected,  // the text breaks the notation; nothing was sent
    Blocked,   // the platform took none or only part of the keystrokes
};

// A key event held back while a send was on its way, to be injected again after it.
struct HeldKey {
    std::uint16_t virtualKey = 0;
    std::uint16_t scanCode = 0;
    bool extended = false;
    bool released = false;
    bool foreign = false;  // injected by another program
};

class KeyInjector {
  public:
    virtual ~KeyInjector() = default;
    // Injects the keystrokes of `notation` into the focused window, marked as
    // injected. Modifier keys the user still holds (Ctrl of a Ctrl+F9 trigger)
    // are released first, so they do not change the typed text. With Wait::Yes
    // returns only after the target has taken the keys.
    virtual SendOutcome SendKeys(std::string_view notation, Wait wait) = 0;
    // Whether the focused window can take injected keys at all (an elevated
    // window cannot). The engine never swallows a key for a text it cannot deliver.
    virtual bool focusedWindowAcceptsInput() { return true; }
    // Injects held key events again, in order, marked with ReplayMarker (foreign
    // ones with ForeignReplayMarker), and returns once the hook has seen each one
    // taken. Returns how many the platform took.
    virtual std::size_t replayKeys(std::span<const HeldKey> keys) = 0;
    // Returns once every key injected so far has come through the hook.
    virtual void waitForOwnKeys() {}
};

}  // namespace quorvel
