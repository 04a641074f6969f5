#pragma once
// A plain container for controls that must cover others (a frame shown over a
// list): it paints the dialog background and passes its children's
// notifications on to its own parent, as if they were the parent's children.

#include <windows.h>

namespace quorvel {

// Registers the window class once per process; false when that failed.
bool registerPanelClass(HINSTANCE instance);

// A hidden panel; show it with ShowWindow.
HWND createPanel(HWND parent, int id);

}  // namespace quorvel
