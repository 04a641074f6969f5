// Drives Quorvel's windows from outside with ordinary window messages, as the
// end-to-end tests' hands and eyes. Windows are named main, common (Common
// Text), startup (the start-with-Windows question), excluded (Excluded
// Programs); controls by their names in
// the program (triggerBox, addButton, shortcutList...) or by number. Texts, given and
// printed, are UTF-8: any character.
//
//   ui_driver wait-visible WINDOW [SECONDS]   waits for the window to show
//   ui_driver visible WINDOW [CONTROL]        prints 1 or 0
//   ui_driver enabled WINDOW [CONTROL]        prints 1 or 0
//   ui_driver checked WINDOW CONTROL          prints 1 or 0
//   ui_driver iconic WINDOW                   prints 1 when minimised
//   ui_driver in-front WINDOW                 prints 1 when the window is the active one
//                                             and nothing covers its middle
//   ui_driver in-work-area WINDOW             prints 1 when all of it is in its monitor's work area
//   ui_driver text WINDOW [CONTROL]           prints the control's text, or the window's caption
//   ui_driver set-text WINDOW CONTROL LINE... replaces the text as a paste would, lines
//                                             joined by CR LF (set-lines is the same)
//   ui_driver click WINDOW CONTROL            clicks a button, option or check box
//   ui_driver count WINDOW                    prints the number of rows of the window's list
//   ui_driver rows WINDOW                     prints the rows, CR and LF written as \r and \n
//   ui_driver select WINDOW ROW               selects a row as a click does
//   ui_driver rect WINDOW [CONTROL]           prints the screen rectangle: X Y WIDTH HEIGHT
//   ui_driver focus WINDOW                    prints the name of the control with the focus
//   ui_driver menu COMMAND                    chooses a menu item of the main window by its id
//   ui_driver close WINDOW                    asks the window to close (its close box)
//   ui_driver tray MESSAGE                    the tray icon's callback with a mouse message,
//                                             returning once the program has handled it
//   ui_driver send WINDOW MESSAGE WPARAM LPARAM  sends a window message (numbers), returning
//                                             once the window has handled it
//   ui_driver popup-menu-rect                 the screen rectangle of the menu that shows
//   ui_driver answer BUTTON [CAPTION]         waits for a message box (caption "Quorvel"),
//                                             prints its text and presses Yes, No or OK
//   ui_driver no-box [CAPTION]                succeeds when no message box shows
//   ui_driver box-owner [CAPTION]             waits for a message box; prints the name of
//                                             the window it belongs to, or none
//   ui_driver file-dialog PATH                waits for the open or save dialog, prints its
//                                             caption, enters PATH and presses its OK button
//                                             (the dialog may then ask, or refuse the name)
//   ui_driver file-dialog-box BUTTON          waits for a box over the open or save dialog,
//                                             prints its text and presses Yes, No or OK
//   ui_driver cancel-file-dialog              presses the open or save dialog's Cancel button
//   ui_driver default-button [CAPTION]        waits for a message box; prints its default button
//   ui_driver move WINDOW X Y                 moves the window
//   ui_driver resize WINDOW WIDTH HEIGHT      gives the window that outer size
//   ui_driver minimize WINDOW                 minimises it as its title bar's box does
//   ui_driver clipped WINDOW                  prints each control cut off by the window or
//                                             too small for its caption in the message font
//   ui_driver font-width WINDOW CONTROL       prints the width of a text in the box's own font,
//                                             then in the message font at the window's DPI
//   ui_driver dpi-change WINDOW FROM TO       tells the window that its DPI went from FROM to TO
//   ui_driver tray-icons                      prints how many icons Wine's notification area shows
//   ui_driver tray-rect                       the screen rectangle of its first icon
//   ui_driver tooltip                         prints the text of the tooltip that shows
//   ui_driver clear-target                    empties the test target's text box
//   ui_driver password-target on|off          makes it an empty password box, or the usual box
//   ui_driver set-clipboard TEXT              puts the text on the clipboard as Unicode text,
//                                             and again in a format of the driver's own (a mark)
//   ui_driver get-clipboard                   prints the clipboard's text as it is
//   ui_driver get-clipboard-mark              prints the text of the mark, or nothing
//   ui_driver code-page                       prints the ANSI code page
//   ui_driver inject TEXT                     types TEXT (small letters, digits, blanks) with
//                                             SendInput, as any other program could
//   ui_driver mark PATH                       writes a file, proof that a shortcut started it
//   ui_driver watch-start FILE [TRIGGER TEXT] times a start of Quorvel: writes "armed", then
//                                             once the main window shows "visible", moves it
//                                             aside ("aside"); once the TRIGGER typed into the
//                                             test target starts to go "fired", and once its
//                                             box holds TEXT "expanded", each with the Unix
//                                             time in ms (60 s at most)
#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "../../app/win32/control_ids.h"
#include "../../platform/win32/unique_handle.h"
#include "tool_text.h"

