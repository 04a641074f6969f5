#include "ui/window_placement.h"

#include <algorithm>

namespace quorvel {

namespace {

ScreenRect sized(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

}  // namespace

ScreenRect keptInside(const ScreenRect& window, const ScreenRect& area) {
    const int width = std::min(window.width(), area.width());
    const int height = std::min(window.height(), area.height());
    const int left = std::clamp(window.left, area.left, area.right - width);
    const int top = std::clamp(window.top, area.top, area.bottom - height);
    return sized(left, top, width, height);
}

ScreenRect besideAnchor(int width, int height, const ScreenRect& anchor, const ScreenRect& area,
                        int gap) {
    const ScreenRect right = sized(anchor.right + gap, anchor.top, width, height);
    const ScreenRect left = sized(anchor.left - gap - width, anchor.top, width, height);
    // Without room on either side it overlaps the anchor from the right edge.
    const bool fitsLeft = right.right > area.right && left.left >= area.left;
    return keptInside(fitsLeft ? left : right, area);
}

ScreenRect centredOver(int width, int height, const ScreenRect& anchor, const ScreenRect& area) {
    return keptInside(sized(anchor.left + (anchor.width() - width) / 2,
                            anchor.top + (anchor.height() - height) / 2, width, height),
                      area);
}

ScreenRect nearCaret(int width, int height, const ScreenRect& caret, const ScreenRect& area,
                     int gap) {
    const ScreenRect below = sized(caret.left, caret.bottom + gap, width, height);
    const ScreenRect above = sized(caret.left, caret.top - gap - height, width, height);
    const bool fitsAbove = below.bottom > area.bottom && above.top >= area.top;
    return keptInside(fitsAbove ? above : below, area);
}

}  // namespace quorvel
