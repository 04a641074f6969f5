#pragma once
// Simulated keystrokes.

#include <cstddef>
#include <cstdint>
#include <functional>
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
    // Types the strokes into the focused window, marked as injected, and returns
    // once the platform has them. Modifier keys the user still holds (Ctrl of a
    // Ctrl+F9 trigger) are released first, so they do not change the typed text.
    // With Wait::Yes the keys have arrived (see whenKeysArrive) only once the
    // target has taken them, not once the hook has seen them.
    virtual SendOutcome typeKeys(std::span<const KeyStroke> strokes, Wait wait) = 0;
    // Whether the focused window can take injected keys at all (an elevated
    // window cannot). The engine never swallows a key for a text it cannot deliver.
    virtual bool focusedWindowAcceptsInput() { return true; }
    // Injects held key events again, in order, marked with ReplayMarker (foreign
    // ones with ForeignReplayMarker). Returns how many the platform took.
    virtual std::size_t replayKeys(std::span<const HeldKey> keys) = 0;
    // Runs `then` from the event loop once every key injected so far, typed or
    // replayed, has come through the hook (and was taken, where typeKeys was
    // asked to wait), or once none has come for two seconds. The hook runs on
    // the window thread: nothing can arrive while the caller waits inside an
    // event, so this never blocks.
    virtual void whenKeysArrive(std::function<void()> then) = 0;
};

}  // namespace quorvel
