#include "platform/win32/win32_hook_guard.h"

#include <cstdint>
#include <utility>

namespace quorvel {

Win32HookGuard::Win32HookGuard(Win32KeyboardHook& hook, std::function<bool()> hookSeesForeground,
                               std::function<void()> afterReinstall)
    : hook_(hook),
      afterReinstall_(std::move(afterReinstall)),
      watchdog_(std::move(hookSeesForeground)) {}

void Win32HookGuard::check() {
    // Not the system's last input: that counts the mouse, which the hook never sees.
    act(watchdog_.check(static_cast<std::uint32_t>(::GetTickCount()), hook_.lastEventTick(),
                        hook_.heartbeatsSeen()));
}

void Win32HookGuard::rawKeySeen(HookWatchdog::RawKey key, DWORD messageTime) {
    act(watchdog_.rawKeySeen(key, static_cast<std::uint32_t>(messageTime), hook_.lastEventTick(),
                             hook_.heartbeatsSeen()));
}

void Win32HookGuard::proveNow() {
    act(watchdog_.proveNow(hook_.heartbeatsSeen()));
}

void Win32HookGuard::act(HookWatchdog::Action action) {
    switch (action) {
        case HookWatchdog::Action::SendHeartbeat: {
            INPUT heartbeat[2]{};
            for (int i = 0; i < 2; ++i) {
                heartbeat[i].type = INPUT_KEYBOARD;
                heartbeat[i].ki.wVk = HeartbeatKey;
                heartbeat[i].ki.dwFlags = i == 0 ? 0 : KEYEVENTF_KEYUP;
                heartbeat[i].ki.dwExtraInfo = HeartbeatMarker;
            }
            ::SendInput(2, heartbeat, sizeof(INPUT));
            break;
        }
        case HookWatchdog::Action::Reinstall:
            hook_.reinstall();
            afterReinstall_();
            break;
        case HookWatchdog::Action::None:
            break;
    }
}

}  // namespace quorvel
