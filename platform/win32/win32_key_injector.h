#pragma once
// Keystrokes in SendKeys notation, injected with one SendInput call per send.

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/key_injection.h"
#include "platform/send_keys_notation.h"

namespace quorvel {

class Win32KeyboardHook;

class Win32KeyInjector final : public KeyInjector {
public:
    // `pumpOnce` lets the window thread's messages run while a send waits, since
    // the hook that must see the keys is called on that thread.
    Win32KeyInjector(Win32KeyboardHook& hook, std::function<void()> pumpOnce);

    SendOutcome SendKeys(std::string_view notation, Wait wait) override;
    bool focusedWindowAcceptsInput() override;

    // The inputs a send would inject, for the layout given.
    static std::vector<INPUT> buildInputs(const std::vector<KeyStroke>& strokes, HKL layout,
                                          const std::vector<WORD>& heldModifiers);

private:
    void waitUntilTaken(HWND target, std::uint64_t ownEventsBefore, std::size_t count);

    Win32KeyboardHook& hook_;
    std::function<void()> pumpOnce_;
};

}  // namespace quorvel
