#pragma once
// Simulated keystrokes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/key_strokes.h"

namespace quorvel {

enum class Wait { No, Yes };

enum class SendOutcome {
    AllSent,  // every keystroke went in
    Blocked,  // the platform took none or only part of the keystrokes
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
    // Types the strokes into the focused window, marked as injected. Modifier
    // keys the user still holds (Ctrl of a Ctrl+F9 trigger) are released first,
    // so they do not change the typed text. With Wait::Yes returns only after the
    // target has taken the keys.
    virtual SendOutcome typeKeys(std::span<const KeyStroke> strokes, Wait wait) = 0;
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
