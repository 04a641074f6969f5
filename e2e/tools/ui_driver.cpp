// Drives Quorvel's windows from outside with ordinary window messages, as the
// end-to-end tests' hands and eyes. Windows are named main, common (Common
// Text), startup (the start-with-Windows question), excluded (Excluded
// Programs), find (the Find and Type popup), import (Import from Another Program's
// preview); controls by their names in the program (triggerBox,
// addButton, shortcutList...) or by number; a CONTROL left out means the window itself. Texts,
// given and printed, are UTF-8: any character.
//
//   ui_driver wait-visible WINDOW [SECONDS]   waits for the window to show
//   ui_driver visible|enabled WINDOW [CONTROL], checked WINDOW CONTROL, iconic WINDOW (when
//       minimised), in-front WINDOW (the active window, nothing covering its middle),
//       in-work-area WINDOW (all of it in its monitor's work area)   print 1 or 0
//   ui_driver text WINDOW [CONTROL]   prints the text, CR and LF as \r and \n
//   ui_driver text-length WINDOW [CONTROL]   prints the text's length, as the box tells it
//   ui_driver set-text|set-lines WINDOW CONTROL LINE...   replaces the text as a paste would,
//       lines joined by CR LF
//   ui_driver click WINDOW CONTROL   clicks a button, option or check box
//   ui_driver paste WINDOW CONTROL   has the box paste the clipboard
//   ui_driver count WINDOW   prints the number of rows of the window's list
//   ui_driver rows WINDOW [FIRST [COUNT]]   prints the rows, CR and LF as \r and \n
//   ui_driver selected WINDOW   prints the number of the selected row, or none
//   ui_driver select WINDOW ROW   selects a row as a click does
//   ui_driver scroll-width WINDOW CONTROL   prints a list box's horizontal extent
//   ui_driver rect WINDOW [CONTROL]   prints the screen rectangle: X Y WIDTH HEIGHT
//   ui_driver focus WINDOW   prints the name of the control with the focus, or none
//   ui_driver menu COMMAND   chooses a menu item of the main window by its id
//   ui_driver close WINDOW   asks the window to close (its close box)
//   ui_driver tray MESSAGE   the tray icon's callback with a mouse message, returning once
//       the program has handled it
//   ui_driver send WINDOW MESSAGE WPARAM LPARAM   sends a window message (numbers),
//       returning once the window has handled it
//   ui_driver send-answer WINDOW MESSAGE WPARAM LPARAM   the same, and prints the window's answer
//   ui_driver hold-file PATH RELEASE   opens the file shared with no one, prints "held", and
//       keeps it so until the file RELEASE exists (a minute at most), as a sync tool or a
//       virus scanner may
//   ui_driver popup-menu-rect   the screen rectangle of the menu that shows
//   ui_driver answer BUTTON [CAPTION]   waits for a message box (caption "Quorvel"), prints
//       its text and presses Yes, No or OK
//   ui_driver no-box [CAPTION]   succeeds when no message box shows
//   ui_driver box-owner [CAPTION]   waits for a message box; prints the name of the window
//       it belongs to, or none
//   ui_driver default-button [CAPTION]   waits for a message box; prints its default button
//   ui_driver file-dialog PATH   waits for the open or save dialog, prints its caption and
//       file type, enters PATH and presses OK (the dialog may then ask, or refuse the name)
//   ui_driver file-dialog-box BUTTON   answers a box over that dialog as answer does
//   ui_driver cancel-file-dialog   presses that dialog's Cancel button
//   ui_driver move WINDOW X Y, resize WINDOW WIDTH HEIGHT   moves it (X "right": against
//       the screen's right edge), gives it that outer size
//   ui_driver minimize WINDOW   minimises it as its title bar's box does
//   ui_driver clipped WINDOW   prints each control cut off by the window or too small for
//       its caption in the message font
//   ui_driver font-width WINDOW CONTROL   prints the width of a text in the box's own font,
//       then in the message font at the window's DPI
//   ui_driver dpi-change WINDOW FROM TO   tells the window its DPI went from FROM to TO
//   ui_driver tray-icons   prints how many icons Wine's notification area shows
//   ui_driver tray-rect   the screen rectangle of its first icon
//   ui_driver tooltip   prints the text of the tooltip that shows
//   ui_driver clear-target   empties the test target's text box
//   ui_driver password-target on|off|protected   makes it an empty password box, the usual
//       box, or a box that tells accessibility it is protected
//   ui_driver set-clipboard TEXT   puts the text on the clipboard as Unicode text, and again
//       in a format of the driver's own (a mark)
//   ui_driver get-clipboard, get-clipboard-mark   prints the text, or the mark's, as it is
//   ui_driver code-page   prints the ANSI code page
//   ui_driver key COMBINATION   presses keys with SendInput, as any other program could:
//       ctrl+shift+insert, alt+x, 0x70 (a virtual key's number)
//   ui_driver inject TEXT   types TEXT (small letters, digits, blanks) so, a key at a time
//   ui_driver key-event VK down|up [EXTRA]   one event of a key, EXTRA (a number, 0x... too)
//       as its extra information
//   ui_driver type WINDOW CONTROL TEXT   types TEXT at the end of the box as its keys would
//   ui_driver foreground   prints the title of the active window, whichever program's
//   ui_driver mark PATH   writes a file, proof that a shortcut started it
//   ui_driver written PATH   prints the file's last write time
//   ui_driver windows WINDOW   prints the handle of each such window (two copies of
//       Quorvel); QUORVEL_UI_WINDOW=HANDLE then makes the other commands act on that one
//
// Timings, in milliseconds (30 s at most):
//   ui_driver timed COMMAND... [@ READING... [= EXPECTED]]   runs the command, then prints
//       the time until the command READING prints EXPECTED, or, with no "=", anything but
//       what it printed before: "timed select main 3 @ text-length main shortcutText =
//       1000", "timed click main addButton @ written FILE"
//   ui_driver timed-hotkey   timed key ctrl+shift+insert @ visible find = 1 (the Find and
//       Type popup)
//   ui_driver timed-set-text WINDOW CONTROL TEXT   timed set-text ...: the time until its
//       window has handled the change
//   ui_driver bare-box WINDOW CONTROL   puts the box's text into a box of the driver's
//       own with the same style, size and font; prints the time it took (0.1 ms)
//   ui_driver stamp FILE COMMAND...   writes "armed" and the Unix time in ms to FILE, runs
//       the command, then writes its name and the time
#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "../../app/win32/control_ids.h"
#include "../../platform/win32/unique_handle.h"
#include "tool_support.h"

