#pragma once
// Key strokes, injected with one SendInput call per send.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/key_injection.h"

namespace quorvel {

class Win32KeyboardHook;

class Win32KeyInjector final : public KeyInjector {
  public:
    // `pumpOnce` lets the window thread's messages run while a send waits, since
    // the hook that must see the keys is called on that thread.
    Win32KeyInjector(Win32KeyboardHook& hook, std::function<void()> pumpOnce);

    SendOutcome typeKeys(std::span<const KeyStroke> strokes, Wait wait) override;
    bool focusedWindowAcceptsInput() override;
    std::size_t replayKeys(std::span<const HeldKey> keys) override;
    void waitForOwnKeys() override;

    // What replaying has cost, for measuring; never which keys.
    struct ReplayFigures {
        std::uint64_t calls = 0;
        std::uint64_t events = 0;
        double microseconds = 0;  // from the injection until the hook has seen them
    };
    const ReplayFigures& replayFigures() const { return replayFigures_; }

    // The inputs a send would inject, for the layout and Caps Lock state given.
    static std::vector<INPUT> buildInputs(std::span<const KeyStroke> strokes, HKL layout,
                                          const std::vector<WORD>& heldModifiers, bool capsLock);

  private:
    void waitUntilTaken(HWND target, std::uint64_t ownEventsBefore, std::size_t count);
    void waitForHook(std::uint64_t (Win32KeyboardHook::*seen)() const, std::uint64_t count);

    Win32KeyboardHook& hook_;
    std::function<void()> pumpOnce_;
    // The count of our own events the hook will have seen once all sent so far are through.
    std::uint64_t ownEventsExpected_ = 0;
    std::vector<INPUT> replayInputs_;
    ReplayFigures replayFigures_;
    LARGE_INTEGER frequency_{};
};

}  // namespace quorvel
