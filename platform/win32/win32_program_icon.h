#pragma once
// The program's own icon from its resources, at the sizes Windows draws it.

#include <windows.h>

namespace quorvel {

struct ProgramIcons {
    HICON large;   // Alt+Tab and the taskbar
    HICON small;   // title bars and the notification area
    HICON paused;  // the small one greyed: the notification area while paused
};

// Loaded once, at the system DPI, and kept for the rest of the process: window
// classes and the notification-area icon refer to them as long as they exist.
// Falls back to the system's application icon when the resource is missing.
const ProgramIcons& programIcons();

}  // namespace quorvel