namespace {

namespace ids = quorvel::view_ids;
using quorvel::NullIsNoHandle;
using quorvel::UniqueHandle;
using Font = UniqueHandle<HFONT, NullIsNoHandle<HFONT, &::DeleteObject>>;
using MemoryDc = UniqueHandle<HDC, NullIsNoHandle<HDC, &::DeleteDC>>;

constexpr DWORD PollMs = 50;
constexpr UINT SendTimeoutMs = 10000;

struct Named {
    const char* name;
    int id;
};

constexpr Named MainControls[] = {{"editorFrame", ids::editorFrame},
                                  {"columnHeadings", ids::columnHeadings},
                                  {"triggerBox", ids::triggerBox},
                                  {"shortcutText", ids::shortcutText},
                                  {"spaceKey", ids::spaceKey},
                                  {"tabKey", ids::tabKey},
                                  {"escKey", ids::escKey},
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
                                  {"calibrationHelp", ids::calibrationHelp},
                                  {"calibrationBox", ids::calibrationBox},
                                  {"calibrationOkButton", ids::calibrationOkButton}};

constexpr Named CommonControls[] = {
    {"entryLabel", ids::CommonEntryLabel},     {"entryBox", ids::CommonEntryBox},
    {"textList", ids::CommonTextList},         {"addButton", ids::CommonAddButton},
    {"removeButton", ids::CommonRemoveButton}, {"closeButton", ids::CommonCloseButton},
    {"sortButton", ids::CommonSortButton},     {"hintLabel", ids::CommonHintLabel}};

constexpr Named StartUpControls[] = {{"question", ids::StartUpQuestionText},
                                     {"doNotAskAgain", ids::StartUpDoNotAskAgain},
                                     {"yesButton", ids::StartUpYesButton},
                                     {"noButton", ids::StartUpNoButton}};

constexpr Named ExcludedControls[] = {{"nameLabel", ids::ExcludedNameLabel},
                                      {"nameBox", ids::ExcludedNameBox},
                                      {"addButton", ids::ExcludedAddButton},
                                      {"frontButton", ids::ExcludedFrontButton},
                                      {"listLabel", ids::ExcludedListLabel},
                                      {"programList", ids::ExcludedList},
                                      {"removeButton", ids::ExcludedRemoveButton},
                                      {"suggestionsLabel", ids::ExcludedSuggestionsLabel},
                                      {"keePass", ids::ExcludedSuggestion1},
                                      {"keePassXC", ids::ExcludedSuggestion1 + 1},
                                      {"onePassword", ids::ExcludedSuggestion1 + 2},
                                      {"bitwarden", ids::ExcludedSuggestion1 + 3},
                                      {"remoteDesktop", ids::ExcludedSuggestion1 + 4},
                                      {"closeButton", ids::ExcludedCloseButton}};

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
    {"excluded", ids::ExcludedProgramsClass, ExcludedControls, ids::ExcludedList}};

[[noreturn]] void fail(const char* what, const char* detail = "") {
    std::fprintf(stderr, "ui_driver: %s%s%s\n", what, *detail ? ": " : "", detail);
    std::exit(1);
}

