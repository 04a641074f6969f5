#pragma once
// Where the program's windows open: wholly inside the work area of a monitor
// (the screen less the task bar), beside or over the window they belong with.
// Coordinates are the desktop's pixels; a monitor left of or above the first
// one has negative ones.

namespace quorvel {

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

// The window moved, and first shrunk where it is larger than the area, so that
// it lies wholly inside `area`.
ScreenRect keptInside(const ScreenRect& window, const ScreenRect& area);

// A window of the given size right of `anchor` with their tops level, or left
// of it when it does not fit on the right; inside `area` either way.
ScreenRect besideAnchor(int width, int height, const ScreenRect& anchor, const ScreenRect& area,
                        int gap);

// A window of the given size centred over `anchor`, inside `area`.
ScreenRect centredOver(int width, int height, const ScreenRect& anchor, const ScreenRect& area);

// A window of the given size just below `caret` (the caret's rectangle, or the
// mouse pointer's point as an empty one), its left edge at the caret's; above
// the caret when there is no room below; inside `area` either way.
ScreenRect nearCaret(int width, int height, const ScreenRect& caret, const ScreenRect& area,
                     int gap);

}  // namespace quorvel
