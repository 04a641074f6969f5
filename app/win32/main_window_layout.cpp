#include "app/win32/main_window_layout.h"

namespace quorvel {

namespace {

constexpr int FrameLeft = 120;
constexpr int FrameTop = 60;
constexpr int Inset = 240;  // from the frame's edge to its controls
// Text7 stands right of the trigger box, ending where the list ends; the
// launch-key options and the Enter box share the column left of it.
constexpr int Text7Offset = 2400;
constexpr int LeftColumnWidth = 2250;
// The Enter box's caption wraps onto a second line to stay within that column.
constexpr int Check2Height = 465;
constexpr int ButtonHeight = 330;
constexpr int FirstButtonRow = 1575;
constexpr int SecondButtonRow = 1950;
constexpr int ListTop = 2325;
constexpr int Gap = 60;
constexpr int CalibrationWidth = 6425;
constexpr int CalibrationHeight = 1800;

// The buttons stand in five columns, each as wide as its longer caption needs
// in a 9-point message font: the editor's two, then the window's three.
struct Column {
    int left;
    int width;
};
constexpr Column AddAndDeleteAll{Inset, 1500};
constexpr Column DeleteAndSamples{AddAndDeleteAll.left + AddAndDeleteAll.width + Gap, 1140};
constexpr Column MinimizeAndExport{DeleteAndSamples.left + DeleteAndSamples.width + 2 * Gap, 1080};
constexpr Column ExitAndHelp{MinimizeAndExport.left + MinimizeAndExport.width + Gap, 900};
constexpr Column ImportAndCommonText{ExitAndHelp.left + ExitAndHelp.width + Gap, 1425};

TwipsRect inFrame(int left, int top, int width, int height) {
    return {FrameLeft + left, FrameTop + top, width, height};
}

TwipsRect button(const Column& column, int row) {
    return inFrame(column.left, row, column.width, ButtonHeight);
}

}  // namespace

MainWindowLayout mainWindowLayout(const EditorLayout& editor) {
    MainWindowLayout layout;
    layout.Frame2 = {FrameLeft, FrameTop, editor.frame2Width, editor.frame2Height};
    layout.Label27 = inFrame(Inset, 240, 6400, 240);
    layout.TextData10 = inFrame(Inset, 480, 2160, 315);
    layout.Text7 = inFrame(Inset + Text7Offset, 480, editor.text7Width, 855);
    layout.Opt1 = inFrame(Inset, 825, 900, 255);
    layout.Opt2 = inFrame(Inset + 900, 825, 675, 255);
    layout.Opt4 = inFrame(Inset + 1575, 825, 675, 255);
    layout.Check2 = inFrame(Inset, 1080, LeftColumnWidth, Check2Height);

    layout.Command8 = button(AddAndDeleteAll, FirstButtonRow);
    layout.Command4 = button(DeleteAndSamples, FirstButtonRow);
    layout.Command3 = button(AddAndDeleteAll, SecondButtonRow);
    layout.Command2 = button(DeleteAndSamples, SecondButtonRow);
    layout.Command1 = button(MinimizeAndExport, FirstButtonRow);
    layout.Command5 = button(ExitAndHelp, FirstButtonRow);
    layout.Command9 = button(ImportAndCommonText, FirstButtonRow);
    layout.Command10 = button(MinimizeAndExport, SecondButtonRow);
    layout.Command7 = button(ExitAndHelp, SecondButtonRow);
    layout.Command11 = button(ImportAndCommonText, SecondButtonRow);

    layout.List1 = inFrame(Inset, ListTop, editor.list1Width, editor.list1Height);

    layout.FrameCalibration = inFrame(Inset, ListTop + 60, CalibrationWidth, CalibrationHeight);
    layout.CalibrationBorder = {0, 0, CalibrationWidth, CalibrationHeight};
    layout.Label17 = {120, 240, CalibrationWidth - 240, 1020};
    layout.Text2 = {120, 1320, 1500, 315};
    layout.Command14 = {1740, 1305, 1000, ButtonHeight};
    return layout;
}

}  // namespace quorvel
