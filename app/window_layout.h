#pragma once
// How the main window's editor controls follow its size, in twips.

namespace quorvel {

struct EditorLayout {
    int frameWidth = 0;
    int frameHeight = 0;
    int innerWidth = 0;
    int listWidth = 0;
    int innerHeight = 0;
    int listHeight = 0;
    int shortcutTextWidth = 0;
};

// The smallest outer size the window takes, in twips: the width of its two rows
// of buttons, and room below them for the calibration panel and a few rows of
// the list. Smaller, controls would be cut off or lie over each other.
inline constexpr int MinimumWindowWidth = 7275;
inline constexpr int MinimumWindowHeight = 5400;

// Applies the resize rules for a window of the given outer size. A step that
// would give a negative size (a minimised or very small window) is skipped and
// leaves that control as it was.
void followSize(int windowWidth, int windowHeight, EditorLayout& layout);

}  // namespace quorvel
