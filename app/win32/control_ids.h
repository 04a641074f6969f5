#pragma once
// Window classes and control identifiers of the program's windows. The
// end-to-end driver finds the controls by these, so they are a contract: keep
// them stable. Menu commands (menu_commands.h) stay below 1000.

namespace quorvel::view_ids {

inline constexpr const wchar_t* MainWindowClass = L"QuorvelMainWindow";
inline constexpr const wchar_t* CommonTextClass = L"QuorvelCommonText";
inline constexpr const wchar_t* StartUpDialogClass = L"QuorvelStartUpQuestion";
inline constexpr const wchar_t* ExcludedProgramsClass = L"QuorvelExcludedPrograms";
inline constexpr const wchar_t* ImportPreviewClass = L"QuorvelImportPreview";
inline constexpr const wchar_t* FindAndTypeClass = L"QuorvelFindAndType";
inline constexpr const wchar_t* HeldProgramsClass = L"QuorvelHeldPrograms";

// Main window (MainWindow).
enum MainControl : int {
    editorFrame = 1000,
    columnHeadings = 1001,
    triggerBox = 1002,
    shortcutText = 1003,
    spaceKey = 1004,
    tabKey = 1005,
    escKey = 1006,
    enterAfter = 1007,
    addButton = 1008,
    deleteButton = 1009,
    deleteAllButton = 1010,
    samplesButton = 1011,
    shortcutList = 1012,
    searchCaption = 1013,
    searchBox = 1014,
    searchCount = 1015,
    minimizeButton = 1020,
    exitButton = 1021,
    importButton = 1022,
    exportButton = 1023,
    helpButton = 1024,
    commonTextButton = 1025,
    calibrationPanel = 1030,
    calibrationBorder = 1031,
    calibrationHelp = 1032,
    calibrationBox = 1033,
    calibrationOkButton = 1034,
};

// Common Text window (CommonTextWindow).
enum CommonTextControl : int {
    CommonEntryLabel = 2001,
    CommonEntryBox = 2002,
    CommonTextList = 2003,
    CommonAddButton = 2004,
    CommonRemoveButton = 2005,
    CommonCloseButton = 2006,
    CommonSortButton = 2007,
    CommonHintLabel = 2008,
};

// Start-with-Windows question (StartUpQuestion).
enum StartUpControl : int {
    StartUpQuestionText = 3001,
    StartUpDoNotAskAgain = 3002,
    StartUpYesButton = 3003,
    StartUpNoButton = 3004,
};

// Excluded Programs window (ExcludedProgramsWindow).
enum ExcludedControl : int {
    ExcludedNameLabel = 4001,
    ExcludedNameBox = 4002,
    ExcludedAddButton = 4003,
    ExcludedFrontButton = 4004,
    ExcludedListLabel = 4005,
    ExcludedList = 4006,
    ExcludedRemoveButton = 4007,
    ExcludedSuggestionsLabel = 4008,
    ExcludedSuggestion1 = 4010,  // one per suggestion, in their order
    ExcludedCloseButton = 4020,
};

// Import from Another Program's preview (ImportPreview).
enum ImportPreviewControl : int {
    ImportSummary = 6001,
    ImportRows = 6002,
    ImportExistingLabel = 6003,
    ImportKeepOption = 6004,
    ImportReplaceOption = 6005,
    ImportKeepBothOption = 6006,
    ImportButton = 6007,
    ImportCancelButton = 6008,
};

// Find and Type popup (InsertPopup).
enum FindAndTypeControl : int {
    FindSearchBox = 5001,
    FindRows = 5002,
    FindNote = 5003,
};

// Programs Waiting for Approval (HeldProgramsWindow).
enum HeldProgramsControl : int {
    HeldListLabel = 7001,
    HeldList = 7002,
    HeldProgramLabel = 7003,
    HeldProgramBox = 7004,
    HeldApproveButton = 7005,
    HeldRemoveButton = 7006,
    HeldCloseButton = 7007,
};

}  // namespace quorvel::view_ids
