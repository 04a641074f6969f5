#include "app/win32/menu_commands.h"

#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {

struct Item {
    UINT command;
    const MenuItem MainWindow::*item;
    void (MainWindow::*handler)();
};

constexpr Item FileItems[] = {
    {CmdFileImport, &MainWindow::importItem, &MainWindow::importFile},
    {CmdFileSave, &MainWindow::saveItem, &MainWindow::saveFile},
    {CmdFileSaveAs, &MainWindow::saveAsItem, &MainWindow::exportFile},
    {CmdFileLocation, &MainWindow::fileLocationItem, &MainWindow::chooseFileLocation},
    {CmdImportOther, &MainWindow::importOtherItem, &MainWindow::importFromOtherProgram},
    {CmdUndoImport, &MainWindow::undoImportItem, &MainWindow::undoLastImport},
    {CmdExportCsv, &MainWindow::exportCsvItem, &MainWindow::exportCsv},
    {CmdSuggestions, &MainWindow::suggestionsItem, &MainWindow::writeSuggestion},
    {CmdExit, &MainWindow::exitItem, &MainWindow::exitProgram}};

constexpr Item OptionItems[] = {
    {CmdRestoreDefaults, &MainWindow::restoreDefaultsItem, &MainWindow::restoreDefaults},
    {CmdRunMinimized, &MainWindow::runMinimizedItem, &MainWindow::toggleRunMinimized},
    {CmdBoost, &MainWindow::boostItem, &MainWindow::toggleBoost},
    {CmdForce, &MainWindow::forceTextItem, &MainWindow::toggleForceText},
    {CmdMenuShow, &MainWindow::showKeyItem, &MainWindow::toggleShowKey},
    {CmdMenuText, &MainWindow::commonTextKeyItem, &MainWindow::toggleCommonTextKey},
    {CmdPopupCtrlShiftInsert, &MainWindow::popupCtrlShiftInsertItem,
     &MainWindow::choosePopupKeyCtrlShiftInsert},
    {CmdPopupCtrlAltSpace, &MainWindow::popupCtrlAltSpaceItem,
     &MainWindow::choosePopupKeyCtrlAltSpace},
    {CmdPopupCtrlAltInsert, &MainWindow::popupCtrlAltInsertItem,
     &MainWindow::choosePopupKeyCtrlAltInsert},
    {CmdClearUsage, &MainWindow::clearUsageItem, &MainWindow::clearUsageHistory},
    {CmdMatchTriggerCase, &MainWindow::matchTriggerCaseItem, &MainWindow::toggleMatchTriggerCase},
    {CmdFullScreenPause, &MainWindow::fullScreenPauseItem, &MainWindow::toggleFullScreenPause},
    {CmdUndoWithBackspace, &MainWindow::undoWithBackspaceItem,
     &MainWindow::toggleUndoWithBackspace},
    {CmdExcludedPrograms, &MainWindow::excludedProgramsItem, &MainWindow::openExcludedPrograms},
    {CmdHeldPrograms, &MainWindow::heldProgramsItem, &MainWindow::openHeldPrograms},
    {CmdCalibration, &MainWindow::calibrationItem, &MainWindow::openCalibration}};

constexpr Item HelpItems[] = {
    {CmdLoadSamples, &MainWindow::loadSamplesItem, &MainWindow::loadSampleShortcuts},
    {CmdAbout, &MainWindow::aboutItem, &MainWindow::showAbout},
    {CmdHelp, &MainWindow::helpItem, &MainWindow::openShortcutsHelp}};

template <std::size_t N>
HMENU createPopup(const MainWindow& mainWindow, const Item (&items)[N]) {
    HMENU popup = ::CreatePopupMenu();
    for (const Item& item : items) {
        ::AppendMenuW(popup, MF_STRING, item.command,
                      wideText((mainWindow.*item.item).caption).c_str());
    }
    return popup;
}

template <typename Visit>
void forEachItem(Visit visit) {
    for (const Item& item : FileItems)
        visit(item);
    for (const Item& item : OptionItems)
        visit(item);
    for (const Item& item : HelpItems)
        visit(item);
}

}  // namespace

HMENU createMainMenu(const MainWindow& mainWindow) {
    HMENU bar = ::CreateMenu();
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(createPopup(mainWindow, FileItems)),
                  L"&File");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(createPopup(mainWindow, OptionItems)),
                  L"&Options");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(createPopup(mainWindow, HelpItems)),
                  L"&Help");
    return bar;
}

void syncMenuChecks(HMENU menu, const MainWindow& mainWindow) {
    forEachItem([&](const Item& item) {
        ::CheckMenuItem(
            menu, item.command,
            MF_BYCOMMAND | ((mainWindow.*item.item).checked ? MF_CHECKED : MF_UNCHECKED));
        ::EnableMenuItem(menu, item.command,
                         MF_BYCOMMAND | ((mainWindow.*item.item).enabled ? MF_ENABLED : MF_GRAYED));
    });
}

bool runMenuCommand(MainWindow& mainWindow, UINT command) {
    bool found = false;
    forEachItem([&](const Item& item) {
        if (!found && item.command == command) {
            found = true;
            (mainWindow.*item.handler)();
        }
    });
    return found;
}

}  // namespace quorvel
