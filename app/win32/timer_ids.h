#pragma once
// The main window's timers, each by its number.

#include <windows.h>

namespace quorvel {

enum TimerId : UINT_PTR { TimerMainId = 1, TimerClearId = 2, TimerDataId = 3, HeartbeatId = 4 };
constexpr UINT HeartbeatIntervalMs = 2000;
// The working file held by another program at logon, and a save the session's
// end could not make, are tried again on these.
enum LifecycleTimerId : UINT_PTR { ReadRetryId = 10, SessionSaveRetryId = 11, FileCheckId = 12 };
constexpr UINT ReadRetryIntervalMs = 3000;
constexpr UINT SessionSaveRetryIntervalMs = 1000;
// How often the working file is looked at for changes made by anything else
// where its folder's news of changes may not come (network and cloud drives):
// a look reads its size and time, not its bytes.
constexpr UINT FileCheckIntervalMs = 2000;

}  // namespace quorvel
