#pragma once
// The main window as a model: the shortcut editor, the menus and buttons that
// set the engine's options, and the windows it owns. The platform's window displays
// this model and forwards the user's actions to its handlers.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_services.h"
#include "app/excluded_programs_window.h"
#include "app/held_programs_window.h"
#include "app/import_preview.h"
#include "app/insert_popup.h"
#include "app/popup_key.h"
#include "app/shortcut_filter.h"
#include "app/start_up_question.h"
#include "app/window_layout.h"
#include "commontext/common_text_window.h"
#include "editor/editor_controls.h"
#include "editor/shortcut_editor.h"
#include "engine/shortcut_engine.h"
#include "storage/file_change_watch.h"
#include "storage/program_approvals.h"
#include "storage/settings_names.h"
#include "storage/usage_history.h"
#include "storage/working_file.h"
#include "tray/help_commands.h"
#include "tray/notification_icon.h"
#include "ui/controls.h"

namespace quorvel {

class MainWindow : public EditorControls {
  public:
    explicit MainWindow(AppServices& services);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Start-up and shut-down.
    void start();
    // Any request to close the window; returns true: the close is always refused.
    bool requestClose();
    void exitProgram();
    // Setup asks this copy to close before it installs over it.
    void closeForSetup();
    void restoreDefaults();
    // Whether the working file is there but could not be read yet (held open by
    // another program at logon); retryReadingShortcuts then runs every few
    // seconds, and nothing is saved over the file meanwhile.
    bool waitingToReadShortcuts() const { return workingFile_.awaitingRead(); }
    void retryReadingShortcuts() { readHeldBackFile(Tell::Yes); }
    // Looks at the working file for changes made by anything else (another
    // copy, a sync client); a timer calls this twice a second. What changed is
    // taken into the list once the file has been quiet for a second.
    void checkWorkingFile();
    // Something changed in the working file's folder: looked at now, and again
    // once a change found has been quiet for its second.
    void workingFolderChanged() { checkWorkingFile(); }
    // Windows is ending the session: saves what a failed save left unsaved, and
    // asks nothing, as no one can answer now. Returns, for Windows to show, why
    // the shortcuts are not all saved; empty when they are.
    std::string saveAsSessionEnds();

    // Options menu and the Calibration panel.
    void toggleRunMinimized();
    void toggleBoost();
    void toggleForceText();
    void toggleShowKey();
    void toggleCommonTextKey();
    void toggleFullScreenPause();
    void toggleMatchTriggerCase();
    void toggleUndoWithBackspace();
    // The excluded programs, stored at each change; false when nothing changed
    // (not a file name, listed already, or not listed).
    bool excludeProgram(std::string_view name);
    bool includeProgram(std::string_view name);
    void openExcludedPrograms() { excludedWindow.show(); }  // "Excluded Programs..."
    void openCalibration() { calibrationPanel.visible = true; }
    void closeCalibration() { calibrationPanel.visible = false; }
    void calibrationChanged();
    void applyBoost();

    // The popup that finds and types a shortcut (popup_commands.cpp). Its hot
    // key: one of PopupKeyChoices, or none when the user unticks it.
    void choosePopupKeyCtrlShiftInsert() { choosePopupKey(0); }
    void choosePopupKeyCtrlAltSpace() { choosePopupKey(1); }
    void choosePopupKeyCtrlAltInsert() { choosePopupKey(2); }
    // The hot key was pressed: opens the popup, or says why not here.
    void popupKeyPressed();
    // The row chosen waits here while the platform gives the focus back to the
    // window that had it; then it is sent, or dropped when that window never
    // came back to the front.
    std::optional<SendRequest> popupChoice;
    void sendPopupChoice();
    void dropPopupChoice();
    void clearUsageHistory();  // "Clear Usage History"

