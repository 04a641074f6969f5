#pragma once
// Simulated keystrokes in SendKeys notation.

#include <string_view>

namespace quorvel {

enum class Wait { No, Yes };

enum class SendOutcome {
    AllSent,   // every keystroke went in
    Rejected,  // the text breaks the notation; nothing was sent
    Blocked,   // the platform took none or only part of the keystrokes
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
};

}  // namespace quorvel
