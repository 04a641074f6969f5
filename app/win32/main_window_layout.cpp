#include "app/win32/main_window_layout.h"

namespace quorvel {

namespace {

constexpr int FrameLeft = 120;
constexpr int FrameTop = 60;
constexpr int Inset = 240;  // from the frame's edge to its controls
constexpr int ButtonWidth = 1140;
constexpr int WideButtonWidth = 1300;
constexpr int ButtonHeight = 345;
constexpr int FirstButtonRow = 1400;
constexpr int SecondButtonRow = 1805;
constexpr int ListTop = 2220;
// Text7 stands right of the trigger box, ending where the list ends.
constexpr int Text7Offset = 2400;
constexpr int CalibrationWidth = 6425;
constexpr int CalibrationHeight = 1800;

TwipsRect inFrame(int left, int top, int width, int height) {
    return {FrameLeft + left, FrameTop + top, width, height};
}

}  // namespace

MainWindowLayout mainWindowLayout(const EditorLayout& editor) {
    MainWindowLayout layout;
    layout.Frame2 = {FrameLeft, FrameTop, editor.frame2Width, editor.frame2Height};
    layout.Label27 = inFrame(Inset, 240, 6400, 225);
    layout.TextData10 = inFrame(Inset, 480, 2160, 315);
    layout.Text7 = inFrame(Inset + Text7Offset, 480, editor.text7Width, 855);
    layout.Opt1 = inFrame(Inset, 840, 780, 255);
    layout.Opt2 = inFrame(Inset + 780, 840, 600, 255);
    layout.Opt4 = inFrame(Inset + 1380, 840, 660, 255);
    layout.Check2 = inFrame(Inset, 1110, 2340, 255);

    const int secondColumn = Inset + ButtonWidth + 60;
    layout.Command8 = inFrame(Inset, FirstButtonRow, ButtonWidth, ButtonHeight);
    layout.Command4 = inFrame(secondColumn, FirstButtonRow, ButtonWidth, ButtonHeight);
    layout.Command3 = inFrame(Inset, SecondButtonRow, ButtonWidth, ButtonHeight);
    layout.Command2 = inFrame(secondColumn, SecondButtonRow, ButtonWidth, ButtonHeight);

    const int windowColumn = Inset + Text7Offset;
    const int step = WideButtonWidth + 60;
    layout.Command1 = inFrame(windowColumn, FirstButtonRow, WideButtonWidth, ButtonHeight);
    layout.Command5 = inFrame(windowColumn + step, FirstButtonRow, WideButtonWidth, ButtonHeight);
    layout.Command9 = inFrame(windowColumn + 2 * step, FirstButtonRow, WideButtonWidth, ButtonHeight);
    layout.Command10 = inFrame(windowColumn, SecondButtonRow, WideButtonWidth, ButtonHeight);
    layout.Command7 = inFrame(windowColumn + step, SecondButtonRow, WideButtonWidth, ButtonHeight);
    layout.Command11 =
        inFrame(windowColumn + 2 * step, SecondButtonRow, WideButtonWidth, ButtonHeight);

    layout.List1 = inFrame(Inset, ListTop, editor.list1Width, editor.list1Height);

    layout.FrameCalibration = inFrame(Inset, ListTop + 60, CalibrationWidth, CalibrationHeight);
    layout.CalibrationBorder = {0, 0, CalibrationWidth, CalibrationHeight};
    layout.Label17 = {120, 240, CalibrationWidth - 240, 900};
    layout.Text2 = {120, 1260, 1500, 315};
    layout.Command14 = {1740, 1245, 1000, ButtonHeight};
    return layout;
}

}  // namespace quorvel