    // File menu and the Import and Export buttons.
    void importFile();
    void saveFile();
    void exportFile();
    // "Shortcut File Location...": the working file moves where the user says
    // (a synced folder, say), or a shortcut file there becomes it.
    void chooseFileLocation();
    // "Import from Another Program...", its preview's Import, "Undo Import" and
    // "Export as CSV..." (other_program_commands.cpp).
    void importFromOtherProgram();
    // The layout the user types on now, for the triggers it cannot type; the
    // platform sets it before start().
    const KeyboardLayout* typingLayout = nullptr;
    void confirmImport();
    void undoLastImport();
    void exportCsv();

    // Window and tray.
    void minimize();  // "Minimize"
    void openCommonText() { commonText.show(); }
    void loadSampleShortcuts();
    void writeSuggestion() { help.writeSuggestion(); }
    void showAbout() { help.showAbout(); }
    void openShortcutsHelp() { help.openShortcutsHelp(); }
    void openHelp() { help.openHelp(); }
    void showWindow() {
        visible = true;
        bringToFront = true;
    }
    void trayMessage(int xTwips) { icon.trayMessage(xTwips); }
    // "Pause Expansion" in the icon's menu.
    void togglePause();
    bool expansionPaused() const { return engine.options().expansionPaused; }
    void followSize() { quorvel::followSize(width, height, layout); }

    // The shortcuts, which the editor changes and the engine matches.
    ShortcutList shortcuts;

    // The search box over the list. The list shows the rows it lets through,
    // and a row is chosen by its place among them.
    Label searchCaption{"Find words:"};
    TextBox searchBox;
    const ShortcutFilter& shownRows();
    void selectShownRow(std::size_t shown);
    // Esc in the search box: every row shows again, the selection kept.
    void clearSearch() { searchBox.setText(""); }
    // "Add ShortCut", and Enter in the trigger box; the row added shows even
    // where the search would hide it.
    void addShortcut();
    // The programs the user keeps Quorvel out of.
    ExcludedPrograms excludedPrograms;

    std::string caption;
    bool visible = false;
    // Set by each request to show the window, which may be minimised or behind
    // other windows though visible; the platform restores and raises it, once.
    bool bringToFront = false;
    int width = 7275;   // twips
    int height = 7000;  // twips
    EditorLayout layout;

    Button minimizeButton{"Minimize"};
    Button exitButton{"Exit"};
    Button importButton{"Import"};
    Button exportButton{"Export"};
    Button helpButton{"Help"};
    Button commonTextButton{"Common Text"};

    MenuItem importItem{"File Import "};
    MenuItem saveItem{"File Save"};
    MenuItem saveAsItem{"File Save As"};
    MenuItem fileLocationItem{"Shortcut File Location..."};
    MenuItem importOtherItem{"Import from Another Program..."};
    MenuItem exportCsvItem{"Export as CSV..."};
    MenuItem undoImportItem = [] {
        MenuItem item{"Undo Import"};
        item.enabled = false;
        return item;
    }();
    MenuItem suggestionsItem{"Suggestions"};
    MenuItem exitItem{"Exit"};
    MenuItem restoreDefaultsItem{"Restore Defaults"};
    MenuItem runMinimizedItem{"Run Minimized"};
    MenuItem calibrationItem{"Calibration"};
    MenuItem excludedProgramsItem{"Excluded Programs..."};
    MenuItem showKeyItem{"Hit Ctrl Shift S to Show Quorvel 2.1"};
    MenuItem commonTextKeyItem{"Hit Ctrl Shift C to Show Quorvel 2.1 Common Text"};
    MenuItem popupCtrlShiftInsertItem{"Hit Ctrl Shift Insert to Find and Type a Shortcut"};
    MenuItem popupCtrlAltSpaceItem{"Hit Ctrl Alt Space to Find and Type a Shortcut"};
    MenuItem popupCtrlAltInsertItem{"Hit Ctrl Alt Insert to Find and Type a Shortcut"};
    MenuItem clearUsageItem{"Clear Usage History"};
    MenuItem boostItem{"Boost"};
    MenuItem forceTextItem{"Force Text"};
    // On unless the user turned it off: no trigger fires in a full-screen game or
    // presentation.
    MenuItem matchTriggerCaseItem{"Match the Case of the Trigger"};
    MenuItem fullScreenPauseItem = [] {
        MenuItem item{"Pause in Full-Screen Programs"};
        item.checked = true;
        return item;
    }();
    // On unless the user turned it off.
    MenuItem undoWithBackspaceItem = [] {
        MenuItem item{"Undo Expansion with Backspace"};
        item.checked = true;
        return item;
    }();
    MenuItem loadSamplesItem{"Load Samples"};
    MenuItem aboutItem{"About"};
    MenuItem helpItem{"Help"};