// Polls until `ready` holds, every POLL milliseconds; false when SECONDS pass first.
template <typename Ready>
bool waitUntil(double seconds, Ready ready, DWORD poll = PollMs) {
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    while (!ready()) {
        if (::GetTickCount64() >= deadline) {
            return false;
        }
        ::Sleep(poll);
    }
    return true;
}

const WindowKind& kindNamed(const char* name) {
    for (const WindowKind& kind : Kinds) {
        if (std::strcmp(kind.name, name) == 0) {
            return kind;
        }
    }
    fail("no such window name", name);
}

HWND findWindow(const WindowKind& kind) {
    return ::FindWindowW(kind.windowClass, nullptr);
}

HWND requireWindow(const char* name) {
    const HWND window = findWindow(kindNamed(name));
    if (window == nullptr) {
        fail("window not found", name);
    }
    return window;
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
    const WindowKind& kind = kindNamed(windowName);
    int id = std::atoi(controlName);
    for (const Named& named : kind.controls) {
        id = std::strcmp(named.name, controlName) == 0 ? named.id : id;
    }
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
        utf8.push_back(utf8Of(arguments[i], std::wcslen(arguments[i])));
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
    return utf8Of(buffer.data(), std::wcslen(buffer.data()));
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

int printEscaped(const std::string& text) {
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            std::fputs(c == '\r' ? "\\r" : "\\n", stdout);
        } else {
            std::fputc(c, stdout);
        }
    }
    std::fputc('\n', stdout);
    return 0;
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

std::vector<std::string> rowsOf(const char* windowName) {
    const HWND list = listOf(windowName);
    const std::size_t count = rowCount(windowName);
    std::vector<std::string> rows;
    if (!isListView(windowName)) {
        for (std::size_t row = 0; row < count; ++row) {
            rows.push_back(textOf(list, LB_GETTEXTLEN, LB_GETTEXT, row));
        }
        return rows;
    }
    constexpr std::size_t TextRoom = 8192;
    RemoteMemory memory(list, sizeof(LVITEMW) + TextRoom * sizeof(wchar_t));
    std::vector<wchar_t> text(TextRoom, L'\0');
    for (std::size_t row = 0; row < count; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = reinterpret_cast<wchar_t*>(memory.address() + sizeof(LVITEMW));
        item.cchTextMax = static_cast<int>(TextRoom);
        memory.write(0, &item, sizeof(item));
        const LRESULT length =
            sendTo(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory.address()));
        memory.read(sizeof(LVITEMW), text.data(), TextRoom * sizeof(wchar_t));
        rows.push_back(utf8Of(text.data(), length > 0 ? static_cast<std::size_t>(length) : 0));
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

std::string classOf(HWND window) {
    char windowClass[64] = {};
    ::GetClassNameA(window, windowClass, sizeof(windowClass));
    return windowClass;
}

constexpr int FileTypeCombo = 0x470;  // cmb1
constexpr int FileNameCombo = 0x47c;  // cmb13
constexpr int FileNameEdit = 0x480;   // edt1

HWND fileNameBox(HWND dialog) {
    const HWND combo = findChild(dialog, FileNameCombo);
    return combo != nullptr ? combo : findChild(dialog, FileNameEdit);
}

// A message box with that caption, or with none the open or save dialog (the
// one with a file name box). The boxes a file dialog shows itself may have its
// caption.
HWND findDialog(const char* caption) {
    for (const HWND window : windowsUnder(nullptr)) {
        if (classOf(window) != "#32770" || !::IsWindowVisible(window)) {
            continue;
        }
        const std::string text = textOf(window);
        const bool fileDialog = fileNameBox(window) != nullptr;
        if (caption != nullptr ? !fileDialog && text == caption : fileDialog) {
            return window;
        }
    }
    return nullptr;
}

HWND requireDialog(const char* caption) {
    HWND dialog = nullptr;
    if (!waitUntil(10, [&] { return (dialog = findDialog(caption)) != nullptr; })) {
        fail("no dialog appeared", caption != nullptr ? caption : "a file dialog");
    }
    return dialog;
}

// Presses a dialog's button and waits until the dialog has gone.
void press(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    if (!waitUntil(10, [&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); })) {
        fail("the dialog stayed after the answer");
    }
}

