#pragma once
// Placing the program's windows on the screen: inside the work area of the
// monitor they are on, beside or over another window, and brought to the front.

#include <windows.h>

#include "ui/window_placement.h"

namespace quorvel {

// The work area (the monitor less the task bar) of the monitor nearest `rect`.
ScreenRect workAreaAround(const RECT& rect);

// Where the window stands, or would stand if restored when it is minimised.
RECT restoredRect(HWND window);

// Moves the window, and shrinks it if need be, into the work area of its monitor.
void keepInsideWorkArea(HWND window);

void placeBeside(HWND window, HWND anchor);
void placeCentredOver(HWND window, HWND anchor);

// Shows the window, restored if minimised, in front of the others and active.
void bringToFront(HWND window);

}  // namespace quorvel
