#pragma once
// Key strokes, injected with one SendInput call per send.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/event_loop.h"
#include "platform/key_injection.h"

namespace quorvel {

class Win32KeyboardHook;

class Win32KeyInjector final : public KeyInjector {
  public:
    // The hook that must see the keys is called on the window thread, from its
    // message loop: the injector waits for it by posting to that loop.
    Win32KeyInjector(Win32KeyboardHook& hook, EventLoop& loop);
    ~Win32KeyInjector() override;
    Win32KeyInjector(const Win32KeyInjector&) = delete;
    Win32KeyInjector& operator=(const Win32KeyInjector&) = delete;

    SendOutcome typeKeys(std::span<const KeyStroke> strokes, Wait wait) override;
    bool focusedWindowAcceptsInput() override;
    std::size_t replayKeys(std::span<const HeldKey> keys) override;
    void whenKeysArrive(std::function<void()> then) override;

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
    bool allSeen() const;
    void check();
    void poll();
    void arrived();

    Win32KeyboardHook& hook_;
    EventLoop& loop_;
    // The counts of our own and replayed events the hook will have seen once all
    // injected so far are through.
    std::uint64_t ownEventsExpected_ = 0;
    std::uint64_t replayedEventsExpected_ = 0;
    // Keys a send asked to have taken by the target before they count as arrived:
    // the window that has them, and how many.
    HWND takingWindow_ = nullptr;
    std::size_t toBeTaken_ = 0;
    std::vector<std::function<void()>> waiting_;
    bool checkPosted_ = false;
    bool polling_ = false;
    std::uint64_t lastSeen_ = 0;
    DWORD lastMove_ = 0;
    LARGE_INTEGER replayStart_{};
    std::vector<INPUT> replayInputs_;
    ReplayFigures replayFigures_;
    LARGE_INTEGER frequency_{};
};

}  // namespace quorvel
