#pragma once
// Where the main window's controls stand, in twips of its client area. The
// frame, the shortcut list and the text box follow the window's size through
// the model's resize rules; everything else stays where it is.

#include "app/window_layout.h"
#include "platform/win32/widgets/dpi.h"

namespace quorvel {

struct MainWindowLayout {
    TwipsRect Frame2, Label27, TextData10, Text7, Opt1, Opt2, Opt4, Check2;
    TwipsRect Command8, Command4, Command3, Command2;
    TwipsRect Command1, Command5, Command9, Command10, Command7, Command11;
    TwipsRect List1;
    // The Calibration panel lies over the top of the list; its controls are
    // placed within the panel.
    TwipsRect FrameCalibration, CalibrationBorder, Label17, Text2, Command14;
};

MainWindowLayout mainWindowLayout(const EditorLayout& editor);

}  // namespace quorvel