namespace {

namespace ids = quorvel::view_ids;
using quorvel::NullIsNoHandle;
using quorvel::UniqueHandle;
using Font = UniqueHandle<HFONT, NullIsNoHandle<HFONT, &::DeleteObject>>;
using MemoryDc = UniqueHandle<HDC, NullIsNoHandle<HDC, &::DeleteDC>>;

constexpr UINT SendTimeoutMs = 10000;

struct Named {
    const char* name;
    int id;
};

// The main window's controls go by their names in the program.
constexpr Named MainControls[] = {{"triggerBox", ids::triggerBox},
                                  {"shortcutText", ids::shortcutText},
                                  {"spaceKey", ids::spaceKey},
                                  {"tabKey", ids::tabKey},
                                  {"enterAfter", ids::enterAfter},
                                  {"addButton", ids::addButton},
                                  {"deleteButton", ids::deleteButton},
                                  {"deleteAllButton", ids::deleteAllButton},
                                  {"samplesButton", ids::samplesButton},
                                  {"shortcutList", ids::shortcutList},
                                  {"minimizeButton", ids::minimizeButton},
                                  {"exitButton", ids::exitButton},
                                  {"importButton", ids::importButton},
                                  {"exportButton", ids::exportButton},
                                  {"helpButton", ids::helpButton},
                                  {"commonTextButton", ids::commonTextButton},
                                  {"calibrationPanel", ids::calibrationPanel},
                                  {"calibrationBox", ids::calibrationBox},
                                  {"calibrationOkButton", ids::calibrationOkButton},
                                  {"searchCaption", ids::searchCaption},
                                  {"searchBox", ids::searchBox},
                                  {"searchCount", ids::searchCount}};

constexpr Named CommonControls[] = {
    {"entryBox", ids::CommonEntryBox},       {"textList", ids::CommonTextList},
    {"addButton", ids::CommonAddButton},     {"removeButton", ids::CommonRemoveButton},
    {"closeButton", ids::CommonCloseButton}, {"sortButton", ids::CommonSortButton}};

constexpr Named StartUpControls[] = {{"question", ids::StartUpQuestionText},
                                     {"doNotAskAgain", ids::StartUpDoNotAskAgain},
                                     {"yesButton", ids::StartUpYesButton},
                                     {"noButton", ids::StartUpNoButton}};

using enum ids::ExcludedControl;
constexpr Named ExcludedControls[] = {
    {"nameBox", ExcludedNameBox},           {"addButton", ExcludedAddButton},
    {"frontButton", ExcludedFrontButton},   {"programList", ExcludedList},
    {"removeButton", ExcludedRemoveButton}, {"keePass", ExcludedSuggestion1},
    {"keePassXC", ExcludedSuggestion1 + 1}, {"onePassword", ExcludedSuggestion1 + 2},
    {"bitwarden", ExcludedSuggestion1 + 3}, {"remoteDesktop", ExcludedSuggestion1 + 4},
    {"closeButton", ExcludedCloseButton}};

constexpr Named FindControls[] = {
    {"searchBox", ids::FindSearchBox}, {"rows", ids::FindRows}, {"note", ids::FindNote}};

constexpr Named ImportControls[] = {{"summary", ids::ImportSummary},
                                    {"rows", ids::ImportRows},
                                    {"keepOption", ids::ImportKeepOption},
                                    {"replaceOption", ids::ImportReplaceOption},
                                    {"keepBothOption", ids::ImportKeepBothOption},
                                    {"importButton", ids::ImportButton},
                                    {"cancelButton", ids::ImportCancelButton}};

constexpr Named HeldControls[] = {{"rows", ids::HeldList},
                                  {"programBox", ids::HeldProgramBox},
                                  {"approveButton", ids::HeldApproveButton},
                                  {"removeButton", ids::HeldRemoveButton},
                                  {"closeButton", ids::HeldCloseButton}};

constexpr Named MessageBoxButtons[] = {{"Yes", IDYES}, {"No", IDNO}, {"OK", IDOK}};

struct WindowKind {
    const char* name;
    const wchar_t* windowClass;
    std::span<const Named> controls;
    int listId;
};

constexpr WindowKind Kinds[] = {
    {"main", ids::MainWindowClass, MainControls, ids::shortcutList},
    {"common", ids::CommonTextClass, CommonControls, ids::CommonTextList},
    {"startup", ids::StartUpDialogClass, StartUpControls, 0},
    {"excluded", ids::ExcludedProgramsClass, ExcludedControls, ids::ExcludedList},
    {"find", ids::FindAndTypeClass, FindControls, ids::FindRows},
    {"import", ids::ImportPreviewClass, ImportControls, ids::ImportRows},
    {"held", ids::HeldProgramsClass, HeldControls, ids::HeldList}};

// The id of the entry with that name, else the name read as a number (0 when it is none).
int idNamed(std::span<const Named> known, const char* name) {
    for (const Named& named : known) {
        if (std::strcmp(named.name, name) == 0) {
            return named.id;
        }
    }
    return std::atoi(name);
}

const WindowKind& kindNamed(const char* name) {
    for (const WindowKind& kind : Kinds) {
        if (std::strcmp(kind.name, name) == 0) {
            return kind;
        }
    }
    fail("no such window name", name);
}

// With two copies of Quorvel running, QUORVEL_UI_WINDOW (a handle that the
// command "windows" printed) says which one's window is meant.
HWND findWindow(const WindowKind& kind) {
    if (const char* chosen = std::getenv("QUORVEL_UI_WINDOW"); chosen != nullptr && *chosen) {
        const auto window = reinterpret_cast<HWND>(std::strtoull(chosen, nullptr, 0));
        wchar_t name[64] = {};
        ::GetClassNameW(window, name, 64);
        if (std::wcscmp(name, kind.windowClass) == 0) {
            return window;
        }
    }
    return ::FindWindowW(kind.windowClass, nullptr);
}

// The window when it shows, else null.
HWND shownWindow(const char* name) {
    const HWND window = findWindow(kindNamed(name));
    return window != nullptr && ::IsWindowVisible(window) ? window : nullptr;
}

HWND requireWindow(const char* name) {
    const HWND window = findWindow(kindNamed(name));
    if (window == nullptr) {
        fail("window not found", name);
    }
    return window;
}

// Polls `find` until it gives a window, or true; fails when SECONDS pass first.
template <typename Find>
auto awaited(double seconds, const std::string& failure, Find find, DWORD pollMs = 50) {
    decltype(find()) found{};
    const auto ready = [&] { return static_cast<bool>(found = find()); };
    if (!waitUntil(seconds, ready, pollMs)) {
        fail(failure.c_str());
    }
    return found;
}

// The name of one of the program's windows, or "none"/"other".
std::string nameOf(HWND window) {
    if (window == nullptr) {
        return "none";
    }
    for (const WindowKind& kind : Kinds) {
        if (findWindow(kind) == window) {
            return kind.name;
        }
    }
    return "other";
}

// The control's name in its window, or its number.
std::string controlName(HWND window, HWND control) {
    const int id = ::GetDlgCtrlID(control);
    for (const Named& named : kindNamed(nameOf(window).c_str()).controls) {
        if (named.id == id) {
            return named.name;
        }
    }
    return std::to_string(id);
}

BOOL CALLBACK collect(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// Every descendant of `parent`, or every top-level window when it is null.
std::vector<HWND> windowsUnder(HWND parent) {
    std::vector<HWND> windows;
    const auto into = reinterpret_cast<LPARAM>(&windows);
    parent != nullptr ? ::EnumChildWindows(parent, &collect, into) : ::EnumWindows(&collect, into);
    return windows;
}

bool isClass(HWND window, const char* name) {
    char windowClass[64] = {};
    ::GetClassNameA(window, windowClass, sizeof(windowClass));
    return _stricmp(windowClass, name) == 0;
}

// Any descendant: some controls sit inside a panel of the window.
HWND findChild(HWND window, int id) {
    for (const HWND child : windowsUnder(window)) {
        if (::GetDlgCtrlID(child) == id) {
            return child;
        }
    }
    return nullptr;
}

HWND requireControl(const char* windowName, const char* controlName) {
    const int id = idNamed(kindNamed(windowName).controls, controlName);
    const HWND control = findChild(requireWindow(windowName), id);
    if (control == nullptr) {
        fail("control not found", controlName);
    }
    return control;
}

// The arguments as typed, whatever their characters (argv holds ANSI text).
std::vector<std::string> utf8Arguments() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> utf8;
    for (int i = 0; i < count; ++i) {
        utf8.push_back(utf8Of(arguments[i]));
    }
    ::LocalFree(arguments);
    return utf8;
}

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SendTimeoutMs,
                               &result)) {
        fail("the window did not answer");
    }
    return static_cast<LRESULT>(result);
}

