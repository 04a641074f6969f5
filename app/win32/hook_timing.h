#pragma once
// The hook's timing figures, written to the file QUORVEL_HOOK_TIMING_FILE names
// (nothing without it): only times and counts, never which keys, for measuring
// the program.

#include "engine/key_hold.h"
#include "platform/win32/win32_key_injector.h"
#include "platform/win32/win32_keyboard_hook.h"

namespace quorvel {

void writeHookTiming(const Win32KeyboardHook& hook, const KeyHold& held,
                     const Win32KeyInjector::ReplayFigures& replay);

}  // namespace quorvel
