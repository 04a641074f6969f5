#pragma once
// How the main window's editor controls follow its size, in twips.

namespace quorvel {

struct EditorLayout {
    int frame2Width = 0;
    int frame2Height = 0;
    int list0Width = 0;
    int list1Width = 0;
    int list0Height = 0;
    int list1Height = 0;
    int text7Width = 0;
};

// The smallest outer size the window takes, in twips: the width of its two rows
// of buttons, and room below them for the calibration panel and a few rows of
// the list. Smaller, controls would be cut off or lie over each other.
inline constexpr int MinimumWindowWidth = 7275;
inline constexpr int MinimumWindowHeight = 5400;

// Applies the resize rules for a window of the given outer size. A step that
// would give a negative size (a minimised or very small window) is skipped and
// leaves that control as it was.
void Form_Resize(int windowWidth, int windowHeight, EditorLayout& layout);

}  // namespace quorvel