// WM_GETTEXT and LB_GETTEXT are carried across processes by the system.
std::string textOf(HWND window, UINT lengthMessage = WM_GETTEXTLENGTH,
                   UINT textMessage = WM_GETTEXT, WPARAM row = 0) {
    const LRESULT length = sendTo(window, lengthMessage, row, 0);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 2, L'\0');
    const bool byRow = textMessage == LB_GETTEXT;
    sendTo(window, textMessage, byRow ? row : buffer.size() - 1,
           reinterpret_cast<LPARAM>(buffer.data()));
    return utf8Of(buffer.data());
}

void setTextOf(HWND window, const std::string& text) {
    const std::wstring wide = wideOf(text);
    sendTo(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void setText(HWND control, const std::string& text) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
    if ((style & ES_MULTILINE) == 0) {
        setTextOf(control, text);
        return;
    }
    // A multi-line box tells its window of WM_SETTEXT changes on no system, so
    // the text goes in as a paste over the whole content.
    const std::wstring wide = wideOf(text);
    sendTo(control, EM_SETSEL, 0, -1);
    sendTo(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

// What the commands print: stdout, flushed at once (a script may wait for a
// line while the command goes on), or the reading that `timed` compares.
std::string*& capture() {
    static std::string* into = nullptr;
    return into;
}

int printed(const std::string& line) {
    if (capture() != nullptr) {
        *capture() += line + "\n";
    } else {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    return 0;
}

int printed(unsigned long long number) {
    return printed(std::to_string(number));
}

int printedFlag(bool flag) {
    return printed(flag ? "1" : "0");
}

int succeeded(BOOL done) {
    return done ? 0 : 1;
}

// Returns once the window has handled the message.
int sent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    sendTo(window, message, wParam, lParam);
    return 0;
}

// The screen rectangle: X Y WIDTH HEIGHT.
int printedRect(HWND window, const char* missing = "no such window") {
    RECT rect{};
    if (window == nullptr || !::GetWindowRect(window, &rect)) {
        fail(missing);
    }
    return printed(std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                   std::to_string(rect.right - rect.left) + " " +
                   std::to_string(rect.bottom - rect.top));
}

[[noreturn]] void usage() {
    std::fputs("usage: see the comment at the top of e2e/tools/ui_driver.cpp\n", stderr);
    std::exit(2);
}

// Memory inside the program under test, for list view messages whose pointers
// the system does not carry across processes.
class RemoteMemory {
  public:
    RemoteMemory(HWND window, std::size_t size) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        process_.reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                     FALSE, processId));
        address_ = process_ ? ::VirtualAllocEx(process_.get(), nullptr, size,
                                               MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                            : nullptr;
        if (address_ == nullptr) {
            fail("cannot reserve memory in the program's process");
        }
    }
    ~RemoteMemory() { ::VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE); }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    char* address() const { return static_cast<char*>(address_); }
    void write(std::size_t offset, const void* data, std::size_t size) {
        ::WriteProcessMemory(process_.get(), address() + offset, data, size, nullptr);
    }
    void read(std::size_t offset, void* data, std::size_t size) {
        ::ReadProcessMemory(process_.get(), address() + offset, data, size, nullptr);
    }

  private:
    quorvel::UniqueKernelHandle process_;
    void* address_ = nullptr;
};