// Prints the box's text and presses its button Yes, No or OK.
int answerBox(HWND box, const char* button) {
    constexpr Named Buttons[] = {{"Yes", IDYES}, {"No", IDNO}, {"OK", IDOK}};
    int id = 0;
    for (const Named& known : Buttons) {
        id = std::strcmp(known.name, button) == 0 ? known.id : id;
    }
    if (id == 0 || ::GetDlgItem(box, id) == nullptr) {
        fail("the box has no such button", button);
    }
    // The message of a box: its longest static text (the icon's static has none).
    std::string text;
    for (const HWND child : windowsUnder(box)) {
        const bool isStatic = _stricmp(classOf(child).c_str(), "Static") == 0;
        const std::string own = isStatic ? textOf(child) : "";
        text = own.size() > text.size() ? own : text;
    }
    printEscaped(text);
    std::fflush(stdout);
    press(box, id);
    return 0;
}

// A box the dialog shows over itself (a question, a refusal).
HWND boxOver(HWND dialog) {
    for (const HWND window : windowsUnder(nullptr)) {
        if (::GetWindow(window, GW_OWNER) == dialog && ::IsWindowVisible(window) &&
            classOf(window) == "#32770") {
            return window;
        }
    }
    return nullptr;
}

// The box the open or save dialog shows over itself, whatever its caption.
int answerFileDialogBox(const char* button) {
    const HWND dialog = requireDialog(nullptr);
    HWND box = nullptr;
    if (!waitUntil(10, [&] { return (box = boxOver(dialog)) != nullptr; })) {
        fail("the file dialog shows no box");
    }
    return answerBox(box, button);
}

