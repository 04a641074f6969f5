#pragma once
// Sizes of the program's windows are given in twips (1/1440 inch); the screen
// wants pixels at the dots per inch of the window's monitor. Each window keeps
// its own DPI: taken from the window when it is created, then from
// WM_DPICHANGED as it moves between monitors.

#include <windows.h>

#include "platform/win32/widgets/handles.h"

namespace quorvel {

inline constexpr int TwipsPerInch = 1440;
inline constexpr int DefaultDpi = 96;

// Rounded to the nearest pixel or twip.
int twipsToPixels(int twips, int dpi);
int pixelsToTwips(int pixels, int dpi);

// Asks to be told the real dots per inch of each monitor rather than have the
// system stretch our windows; does nothing where the system cannot.
void becomeDpiAware();

// The dots per inch of `window` (of the screen when null).
int dpiOf(HWND window);

// The font Windows uses for dialogs and message boxes (the message font of the
// non-client metrics) at the given dots per inch.
UniqueHfont messageFont(int dpi);

// Gives the font to every control of the window, in panels too.
void applyFont(HWND window, HFONT font);

// The outer size of a window whose client area is the given size, at `dpi`.
SIZE outerSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD extendedStyle,
                        int dpi);

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
