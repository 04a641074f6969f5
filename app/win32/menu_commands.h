#pragma once
// The main window's menu bar: its items in order, their command identifiers, and
// the handler of the main window's model that each runs.

#include <windows.h>

#include "app/main_window.h"

namespace quorvel {

enum MenuCommand : UINT {
    CmdFileImport = 100,
    CmdFileSave,
    CmdFileSaveAs,
    CmdSuggestions,
    CmdExit,
    CmdFileLocation,
    CmdImportOther = 150,
    CmdUndoImport,
    CmdExportCsv,
    CmdRestoreDefaults = 200,
    CmdRunMinimized,
    CmdBoost,
    CmdForce,
    CmdMenuShow,
    CmdMenuText,
    CmdCalibration,
    CmdFullScreenPause,
    CmdExcludedPrograms,
    CmdPopupCtrlAltSpace,
    CmdPopupCtrlShiftInsert,
    CmdPopupCtrlAltInsert,
    CmdClearUsage,
    // Its own number, whatever items are added around it: the Wine suites send it.
    CmdMatchTriggerCase = 230,
    CmdUndoWithBackspace = 231,
    CmdHeldPrograms = 240,
    CmdLoadSamples = 300,
    CmdAbout,
    CmdHelp,
};

// Builds the menu bar from the model's captions.
HMENU createMainMenu(const MainWindow& mainWindow);
// Sets the check marks, and which items can be chosen, from the model.
void syncMenuChecks(HMENU menu, const MainWindow& mainWindow);
// Runs the handler of a menu command; false for an identifier that is not one.
bool runMenuCommand(MainWindow& mainWindow, UINT command);

}  // namespace quorvel