// Prints the dialog's title and the kind of file it lists, enters the path and
// presses OK; done when the dialog has gone or shows a box of its own, which the
// caller answers.
int fileDialog(const char* path) {
    const HWND dialog = requireDialog(nullptr);
    const HWND kind = findChild(dialog, FileTypeCombo);
    std::printf("%s\n%s\n", textOf(dialog).c_str(), kind != nullptr ? textOf(kind).c_str() : "");
    std::fflush(stdout);
    const HWND name = fileNameBox(dialog);
    if (name == nullptr) {
        fail("the dialog has no file name box");
    }
    setTextOf(name, path);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    if (!waitUntil(10, [&] {
            return !::IsWindow(dialog) || !::IsWindowVisible(dialog) || boxOver(dialog) != nullptr;
        })) {
        fail("the dialog stayed after the answer");
    }
    return 0;
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
    const bool inside = rect.left >= work.left && rect.top >= work.top &&
                        rect.right <= work.right && rect.bottom <= work.bottom;
    if (!inside) {
        std::fprintf(stderr, "window %ld,%ld-%ld,%ld, work area %ld,%ld-%ld,%ld\n", rect.left,
                     rect.top, rect.right, rect.bottom, work.left, work.top, work.right,
                     work.bottom);
    }
    return inside;
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
    if (own.left < parent.left || own.top < parent.top || own.right > parent.right ||
        own.bottom > parent.bottom) {
        return "outside its window";
    }
    const std::string windowClass = classOf(control);
    const std::wstring caption = wideOf(textOf(control));
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const auto scaled = [&](int pixels) {
        return ::MulDiv(pixels, static_cast<int>(::GetDpiForWindow(window)), 96);
    };
    SIZE text{};
    int needed = 0;
    if (caption.empty()) {
        return {};
    }
    if (_stricmp(windowClass.c_str(), "Static") == 0) {
        text = messageFontSize(window, caption, width);
    } else if (_stricmp(windowClass.c_str(), "Button") == 0) {
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
            std::printf("%s: %s\n", controlName(window, control).c_str(), why.c_str());
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

[[noreturn]] void usage() {
    std::fputs("usage: see the comment at the top of e2e/tools/ui_driver.cpp\n", stderr);
    std::exit(2);
}

int printed(const std::string& line) {
    std::printf("%s\n", line.c_str());
    return 0;
}

int printedFlag(bool flag) {
    return printed(flag ? "1" : "0");
}

// The caption of the default button of a message box: the one drawn as such.
int defaultButton(const char* caption) {
    for (const HWND child : windowsUnder(requireDialog(caption))) {
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
        if (_stricmp(classOf(child).c_str(), "Button") == 0 &&
            (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return printed(textOf(child));
        }
    }
    fail("the box has no default button");
}

int succeeded(BOOL done) {
    return done ? 0 : 1;
}

std::string rectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
           std::to_string(rect.right - rect.left) + " " + std::to_string(rect.bottom - rect.top);
}

// The file's last write time, or zero when it cannot be read.
ULONGLONG lastWriteOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

// Runs `act`, then prints the milliseconds until the file has been written
// again (30 s at most), calling `watch` between the looks at the file.
template <typename Act, typename Watch = void (*)()>
int timedUntilWritten(
    const char* path, Act act, Watch watch = [] {}) {
    const std::wstring file = wideOf(path);
    const ULONGLONG before = lastWriteOf(file);
    const ULONGLONG start = ::GetTickCount64();
    act();
    while (lastWriteOf(file) == before && ::GetTickCount64() - start < 30000) {
        watch();
        ::Sleep(2);
    }
    watch();
    return printed(std::to_string(::GetTickCount64() - start));
}

int waitVisible(const char* windowName, double seconds) {
    const WindowKind& kind = kindNamed(windowName);
    const auto shown = [&] {
        const HWND window = findWindow(kind);
        return window != nullptr && ::IsWindowVisible(window);
    };
    if (!waitUntil(seconds, shown)) {
        fail("the window did not show", windowName);
    }
    return 0;
}

int printTooltips() {
    for (const HWND window : windowsUnder(nullptr)) {
        if (_stricmp(classOf(window).c_str(), TOOLTIPS_CLASSA) == 0 && ::IsWindowVisible(window)) {
            printEscaped(textOf(window));
        }
    }
    return 0;
}

// Another program may hold the clipboard for a moment.
bool openClipboard() {
    return waitUntil(0.5, [] { return ::OpenClipboard(nullptr) != FALSE; });
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
    if (!openClipboard()) {
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
    if (!openClipboard()) {
        return 1;
    }
    if (HANDLE data = ::GetClipboardData(format)) {
        if (const auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
            const std::string utf8 = utf8Of(text, std::wcslen(text));
            ::GlobalUnlock(data);
            _setmode(_fileno(stdout), _O_BINARY);
            std::fwrite(utf8.data(), 1, utf8.size(), stdout);
        }
    }
    ::CloseClipboard();
    return 0;
}

// A file at PATH, proof that a shortcut started this program.
int mark(const char* path) {
    std::FILE* file = std::fopen(path, "w");
    const bool written = file != nullptr && std::fputs("started", file) >= 0;
    return written && std::fclose(file) == 0 ? 0 : 1;
}

long long unixMs() {
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<long long>((ticks - 116444736000000000ULL) / 10000);
}

// Times a start from outside it: started before the program, so that its own
// start costs nothing, it polls often enough for tens of milliseconds to tell.
// Each step goes to FILE as a line "step unix-ms" at once, so that the script
// can type the trigger (xdotool's keys: injected ones never fire) after "aside".
int watchStart(const char* path, const std::string& trigger, const std::string& expected) {
    const HWND target = ::FindWindowW(nullptr, L"Quorvel Test Target");
    const HWND box =
        target != nullptr ? ::FindWindowExW(target, nullptr, L"EDIT", nullptr) : nullptr;
    std::FILE* file = std::fopen(path, "w");
    if (box == nullptr || file == nullptr) {
        fail("no test target, or the file cannot be written");
    }
    const auto note = [file](const char* step) {
        std::fprintf(file, "%s %lld\n", step, unixMs());
        std::fflush(file);
    };
    const auto poll = [](auto ready) {
        if (!waitUntil(60, ready, 5)) {
            fail("timed out");
        }
    };
    note("armed");
    HWND window = nullptr;
    poll([&] {
        window = findWindow(kindNamed("main"));
        return window != nullptr && ::IsWindowVisible(window);
    });
    note("visible");
    // Off the target, to the right edge of the screen, as the suite keeps it.
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::SetWindowPos(window, nullptr, ::GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left), 0,
                   0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    note("aside");
    if (!expected.empty()) {
        // Fired: the letters typed so far start to go, or something else comes.
        std::size_t longest = 0;
        poll([&] {
            const std::string text = textOf(box);
            longest = std::max(longest, text.size());
            return text.size() < longest || !trigger.starts_with(text);
        });
        note("fired");
        poll([&] { return textOf(box).find(expected) != std::string::npos; });
        note("expanded");
    }
    return std::fclose(file) == 0 ? 0 : 1;
}

// One key at a time, with a pause, like a fast typist rather than a burst.
int inject(const std::string& text) {
    for (const char c : text) {
        const bool letter = c >= 'a' && c <= 'z';
        if (!letter && c != ' ' && (c < '0' || c > '9')) {
            fail("inject takes small letters, digits and blanks");
        }
        const WORD vk = letter ? static_cast<WORD>(c - 'a' + 'A') : static_cast<WORD>(c);
        for (const bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            if (::SendInput(1, &input, sizeof(INPUT)) != 1) {
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
    // The words from the i-th on, joined by CR LF.
    std::string lines(std::size_t i) const {
        std::string text;
        for (std::size_t line = i; line < all_.size(); ++line) {
            text += (line > i ? "\r\n" : "") + all_[line];
        }
        return text;
    }
    HWND window() const { return requireWindow(required(0)); }
    HWND control() const { return requireControl(required(0), required(1)); }
    // The control when one is named, else the window.
    HWND target() const { return (*this)[1] != nullptr ? control() : window(); }

  private:
    std::vector<std::string> all_;
};

int setLines(const Arguments& arguments) {
    setText(arguments.control(), arguments.lines(2));
    return 0;
}

struct Command {
    const char* name;
    int (*run)(const Arguments&);
};

using A = const Arguments&;

constexpr Command Commands[] = {
    {"wait-visible", [](A a) { return waitVisible(a.required(0), a[1] ? std::atof(a[1]) : 10); }},
    {"visible",
     [](A a) {
         const HWND shown = a[1] ? a.control() : findWindow(kindNamed(a.required(0)));
         return printedFlag(shown != nullptr && ::IsWindowVisible(shown));
     }},
    {"enabled", [](A a) { return printedFlag(::IsWindowEnabled(a.target())); }},
    {"checked",
     [](A a) { return printedFlag(sendTo(a.control(), BM_GETCHECK, 0, 0) == BST_CHECKED); }},
    {"iconic", [](A a) { return printedFlag(::IsIconic(a.window())); }},
    {"in-front", [](A a) { return printedFlag(inFront(a.window())); }},
    {"in-work-area", [](A a) { return printedFlag(inWorkArea(a.window())); }},
    {"text", [](A a) { return printEscaped(textOf(a.target())); }},
    {"set-text", &setLines},
    {"set-lines", &setLines},
    // Posted: the click may open a message box, which would hold a sent message.
    {"click", [](A a) { return succeeded(::PostMessageW(a.control(), BM_CLICK, 0, 0)); }},
    {"count", [](A a) { return printed(std::to_string(rowCount(a.required(0)))); }},
    {"rows",
     [](A a) {
         for (const std::string& row : rowsOf(a.required(0))) {
             printEscaped(row);
         }
         return 0;
     }},
    {"select", [](A a) { return selectRow(a.required(0), a.number(1)); }},
    // timed-select WINDOW ROW BOX LENGTH: selects the row and prints the
    // milliseconds until the box holds LENGTH characters (30 s at most).
    {"timed-select",
     [](A a) {
         const HWND box = requireControl(a.required(0), a.required(2));
         const int wanted = a.number(3);
         const ULONGLONG start = ::GetTickCount64();
         selectRow(a.required(0), a.number(1));
         // Asked of the box itself: Wine answers GetWindowTextLength for another
         // program's window from its caption, which a box does not keep.
         while (sendTo(box, WM_GETTEXTLENGTH, 0, 0) != wanted &&
                ::GetTickCount64() - start < 30000) {
             ::Sleep(5);
         }
         return printed(std::to_string(::GetTickCount64() - start));
     }},
    // timed-click-file WINDOW CONTROL FILE: clicks and prints the milliseconds
    // until FILE has been written.
    {"timed-click-file",
     [](A a) {
         const HWND button = requireControl(a.required(0), a.required(1));
         return timedUntilWritten(a.required(2), [&] { ::PostMessageW(button, BM_CLICK, 0, 0); });
     }},
    // timed-answer-file ANSWER CAPTION FILE: answers the box and prints the
    // milliseconds until FILE has been written, then until the box was hidden
    // and until it was gone (the program's call that showed it has returned).
    {"timed-answer-file",
     [](A a) {
         const HWND box = requireDialog(a.caption(1));
         ULONGLONG hidden = 0;
         ULONGLONG gone = 0;
         const ULONGLONG start = ::GetTickCount64();
         timedUntilWritten(
             a.required(2),
             [&] {
                 constexpr Named Buttons[] = {{"Yes", IDYES}, {"No", IDNO}, {"OK", IDOK}};
                 for (const Named& known : Buttons) {
                     if (std::strcmp(known.name, a.required(0)) == 0) {
                         ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(known.id, BN_CLICKED),
                                        reinterpret_cast<LPARAM>(::GetDlgItem(box, known.id)));
                     }
                 }
             },
             [&] {
                 const ULONGLONG now = ::GetTickCount64();
                 if (hidden == 0 && !::IsWindowVisible(box)) {
                     hidden = now;
                 }
                 if (gone == 0 && !::IsWindow(box)) {
                     gone = now;
                 }
             });
         const auto since = [start](ULONGLONG at) {
             return at == 0 ? std::string("-") : std::to_string(at - start);
         };
         return printed(since(hidden) + " " + since(gone));
     }},
    {"paste", [](A a) { return succeeded(::PostMessageW(a.control(), WM_PASTE, 0, 0)); }},
    {"text-length",
     [](A a) { return printed(std::to_string(sendTo(a.target(), WM_GETTEXTLENGTH, 0, 0))); }},
    {"rect", [](A a) { return printed(rectOf(a.target())); }},
    {"focus", [](A a) { return printed(focusedControl(a.required(0))); }},
    {"menu",
     [](A a) {
         const auto id = static_cast<WPARAM>(a.number(0));
         return succeeded(::PostMessageW(requireWindow("main"), WM_COMMAND, id, 0));
     }},
    {"close", [](A a) { return succeeded(::PostMessageW(a.window(), WM_CLOSE, 0, 0)); }},
    // Sent, not posted: what the press or release does has been done on return.
    {"tray",
     [](A a) {
         sendTo(requireWindow("main"), WM_MOUSEMOVE, 0, std::strtol(a.required(0), nullptr, 0));
         return 0;
     }},
    {"send",
     [](A a) {
         const auto number = [&](std::size_t i) { return std::strtoll(a.required(i), nullptr, 0); };
         sendTo(a.window(), static_cast<UINT>(number(1)), static_cast<WPARAM>(number(2)),
                static_cast<LPARAM>(number(3)));
         return 0;
     }},
    // A popup menu is a window of the system's menu class.
    {"popup-menu-rect",
     [](A) {
         const HWND menu = ::FindWindowW(L"#32768", nullptr);
         if (menu == nullptr || !::IsWindowVisible(menu)) {
             fail("no menu shows");
         }
         return printed(rectOf(menu));
     }},
    {"answer", [](A a) { return answerBox(requireDialog(a.caption(1)), a.required(0)); }},
    {"file-dialog-box", [](A a) { return answerFileDialogBox(a.required(0)); }},
    {"no-box",
     [](A a) {
         ::Sleep(300);
         return findDialog(a.caption(0)) == nullptr ? 0 : 1;
     }},
    {"box-owner",
     [](A a) { return printed(nameOf(::GetWindow(requireDialog(a.caption(0)), GW_OWNER))); }},
    {"file-dialog", [](A a) { return fileDialog(a.required(0)); }},
    {"cancel-file-dialog",
     [](A) {
         press(requireDialog(nullptr), IDCANCEL);
         return 0;
     }},
    {"default-button", [](A a) { return defaultButton(a.caption(0)); }},
    {"move",
     [](A a) {
         return succeeded(::SetWindowPos(a.window(), nullptr, a.number(1), a.number(2), 0, 0,
                                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
     }},
    {"resize",
     [](A a) {
         return succeeded(::SetWindowPos(a.window(), nullptr, 0, 0, a.number(1), a.number(2),
                                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
     }},
    {"minimize", [](A a) { return succeeded(::ShowWindowAsync(a.window(), SW_MINIMIZE)); }},
    {"clipped", [](A a) { return printClipped(a.window()); }},
    {"scroll-width",
     [](A a) {
         return printed(std::to_string(sendTo(a.control(), LB_GETHORIZONTALEXTENT, 0, 0)));
     }},
    {"font-width", [](A a) { return fontWidth(a.control()); }},
    {"dpi-change", [](A a) { return dpiChange(a.window(), a.number(1), a.number(2)); }},
    {"tray-icons", [](A) { return printed(std::to_string(wineTrayIcons().size())); }},
    {"tray-rect",
     [](A) {
         const std::vector<HWND> icons = wineTrayIcons();
         if (icons.empty()) {
             fail("Wine's tray shows no icon");
         }
         return printed(rectOf(icons[0]));
     }},
    {"tooltip", [](A) { return printTooltips(); }},
    {"clear-target",
     [](A) {
         const HWND target = ::FindWindowW(nullptr, L"Quorvel Test Target");
         return target != nullptr ? succeeded(::PostMessageW(target, WM_APP + 1, 0, 0)) : 1;
     }},
    {"password-target",
     [](A a) {
         const HWND target = ::FindWindowW(nullptr, L"Quorvel Test Target");
         const WPARAM on = std::string(a.required(0)) == "on" ? 1 : 0;
         // Sent, not posted: the box has changed, and has the focus, when this returns.
         DWORD_PTR answer = 0;
         return target != nullptr
                    ? succeeded(::SendMessageTimeoutW(target, WM_APP + 2, on, 0, SMTO_ABORTIFHUNG,
                                                      5000, &answer) != 0)
                    : 1;
     }},
    {"set-clipboard", [](A a) { return setClipboard(a.required(0)); }},
    {"get-clipboard", [](A) { return printClipboard(CF_UNICODETEXT); }},
    {"get-clipboard-mark", [](A) { return printClipboard(markFormat()); }},
    {"code-page", [](A) { return printed(std::to_string(::GetACP())); }},
    {"inject", [](A a) { return inject(a.required(0)); }},
    {"mark", [](A a) { return mark(a.required(0)); }},
    {"watch-start",
     [](A a) { return watchStart(a.required(0), a[1] ? a[1] : "", a[1] ? a.required(2) : ""); }}};

}  // namespace

int main() {
    std::vector<std::string> arguments = utf8Arguments();
    if (arguments.size() < 2) {
        usage();
    }
    const std::string name = arguments[1];
    arguments.erase(arguments.begin(), arguments.begin() + 2);
    for (const Command& command : Commands) {
        if (name == command.name) {
            return command.run(Arguments(std::move(arguments)));
        }
    }
    usage();
}
