#pragma once
// Sizes of the program's windows are given in twips (1/1440 inch); the screen
// wants pixels at the monitor's dots per inch.

#include <windows.h>

#include "platform/win32/win32_view_handles.h"

namespace quorvel {

inline constexpr int TwipsPerInch = 1440;
inline constexpr int DefaultDpi = 96;

// Rounded to the nearest pixel or twip.
int twipsToPixels(int twips, int dpi);
int pixelsToTwips(int pixels, int dpi);

// Asks to be told the real dots per inch of each monitor rather than have the
// system stretch our windows; does nothing where the system cannot.
void becomeDpiAware();

// The dots per inch of the monitor that shows `window` (of the screen when null).
int dpiOf(HWND window);

// The dialog font (8 points) at the given dots per inch.
UniqueHfont dialogFont(int dpi);

// A rectangle in twips.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Places a child window at a rectangle given in twips of its parent's client area.
void placeInTwips(HWND child, const TwipsRect& rect, int dpi);

}  // namespace quorvel
