#pragma once
// The system-wide low-level keyboard hook and the asynchronous key-state query.

#include <windows.h>

#include <array>
#include <cstdint>

#include "platform/key_injection.h"
#include "platform/keyboard_hook.h"
#include "platform/win32/unique_handle.h"

namespace quorvel {

using UniqueHook = UniqueHandle<HHOOK, NullIsNoHandle<HHOOK, &::UnhookWindowsHookEx>>;

// Marks the key event the program injects to prove its hook is still called.
inline constexpr std::uintptr_t HeartbeatMarker = 0x51564C48;  // "QVLH"
inline constexpr WORD HeartbeatKey = vk::Unassigned;

class Win32KeyboardHook final : public KeyboardHookService, public KeyStateQuery {
  public:
    Win32KeyboardHook();
    ~Win32KeyboardHook() override;
    Win32KeyboardHook(const Win32KeyboardHook&) = delete;
    Win32KeyboardHook& operator=(const Win32KeyboardHook&) = delete;

    std::uintptr_t install(KeyHookProc proc, MouseButtonProc onMouseButton) override;
    void remove(std::uintptr_t handle) override;
    bool isDown(int virtualKey) override;
    bool capsLockOn() override;

    bool installed() const { return static_cast<bool>(hook_); }
    // A mouse button went down anywhere, as the raw mouse input told the host.
    void mouseButtonPressed() const;
    // Installs the hook again, as after the system dropped it.
    bool reinstall();

    // Tick count of the latest event the hook was called for.
    DWORD lastEventTick() const { return lastEventTick_; }
    // How many of the program's own injected events the hook has seen.
    std::uint64_t ownEventsSeen() const { return ownEventsSeen_; }
    // How many held key events injected again the hook has seen.
    std::uint64_t replayedEventsSeen() const { return replayedEventsSeen_; }
    std::uint64_t heartbeatsSeen() const { return heartbeatsSeen_; }
    // Told after each of the program's own or replayed events has been counted,
    // from inside the hook's callback: it must return at once.
    std::function<void()> onInjectedEventSeen;
    std::uint64_t reinstalls() const { return reinstalls_; }

    // Time spent in the callback per event, in microseconds, for the last events.
    double callbackPercentileMicroseconds(double percentile) const;
    std::size_t callbackSamples() const;

  private:
    static LRESULT CALLBACK hookProcedure(int code, WPARAM message, LPARAM data);
    void installHook();
    LRESULT onEvent(int code, WPARAM message, const KBDLLHOOKSTRUCT& event);

    KeyHookProc proc_;
    MouseButtonProc onMouseButton_;
    UniqueHook hook_;
    DWORD lastEventTick_ = 0;
    std::uint64_t ownEventsSeen_ = 0;
    std::uint64_t replayedEventsSeen_ = 0;
    std::uint64_t heartbeatsSeen_ = 0;
    std::uint64_t reinstalls_ = 0;
    LARGE_INTEGER frequency_{};
    std::array<float, 65536> callbackMicroseconds_{};
    std::size_t callbackCount_ = 0;
};

}  // namespace quorvel
