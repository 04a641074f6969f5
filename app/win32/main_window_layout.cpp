#include "app/win32/main_window_layout.h"

namespace quorvel {

namespace {

constexpr int FrameLeft = 120;
constexpr int FrameTop = 60;
constexpr int Inset = 240;  // from the frame's edge to its controls
// shortcutText stands right of the trigger box, ending where the list ends; the
// launch-key options and the Enter box share the column left of it.
constexpr int ShortcutTextOffset = 2400;
constexpr int LeftColumnWidth = 2250;
// The Enter box's caption wraps onto a second line to stay within that column.
constexpr int EnterAfterHeight = 465;
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
    layout.editorFrame = {FrameLeft, FrameTop, editor.frameWidth, editor.frameHeight};
    layout.columnHeadings = inFrame(Inset, 240, 6400, 240);
    layout.triggerBox = inFrame(Inset, 480, 2160, 315);
    layout.shortcutText = inFrame(Inset + ShortcutTextOffset, 480, editor.shortcutTextWidth, 855);
    layout.spaceKey = inFrame(Inset, 825, 900, 255);
    layout.tabKey = inFrame(Inset + 900, 825, 675, 255);
    layout.escKey = inFrame(Inset + 1575, 825, 675, 255);
    layout.enterAfter = inFrame(Inset, 1080, LeftColumnWidth, EnterAfterHeight);

    layout.addButton = button(AddAndDeleteAll, FirstButtonRow);
    layout.deleteButton = button(DeleteAndSamples, FirstButtonRow);
    layout.deleteAllButton = button(AddAndDeleteAll, SecondButtonRow);
    layout.samplesButton = button(DeleteAndSamples, SecondButtonRow);
    layout.minimizeButton = button(MinimizeAndExport, FirstButtonRow);
    layout.exitButton = button(ExitAndHelp, FirstButtonRow);
    layout.importButton = button(ImportAndCommonText, FirstButtonRow);
    layout.exportButton = button(MinimizeAndExport, SecondButtonRow);
    layout.helpButton = button(ExitAndHelp, SecondButtonRow);
    layout.commonTextButton = button(ImportAndCommonText, SecondButtonRow);

    layout.shortcuts = inFrame(Inset, ListTop, editor.listWidth, editor.listHeight);

    layout.calibrationPanel = inFrame(Inset, ListTop + 60, CalibrationWidth, CalibrationHeight);
    layout.calibrationBorder = {0, 0, CalibrationWidth, CalibrationHeight};
    layout.calibrationHelp = {120, 240, CalibrationWidth - 240, 1020};
    layout.calibrationBox = {120, 1320, 1500, 315};
    layout.calibrationOkButton = {1740, 1305, 1000, ButtonHeight};
    return layout;
}

}  // namespace quorvel
