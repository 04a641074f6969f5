#pragma once
// Window classes and control identifiers of the program's windows. The
// end-to-end driver finds the controls by these, so they are a contract: keep
// them stable. Menu commands (menu_commands.h) stay below 1000.

namespace quorvel::view_ids {

inline constexpr const wchar_t* MainWindowClass = L"QuorvelMainWindow";
inline constexpr const wchar_t* CommonTextClass = L"QuorvelCommonText";
inline constexpr const wchar_t* StartUpDialogClass = L"QuorvelStartUpQuestion";

// Main window (Form1).
enum MainControl : int {
    Frame2 = 1000,
    Label27 = 1001,
    TextData10 = 1002,
    Text7 = 1003,
    Opt1 = 1004,
    Opt2 = 1005,
    Opt4 = 1006,
    Check2 = 1007,
    Command8 = 1008,
    Command4 = 1009,
    Command3 = 1010,
    Command2 = 1011,
    List1Display = 1012,
    Command1 = 1020,
    Command5 = 1021,
    Command9 = 1022,
    Command10 = 1023,
    Command7 = 1024,
    Command11 = 1025,
    FrameCalibration = 1030,
    FrameCalibrationBorder = 1031,
    Label17 = 1032,
    Text2 = 1033,
    Command14 = 1034,
};

// Common Text window (Form8).
enum CommonTextControl : int {
    Form8Label27 = 2001,
    Form8Text1 = 2002,
    Form8List1 = 2003,
    Form8Command1 = 2004,
    Form8Command2 = 2005,
    Form8Command3 = 2006,
    Form8Command4 = 2007,
    Form8Label1 = 2008,
};

// Start-with-Windows question (Form2255).
enum StartUpControl : int {
    Form2255Label1 = 3001,
    Form2255Check1 = 3002,
    Form2255Command1 = 3003,
    Form2255Command2 = 3004,
};

}  // namespace quorvel::view_ids