// The main window's list is a list view, the others' list boxes.
bool isListView(const char* windowName) {
    return std::strcmp(windowName, "main") == 0;
}

HWND listOf(const char* windowName) {
    const HWND list = findChild(requireWindow(windowName), kindNamed(windowName).listId);
    if (list == nullptr) {
        fail("the window has no list", windowName);
    }
    return list;
}

std::size_t rowCount(const char* windowName) {
    const LRESULT count =
        sendTo(listOf(windowName), isListView(windowName) ? LVM_GETITEMCOUNT : LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

// The rows from `first` on, `most` of them at most.
std::vector<std::string> rowsOf(const char* windowName, std::size_t first = 0,
                                std::size_t most = SIZE_MAX) {
    const HWND list = listOf(windowName);
    const std::size_t count =
        std::min(rowCount(windowName), first + std::min(most, SIZE_MAX - first));
    std::vector<std::string> rows;
    if (!isListView(windowName)) {
        for (std::size_t row = first; row < count; ++row) {
            rows.push_back(textOf(list, LB_GETTEXTLEN, LB_GETTEXT, row));
        }
        return rows;
    }
    constexpr std::size_t TextRoom = 8192;
    RemoteMemory memory(list, sizeof(LVITEMW) + TextRoom * sizeof(wchar_t));
    std::vector<wchar_t> text(TextRoom, L'\0');
    for (std::size_t row = first; row < count; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = reinterpret_cast<wchar_t*>(memory.address() + sizeof(LVITEMW));
        item.cchTextMax = static_cast<int>(TextRoom);
        memory.write(0, &item, sizeof(item));
        const LRESULT length =
            sendTo(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory.address()));
        memory.read(sizeof(LVITEMW), text.data(), TextRoom * sizeof(wchar_t));
        rows.push_back(utf8Of({text.data(), length > 0 ? static_cast<std::size_t>(length) : 0}));
    }
    return rows;
}

int selectRow(const char* windowName, long row) {
    const HWND list = listOf(windowName);
    if (!isListView(windowName)) {
        // A click selects the row and tells the window, which LB_SETCURSEL alone does not.
        sendTo(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        ::PostMessageW(::GetParent(list), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
        return 0;
    }
    RemoteMemory memory(list, sizeof(LVITEMW));
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    memory.write(0, &state, sizeof(state));
    // The list view tells its window of the new selection itself.
    sendTo(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
           reinterpret_cast<LPARAM>(memory.address()));
    return 0;
}

constexpr int FileTypeCombo = 0x470;  // cmb1
constexpr int FileNameCombo = 0x47c;  // cmb13
constexpr int FileNameEdit = 0x480;   // edt1

HWND fileNameBox(HWND dialog) {
    const HWND combo = findChild(dialog, FileNameCombo);
    return combo != nullptr ? combo : findChild(dialog, FileNameEdit);
}

// The first showing dialog (a message box, the open or save dialog) that `wanted` takes.
template <typename Wanted>
HWND dialogWhere(Wanted wanted) {
    for (const HWND window : windowsUnder(nullptr)) {
        if (isClass(window, "#32770") && ::IsWindowVisible(window) && wanted(window)) {
            return window;
        }
    }
    return nullptr;
}

// A message box with that caption, or with none the open or save dialog (the
// one with a file name box). The boxes a file dialog shows itself may have its
// caption.
HWND findDialog(const char* caption) {
    return dialogWhere([caption](HWND dialog) {
        const bool fileDialog = fileNameBox(dialog) != nullptr;
        return caption != nullptr ? !fileDialog && textOf(dialog) == caption : fileDialog;
    });
}

HWND requireDialog(const char* caption) {
    const std::string what = caption != nullptr ? caption : "a file dialog";
    return awaited(10, "no dialog appeared: " + what, [caption] { return findDialog(caption); });
}

// A box the dialog shows over itself (a question, a refusal).
HWND boxOver(HWND dialog) {
    return dialogWhere([dialog](HWND box) { return ::GetWindow(box, GW_OWNER) == dialog; });
}

void pressButton(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Presses a dialog's button and waits until the dialog has gone, or, when
// `orBox`, shows a box of its own, which the caller answers.
int press(HWND dialog, int id, bool orBox = false) {
    pressButton(dialog, id);
    if (!waitUntil(10, [&] {
            return !::IsWindow(dialog) || !::IsWindowVisible(dialog) ||
                   (orBox && boxOver(dialog) != nullptr);
        })) {
        fail("the dialog stayed after the answer");
    }
    return 0;
}

// Prints the box's text and presses its button Yes, No or OK.
int answerBox(HWND box, const char* button) {
    const int id = idNamed(MessageBoxButtons, button);
    if (id == 0 || ::GetDlgItem(box, id) == nullptr) {
        fail("the box has no such button", button);
    }
    // The message of a box: its longest static text (the icon's static has none).
    std::string text;
    for (const HWND child : windowsUnder(box)) {
        const std::string own = isClass(child, "Static") ? textOf(child) : "";
        text = own.size() > text.size() ? own : text;
    }
    printed(escaped(text));
    return press(box, id);
}

// Prints the dialog's title and the kind of file it lists, enters the path and
// presses OK.
int fileDialog(const char* path) {
    const HWND dialog = requireDialog(nullptr);
    const HWND kind = findChild(dialog, FileTypeCombo);
    printed(textOf(dialog) + "\n" + (kind != nullptr ? textOf(kind) : ""));
    const HWND name = fileNameBox(dialog);
    if (name == nullptr) {
        fail("the dialog has no file name box");
    }
    setTextOf(name, path);
    return press(dialog, IDOK, true);
}

// The caption of the default button of a message box: the one drawn as such.
int defaultButton(const char* caption) {
    for (const HWND child : windowsUnder(requireDialog(caption))) {
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
        if (isClass(child, "Button") && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return printed(textOf(child));
        }
    }
    fail("the box has no default button");
}

// The name of the window's control that has the keyboard focus, or "none".
std::string focusedControl(const char* windowName) {
    const HWND window = requireWindow(windowName);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ||
        info.hwndFocus == nullptr || !::IsChild(window, info.hwndFocus)) {
        return "none";
    }
    return controlName(window, info.hwndFocus);
}

bool contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool inFront(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    const HWND atMiddle = ::WindowFromPoint(middle);
    return ::GetForegroundWindow() == window && atMiddle != nullptr &&
           ::GetAncestor(atMiddle, GA_ROOT) == window;
}

bool inWorkArea(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    if (!contains(work, rect)) {
        std::fprintf(stderr, "window %ld,%ld-%ld,%ld, work area %ld,%ld-%ld,%ld\n", rect.left,
                     rect.top, rect.right, rect.bottom, work.left, work.top, work.right,
                     work.bottom);
        return false;
    }
    return true;
}

// Moves the window or gives it that outer size, as `keep` leaves the one or the other.
int placed(HWND window, int first, int second, UINT keep) {
    return succeeded(::SetWindowPos(window, nullptr, first, second, first, second,
                                    keep | SWP_NOZORDER | SWP_NOACTIVATE));
}

// The size of a text in the system's message font at the DPI of `window`, the
// font the program's windows must draw with: on one line, or wrapped at
// `wrapWidth` when it is above 0.
SIZE messageFontSize(HWND window, const std::wstring& text, int wrapWidth = 0) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                      ::GetDpiForWindow(window))) {
        fail("no message font");
    }
    const Font font(::CreateFontIndirectW(&metrics.lfMessageFont));
    const MemoryDc dc(::CreateCompatibleDC(nullptr));
    ::SelectObject(dc.get(), font.get());
    RECT rect{0, 0, wrapWidth > 0 ? wrapWidth : 10000, 0};
    const UINT format = DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect, format);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// What keeps the control from showing whole, or nothing.
