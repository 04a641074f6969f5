#pragma once
// Keeps the keyboard hook alive: carries out what the watchdog decides, by
// injecting its proof key or by installing the hook again.

#include <windows.h>

#include <functional>

#include "platform/hook_watchdog.h"
#include "platform/win32/win32_keyboard_hook.h"

namespace quorvel {

class Win32HookGuard {
  public:
    // `hookSeesForeground` as the watchdog takes it; `afterReinstall` runs each
    // time the hook was installed anew (what the old hook missed is unknown).
    Win32HookGuard(Win32KeyboardHook& hook, std::function<bool()> hookSeesForeground,
                   std::function<void()> afterReinstall);

    // At a steady interval.
    void check();
    // A key press that raw input reported, stamped with its message time.
    void rawKeySeen(HookWatchdog::RawKey key, DWORD messageTime);
    // After a break (the session locked, the machine asleep).
    void proveNow();

  private:
    void act(HookWatchdog::Action action);

    Win32KeyboardHook& hook_;
    std::function<void()> afterReinstall_;
    HookWatchdog watchdog_;
};

}  // namespace quorvel
