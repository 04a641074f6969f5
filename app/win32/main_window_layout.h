#pragma once
// Where the main window's controls stand, in twips of its client area. The
// frame, the shortcut list and the text box follow the window's size through
// the model's resize rules; everything else stays where it is.

#include "app/window_layout.h"
#include "platform/win32/widgets/dpi.h"

namespace quorvel {

struct MainWindowLayout {
    TwipsRect editorFrame, columnHeadings, triggerBox, shortcutText, spaceKey, tabKey, escKey,
        enterAfter;
    TwipsRect addButton, deleteButton, deleteAllButton, samplesButton;
    TwipsRect minimizeButton, exitButton, importButton, exportButton, helpButton, commonTextButton;
    TwipsRect shortcuts;
    // The Calibration panel lies over the top of the list; its controls are
    // placed within the panel.
    TwipsRect calibrationPanel, calibrationBorder, calibrationHelp, calibrationBox,
        calibrationOkButton;
};

MainWindowLayout mainWindowLayout(const EditorLayout& editor);

}  // namespace quorvel