std::string whyClipped(HWND window, HWND control) {
    RECT own{};
    RECT parent{};
    ::GetWindowRect(control, &own);
    const HWND parentWindow = ::GetParent(control);
    ::GetClientRect(parentWindow, &parent);
    ::MapWindowPoints(parentWindow, nullptr, reinterpret_cast<POINT*>(&parent), 2);
    if (!contains(parent, own)) {
        return "outside its window";
    }
    const std::wstring caption = wideOf(textOf(control));
    if (caption.empty()) {
        return {};
    }
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const auto scaled = [&](int pixels) {
        return ::MulDiv(pixels, static_cast<int>(::GetDpiForWindow(window)), 96);
    };
    SIZE text{};
    int needed = 0;
    if (isClass(control, "Static")) {
        text = messageFontSize(window, caption, width);
    } else if (isClass(control, "Button")) {
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
        const DWORD type = style & BS_TYPEMASK;
        text = messageFontSize(window, caption);
        if (type == BS_GROUPBOX) {
            needed = text.cx + scaled(16);
        } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                   type == BS_AUTORADIOBUTTON) {
            const int box = scaled(13) + scaled(6);  // the box and the gap before the caption
            if ((style & BS_MULTILINE) != 0) {
                text = messageFontSize(window, caption, width - box);
            }
            needed = box + text.cx;
        } else {
            needed = text.cx + scaled(10);  // the edges and a margin on each side
        }
    }
    if (needed > width || text.cy > height) {
        return "caption needs " + std::to_string(needed) + "x" + std::to_string(text.cy) +
               ", has " + std::to_string(width) + "x" + std::to_string(height);
    }
    return {};
}

int printClipped(HWND window) {
    for (const HWND control : windowsUnder(window)) {
        const std::string why = ::IsWindowVisible(control) ? whyClipped(window, control) : "";
        if (!why.empty()) {
            printed(controlName(window, control) + ": " + why);
        }
    }
    return 0;
}

// A text box's font measured from where it puts its characters, against the
// message font: the two widths are equal when the box uses the message font.
int fontWidth(HWND box) {
    static const wchar_t Sample[] = L"Add ShortCut WWWW iiii 0123456789";
    constexpr int Last = static_cast<int>(std::size(Sample)) - 2;
    const std::string before = textOf(box);
    sendTo(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Sample));
    const LRESULT first = sendTo(box, EM_POSFROMCHAR, 0, 0);
    const LRESULT last = sendTo(box, EM_POSFROMCHAR, Last, 0);
    setTextOf(box, before);
    std::printf("%d %ld\n", static_cast<short>(LOWORD(last)) - static_cast<short>(LOWORD(first)),
                messageFontSize(::GetAncestor(box, GA_ROOT), std::wstring(Sample, Last)).cx);
    return 0;
}

// What the box's text costs a box with nothing of the program around it: a
// box of the driver's own, alike in class, style, size and font, takes it.
int timedBareBox(HWND box) {
    const std::wstring text = wideOf(textOf(box));
    RECT rect{};
    ::GetWindowRect(box, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                 ::GetDpiForWindow(box));
    const Font font(::CreateFontIndirectW(&metrics.lfMessageFont));
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, width + 20,
                                         height + 20, nullptr, nullptr, nullptr, nullptr);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(box, GWL_STYLE));
    const auto extended = static_cast<DWORD>(::GetWindowLongPtrW(box, GWL_EXSTYLE));
    const HWND bare = ::CreateWindowExW(extended, L"EDIT", L"", style | WS_CHILD | WS_VISIBLE, 10,
                                        10, width, height, owner, nullptr, nullptr, nullptr);
    if (bare == nullptr) {
        fail("no box of the driver's own");
    }
    ::SendMessageW(bare, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    ::SendMessageW(bare, EM_SETLIMITTEXT, 0, 0);
    LARGE_INTEGER frequency{}, start{}, end{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    ::SendMessageW(bare, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::QueryPerformanceCounter(&end);
    const LRESULT taken = ::SendMessageW(bare, WM_GETTEXTLENGTH, 0, 0);
    ::DestroyWindow(owner);
    if (taken != static_cast<LRESULT>(text.size())) {
        fail("the driver's box did not take the text whole");
    }
    std::printf("%.1f\n", 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart));
    return 0;
}

int dpiChange(HWND window, int from, int to) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    RECT suggested{rect.left, rect.top, rect.left + ::MulDiv(rect.right - rect.left, to, from),
                   rect.top + ::MulDiv(rect.bottom - rect.top, to, from)};
    RemoteMemory memory(window, sizeof(RECT));
    memory.write(0, &suggested, sizeof(suggested));
    sendTo(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(memory.address()));
    return 0;
}