    Frame calibrationPanel{"Calibration", false};
    Label calibrationHelp{
        "Enter Calibration number in Text Box, If the short cut text is missing a letter then "
        "enter a larger number and if the text is taking to long to be written enter a smaller "
        "number in the text box."};
    Button calibrationOkButton{"OK"};
    TextBox calibrationBox{"500"};  // the calibration number

    ShortcutEngine engine;
    ShortcutEditor editor;
    NotificationIcon icon;
    HelpCommands help;
    CommonTextWindow commonText;
    StartUpQuestion startUpQuestion;
    ExcludedProgramsWindow excludedWindow;
    UsageHistory usage;
    // Which entries may start programs: those written here, or approved.
    ProgramApprovals approvals;
    HeldProgramsWindow heldWindow;
    MenuItem heldProgramsItem{"Programs Waiting for Approval..."};
    void openHeldPrograms() { heldWindow.show(); }
    InsertPopup popup;
    ImportPreview importPreview;

  private:
    bool ask(std::string_view question, MessageButtons buttons = MessageButtons::YesNo);
    WorkingFile& workingFile();
    void loadShortcuts();
    enum class Tell { No, Yes };
    bool carryOverFile(const std::string& path, Tell telling);
    void readHeldBackFile(Tell telling);
    bool writeWorkingFile();
    void tellSaveFailed();
    void tellDoubledTriggers(const std::vector<std::string>& triggers);
    // Asks, once for each, whether to take in the copies sync clients left
    // beside the working file.
    void offerConflictCopies();
    void takeInConflictCopy(const std::string& copy, const std::vector<std::string>& lines);
    void nameWorkingFileInSettings();
    void tell(const std::string& message);
    // "n lines of <file> could not be read; " and what became of them.
    void tellUnreadLines(const std::string& path, std::size_t count, const std::string& outcome);
    void flipStoredOption(MenuItem& item, const settings::SettingName& name);
    void storeExcludedPrograms();
    void toggleWithQuestion(MenuItem& item, std::string_view question);
    // Hands the engine the options as the menus and the calibration box show them.
    void applyOptions(bool paused);
    void applyOptions() { applyOptions(expansionPaused()); }
    void choosePopupKey(std::size_t choice);
    // Takes the chosen key from the system, telling the user once a run when
    // another program holds it.
    void claimPopupKey(std::optional<KeyChord> chord);
    void startPopup();

    AppServices& services_;
    ShortcutFilter filter_{shortcuts};
    // The one file the list is read from and saved to, found at its first use.
    // Import and Export never change which file it is.
    WorkingFile workingFile_;
    // The list holds changes the working file lacks: a save failed.
    bool unsaved_ = false;
    FileChangeWatch fileWatch_;
    // checkWorkingFile is running: a timer that fires while its message box is
    // up does not start another.
    bool checkingFile_ = false;
    bool fileCheckPosted_ = false;
    void watchWorkingFolder();
    // A look at the file for when a change found is due to be read.
    void postFileCheck();
    void lookAtWorkingFile();
    std::uint64_t nextConflictLook_ = 0;
    // Conflict copies offered (or found to hold nothing new) this run.
    std::set<std::string> copiesSeen_;
    ImportChange lastImport_;  // what "Undo Import" takes back
    // After the list changed: the held entries' window follows it, and entries
    // held for the first time this run are counted to the user, once
    // (program_approval_commands.cpp).
    void noteHeldPrograms();
    void removeEntryLine(std::string_view entryLine);
    std::uint64_t heldRevision_ = ~std::uint64_t{0};
    std::set<std::string> heldSeen_;
    bool toldPopupKeyTaken_ = false;
};

}  // namespace quorvel