// Wine shows notification-area icons, where no X tray is, in a window of its
// own with one child window per icon.
std::vector<HWND> wineTrayIcons() {
    std::vector<HWND> icons;
    const HWND tray = ::FindWindowA("__winex11_standalone_tray", nullptr);
    if (tray != nullptr && ::IsWindowVisible(tray)) {
        for (HWND icon = ::GetWindow(tray, GW_CHILD); icon != nullptr;
             icon = ::GetWindow(icon, GW_HWNDNEXT)) {
            if (::IsWindowVisible(icon)) {
                icons.push_back(icon);
            }
        }
    }
    return icons;
}

int printTooltips() {
    for (const HWND window : windowsUnder(nullptr)) {
        if (isClass(window, TOOLTIPS_CLASSA) && ::IsWindowVisible(window)) {
            printed(escaped(textOf(window)));
        }
    }
    return 0;
}

// The file's last write time, or zero when it cannot be read.
ULONGLONG lastWriteOf(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(wideOf(path).c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

// A format no program but this one writes: a text that comes back in it was
// put back by whoever saved the clipboard whole, not written afresh.
UINT markFormat() {
    return ::RegisterClipboardFormatW(L"Quorvel e2e mark");
}

// The clipboard must be open.
bool putText(UINT format, const std::wstring& wide) {
    const std::size_t size = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) {
        return false;
    }
    std::memcpy(::GlobalLock(memory), wide.c_str(), size);
    ::GlobalUnlock(memory);
    if (::SetClipboardData(format, memory) == nullptr) {
        ::GlobalFree(memory);
        return false;
    }
    return true;
}

int setClipboard(const std::string& text) {
    if (!openClipboard(nullptr)) {
        return 1;
    }
    ::EmptyClipboard();
    const std::wstring wide = wideOf(text);
    const bool done = putText(CF_UNICODETEXT, wide) && putText(markFormat(), wide);
    ::CloseClipboard();
    return done ? 0 : 1;
}

// Byte for byte: no line end added, none translated.
int printClipboard(UINT format) {
    if (!openClipboard(nullptr)) {
        return 1;
    }
    const std::string text = clipboardText(format);
    ::CloseClipboard();
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

HWND testTarget() {
    const HWND target = ::FindWindowW(nullptr, TestTargetTitle);
    if (target == nullptr) {
        fail("no test target");
    }
    return target;
}

long long unixMs() {
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<long long>((ticks - 116444736000000000ULL) / 10000);
}

// One key event with SendInput, as any other program could send it; EXTRA is
// its extra information, which some programs use to mark their own keys.
bool sendKey(WORD vk, bool up, ULONG_PTR extra = 0) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    // The arrow block's keys, not the keypad's.
    const bool extended = (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    input.ki.dwExtraInfo = extra;
    return ::SendInput(1, &input, sizeof(INPUT)) == 1;
}

// A key's code: a letter or digit, a name, or a number (0x... too).
WORD keyCode(const std::string& name) {
    constexpr std::pair<const char*, WORD> Named[] = {{"ctrl", VK_CONTROL},
                                                      {"shift", VK_SHIFT},
                                                      {"alt", VK_MENU},
                                                      {"insert", VK_INSERT},
                                                      {" ", VK_SPACE}};
    for (const auto& [word, vk] : Named) {
        if (name == word) {
            return vk;
        }
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    return static_cast<WORD>(std::strtoul(name.c_str(), nullptr, 0));
}

// Presses the keys of a combination such as ctrl+shift+insert, then lets them
// go in the reverse order.
int pressKeys(const std::string& combination) {
    std::vector<WORD> keys;
    for (std::size_t at = 0; at <= combination.size();) {
        const std::size_t plus = std::min(combination.find('+', at), combination.size());
        keys.push_back(keyCode(combination.substr(at, plus - at)));
        at = plus + 1;
    }
    bool done = true;
    for (const WORD vk : keys) {
        done = sendKey(vk, false) && done;
    }
    for (auto vk = keys.rbegin(); vk != keys.rend(); ++vk) {
        done = sendKey(*vk, true) && done;
    }
    return succeeded(done);
}

// One key at a time, with a pause, like a fast typist rather than a burst.
int inject(const std::string& text) {
    for (const char c : text) {
        if (c != ' ' && !std::islower(static_cast<unsigned char>(c)) &&
            !std::isdigit(static_cast<unsigned char>(c))) {
            fail("inject takes small letters, digits and blanks");
        }
        for (const bool up : {false, true}) {
            if (!sendKey(keyCode(std::string(1, c)), up)) {
                fail("SendInput failed");
            }
            ::Sleep(10);
        }
    }
    return 0;
}

// The arguments after the command's name: the first names a window, the
// second, for most commands, one of its controls.
class Arguments {
  public:
    explicit Arguments(std::vector<std::string> all) : all_(std::move(all)) {}

    const char* operator[](std::size_t i) const {
        return i < all_.size() ? all_[i].c_str() : nullptr;
    }
    const char* required(std::size_t i) const {
        if ((*this)[i] == nullptr) {
            usage();
        }
        return (*this)[i];
    }
    int number(std::size_t i) const { return std::atoi(required(i)); }
    const char* caption(std::size_t i) const { return (*this)[i] ? (*this)[i] : "Quorvel"; }
    HWND window() const { return requireWindow(required(0)); }
    HWND control() const { return requireControl(required(0), required(1)); }
    // The control when one is named, else the window.
    HWND target() const { return (*this)[1] != nullptr ? control() : window(); }
    const std::vector<std::string>& all() const { return all_; }

  private:
    std::vector<std::string> all_;
};

// The words from the third on, joined by CR LF.
int setLines(const Arguments& arguments) {
    std::string text;
    for (std::size_t line = 2; arguments[line] != nullptr; ++line) {
        text += (line > 2 ? "\r\n" : "") + std::string(arguments[line]);
    }
    setText(arguments.control(), text);
    return 0;
}

int run(std::vector<std::string> words);

// timed ACTION... [@ READING... [= EXPECTED]]: runs the command ACTION, then
// prints the milliseconds until the command READING prints EXPECTED, or with
// no "=" anything but what it printed before (30 s at most).
int timed(const std::vector<std::string>& words) {
    const auto at = std::find(words.begin(), words.end(), "@");
    const auto is = std::find(at, words.end(), "=");
    const std::vector<std::string> reading(at == words.end() ? at : at + 1, is);
    std::string expected;
    for (auto word = is == words.end() ? is : is + 1; word != words.end(); ++word) {
        expected += *word + (word + 1 == words.end() ? "\n" : " ");
    }
    const auto quietly = [](const std::vector<std::string>& command) {
        std::string out;
        capture() = &out;
        run(command);
        capture() = nullptr;
        return out;
    };
    const std::string before = reading.empty() ? "" : quietly(reading);
    const ULONGLONG start = ::GetTickCount64();
    quietly({words.begin(), at});
    const auto done = [&] {
        const std::string now = quietly(reading);
        return is != words.end() ? now == expected : now != before;
    };
    while (!reading.empty() && !done() && ::GetTickCount64() - start < 30000) {
        ::Sleep(1);
    }
    return printed(std::to_string(::GetTickCount64() - start));
}

// stamp FILE COMMAND...: writes "armed" and the Unix time in ms to FILE, runs
// the command, then writes its name and the time: started before the program,
// the driver's own start costs the measure nothing.
int stamp(const std::vector<std::string>& words) {
    std::FILE* file = std::fopen(words.at(0).c_str(), "w");
    if (file == nullptr) {
        fail("the file cannot be written");
    }
    std::fprintf(file, "armed %lld\n", unixMs());
    std::fflush(file);
    const int status = run({words.begin() + 1, words.end()});
    std::fprintf(file, "%s %lld\n", words.at(1).c_str(), unixMs());
    return std::fclose(file) == 0 ? status : 1;
}

struct Command {
    const char* name;
    int (*run)(const Arguments&);
};

using A = const Arguments&;

// Reads a number from the window with a message sent to it.
int asked(HWND window, UINT message) {
    return printed(sendTo(window, message, 0, 0));
}

int sentFrom(A a, bool answer) {
    const auto number = [&](std::size_t i) { return std::strtoll(a.required(i), nullptr, 0); };
    const LRESULT result = sendTo(a.window(), static_cast<UINT>(number(1)),
                                  static_cast<WPARAM>(number(2)), static_cast<LPARAM>(number(3)));
    return answer ? printed(std::to_string(result)) : 0;
}

constexpr Command Commands[] = {
    {"wait-visible",
     [](A a) {
         const char* name = a.required(0);
         awaited(a[1] ? std::atof(a[1]) : 10, std::string("the window did not show: ") + name,
                 [name] { return shownWindow(name); });
         return 0;
     }},
    {"visible",
     [](A a) {
         return printedFlag(a[1] ? ::IsWindowVisible(a.control())
                                 : shownWindow(a.required(0)) != nullptr);
     }},
    {"enabled", [](A a) { return printedFlag(::IsWindowEnabled(a.target())); }},
    {"checked",
     [](A a) { return printedFlag(sendTo(a.control(), BM_GETCHECK, 0, 0) == BST_CHECKED); }},
    {"iconic", [](A a) { return printedFlag(::IsIconic(a.window())); }},
    {"in-front", [](A a) { return printedFlag(inFront(a.window())); }},
    {"in-work-area", [](A a) { return printedFlag(inWorkArea(a.window())); }},
    {"text", [](A a) { return printed(escaped(textOf(a.target()))); }},
    {"text-length", [](A a) { return asked(a.target(), WM_GETTEXTLENGTH); }},
    {"scroll-width", [](A a) { return asked(a.control(), LB_GETHORIZONTALEXTENT); }},
    {"set-text", &setLines},
    {"set-lines", &setLines},
    // Posted: the click may open a message box, which would hold a sent message.
    {"click", [](A a) { return succeeded(::PostMessageW(a.control(), BM_CLICK, 0, 0)); }},
    {"paste", [](A a) { return succeeded(::PostMessageW(a.control(), WM_PASTE, 0, 0)); }},
    // At the end of the box, as its keys would.
    {"type",
     [](A a) {
         const HWND box = a.control();
         const LRESULT end = sendTo(box, WM_GETTEXTLENGTH, 0, 0);
         sendTo(box, EM_SETSEL, static_cast<WPARAM>(end), end);
         for (const wchar_t c : wideOf(a.required(2))) {
             ::PostMessageW(box, WM_CHAR, c, 1);
         }
         return 0;
     }},
    {"count", [](A a) { return printed(rowCount(a.required(0))); }},
    {"rows",
     [](A a) {
         const auto first = static_cast<std::size_t>(a[1] ? a.number(1) : 0);
         const auto most = a[2] ? static_cast<std::size_t>(a.number(2)) : SIZE_MAX;
         for (const std::string& row : rowsOf(a.required(0), first, most)) {
             printed(escaped(row));
         }
         return 0;
     }},
    {"selected",
     [](A a) {
         const char* name = a.required(0);
         const LRESULT row = isListView(name) ? sendTo(listOf(name), LVM_GETNEXTITEM,
                                                       static_cast<WPARAM>(-1), LVNI_SELECTED)
                                              : sendTo(listOf(name), LB_GETCURSEL, 0, 0);
         return row < 0 ? printed("none") : printed(row);
     }},
    {"select", [](A a) { return selectRow(a.required(0), a.number(1)); }},
    {"rect", [](A a) { return printedRect(a.target()); }},
    {"focus", [](A a) { return printed(focusedControl(a.required(0))); }},
    {"menu",
     [](A a) {
         return succeeded(::PostMessageW(requireWindow("main"), WM_COMMAND, a.number(0), 0));
     }},
    {"windows",
     [](A a) {
         const wchar_t* windowClass = kindNamed(a.required(0)).windowClass;
         for (HWND window = nullptr;
              (window = ::FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr;) {
             char handle[32];
             std::snprintf(
                 handle, sizeof(handle), "0x%llx",
                 static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
             printed(handle);
         }
         return 0;
     }},
    {"close", [](A a) { return succeeded(::PostMessageW(a.window(), WM_CLOSE, 0, 0)); }},
    // Sent, not posted: what the press or release does has been done on return.
    {"tray",
     [](A a) {
         return sent(requireWindow("main"), WM_MOUSEMOVE, 0,
                     std::strtol(a.required(0), nullptr, 0));
     }},
    {"send", [](A a) { return sentFrom(a, false); }},
    {"send-answer", [](A a) { return sentFrom(a, true); }},
    {"hold-file",
     [](A a) {
         const quorvel::UniqueFileHandle file(::CreateFileW(wideOf(a.required(0)).c_str(),
                                                            GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                            FILE_ATTRIBUTE_NORMAL, nullptr));
         if (!file) {
             fail("the file could not be opened");
         }
         printed("held");
         const char* release = a.required(1);
         waitUntil(60, [release] {
             return ::GetFileAttributesW(wideOf(release).c_str()) != INVALID_FILE_ATTRIBUTES;
         });
         return 0;
     }},
    // A popup menu is a window of the system's menu class.
    {"popup-menu-rect",
     [](A) {
         const HWND menu = ::FindWindowW(L"#32768", nullptr);
         return printedRect(menu != nullptr && ::IsWindowVisible(menu) ? menu : nullptr,
                            "no menu shows");
     }},
    {"answer", [](A a) { return answerBox(requireDialog(a.caption(1)), a.required(0)); }},
    {"file-dialog-box",
     [](A a) {
         const HWND dialog = requireDialog(nullptr);
         const HWND box =
             awaited(10, "the file dialog shows no box", [dialog] { return boxOver(dialog); });
         return answerBox(box, a.required(0));
     }},
    {"no-box",
     [](A a) {
         ::Sleep(300);
         return findDialog(a.caption(0)) == nullptr ? 0 : 1;
     }},
    {"box-owner",
     [](A a) { return printed(nameOf(::GetWindow(requireDialog(a.caption(0)), GW_OWNER))); }},
    {"default-button", [](A a) { return defaultButton(a.caption(0)); }},
    {"file-dialog", [](A a) { return fileDialog(a.required(0)); }},
    {"cancel-file-dialog", [](A) { return press(requireDialog(nullptr), IDCANCEL); }},
    // X "right" puts the window against the screen's right edge.
    {"move",
     [](A a) {
         const HWND window = a.window();
         RECT rect{};
         ::GetWindowRect(window, &rect);
         const int x = std::strcmp(a.required(1), "right") == 0
                           ? ::GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)
                           : a.number(1);
         return placed(window, x, a.number(2), SWP_NOSIZE);
     }},
    {"resize", [](A a) { return placed(a.window(), a.number(1), a.number(2), SWP_NOMOVE); }},
    {"minimize", [](A a) { return succeeded(::ShowWindowAsync(a.window(), SW_MINIMIZE)); }},
    {"clipped", [](A a) { return printClipped(a.window()); }},
    {"font-width", [](A a) { return fontWidth(a.control()); }},
    {"dpi-change", [](A a) { return dpiChange(a.window(), a.number(1), a.number(2)); }},
    {"tray-icons", [](A) { return printed(wineTrayIcons().size()); }},
    {"tray-rect",
     [](A) {
         const std::vector<HWND> icons = wineTrayIcons();
         return printedRect(icons.empty() ? nullptr : icons[0], "Wine's tray shows no icon");
     }},
    {"tooltip", [](A) { return printTooltips(); }},
    {"clear-target",
     [](A) { return succeeded(::PostMessageW(testTarget(), ClearTargetMessage, 0, 0)); }},
    // Sent, not posted: the box has changed, and has the focus, when this returns.
    {"password-target",
     [](A a) {
         const std::string kind = a.required(0);
         return sent(testTarget(), PasswordTargetMessage,
                     kind == "on"          ? 1
                     : kind == "protected" ? 2
                                           : 0,
                     0);
     }},
    {"set-clipboard", [](A a) { return setClipboard(a.required(0)); }},
    {"get-clipboard", [](A) { return printClipboard(CF_UNICODETEXT); }},
    {"get-clipboard-mark", [](A) { return printClipboard(markFormat()); }},
    {"code-page", [](A) { return printed(::GetACP()); }},
    {"foreground", [](A) { return printed(escaped(textOf(::GetForegroundWindow()))); }},
    {"mark", [](A a) { return succeeded(writeFile(a.required(0), "started")); }},
    {"written", [](A a) { return printed(lastWriteOf(a.required(0))); }},
    {"key", [](A a) { return pressKeys(a.required(0)); }},
    {"inject", [](A a) { return inject(a.required(0)); }},
    {"key-event",
     [](A a) {
         const auto vk = static_cast<WORD>(std::strtoul(a.required(0), nullptr, 0));
         return succeeded(sendKey(vk, std::strcmp(a.required(1), "up") == 0,
                                  a[2] ? std::strtoull(a[2], nullptr, 0) : 0));
     }},
    {"timed", [](A a) { return timed(a.all()); }},
    {"timed-hotkey",
     [](A) { return run({"timed", "key", "ctrl+shift+insert", "@", "visible", "find", "=", "1"}); }},
    // The box's window has handled the change when the sent message returns.
    {"timed-set-text",
     [](A a) { return run({"timed", "set-text", a.required(0), a.required(1), a.required(2)}); }},
    {"bare-box", [](A a) { return timedBareBox(a.control()); }},
    {"stamp", [](A a) { return stamp(a.all()); }}};

int run(std::vector<std::string> words) {
    for (const Command& command : Commands) {
        if (!words.empty() && words[0] == command.name) {
            words.erase(words.begin());
            return command.run(Arguments(std::move(words)));
        }
    }
    usage();
}

}  // namespace

int main() {
    std::vector<std::string> arguments = utf8Arguments();
    arguments.erase(arguments.begin());
    return run(std::move(arguments));
}
