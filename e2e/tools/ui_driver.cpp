// Drives Quorvel's windows from outside with ordinary window messages, as the
// end-to-end tests' hands and eyes. Windows are named main, common (Common
// Text), startup (the start-with-Windows question); controls by their names in
// the program (TextData10, Command8, List1...) or by number. Texts, given and
// printed, are UTF-8: any character.
//
//   ui_driver wait-visible WINDOW [SECONDS]   waits for the window to show; prints the ms waited
//   ui_driver wait-hidden WINDOW [SECONDS]
//   ui_driver visible WINDOW [CONTROL]        prints 1 or 0
//   ui_driver enabled WINDOW [CONTROL]        prints 1 or 0
//   ui_driver checked WINDOW CONTROL          prints 1 or 0
//   ui_driver caption WINDOW                  prints the window's caption
//   ui_driver text WINDOW CONTROL             prints the control's text
//   ui_driver set-text WINDOW CONTROL TEXT    replaces the text as a paste would
//   ui_driver set-lines WINDOW CONTROL LINE...  the same, lines joined by CR LF
//   ui_driver click WINDOW CONTROL            clicks a button, option or check box
//   ui_driver count WINDOW                    prints the number of rows of the window's list
//   ui_driver rows WINDOW                     prints the rows, CR and LF written as \r and \n
//   ui_driver selected WINDOW                 prints the selected row, or -1
//   ui_driver select WINDOW ROW               selects a row as a click does
//   ui_driver rect WINDOW [CONTROL]           prints the screen rectangle: X Y WIDTH HEIGHT
//   ui_driver focus WINDOW                    prints the name of the control with the keyboard focus
//   ui_driver menu COMMAND                    chooses a menu item of the main window by its id
//   ui_driver close WINDOW                    asks the window to close (its close box)
//   ui_driver tray MESSAGE                    the tray icon's callback with a mouse message
//   ui_driver answer BUTTON [CAPTION]         waits for a message box (caption "Quorvel"),
//                                             prints its text and presses Yes, No or OK
//   ui_driver no-box [CAPTION]                succeeds when no message box shows
//   ui_driver file-dialog PATH                waits for the open or save dialog, enters
//                                             PATH and presses its OK button
//   ui_driver box-owner [CAPTION]             waits for a message box; prints the name of
//                                             the window it belongs to, or none
//   ui_driver covered X Y                     prints the name of the window of the program
//                                             that shows over that point of the screen, or none
//   ui_driver move WINDOW X Y                 moves the window
//   ui_driver resize WINDOW WIDTH HEIGHT      gives the window that outer size
//   ui_driver minimize WINDOW                 minimises it as its title bar's box does
//   ui_driver iconic WINDOW                   prints 1 when minimised
//   ui_driver in-front WINDOW                 prints 1 when the window is the active one
//                                             and nothing covers its middle
//   ui_driver in-work-area WINDOW             prints 1 when all of it is in its monitor's work area
//   ui_driver clipped WINDOW                  prints each control cut off by the window or
//                                             too small for its caption in the message font
//   ui_driver font-width WINDOW CONTROL       prints the width of a text in the box's own font,
//                                             then in the message font at the window's DPI
//   ui_driver dpi-change WINDOW FROM TO       tells the window that its DPI went from FROM to TO
//   ui_driver tray-icons                      prints how many icons Wine's notification area shows
//   ui_driver tray-rect                       the screen rectangle of its first icon
//   ui_driver tooltip                         prints the text of the tooltip that shows
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "../../app/win32/control_ids.h"

namespace {

namespace ids = quorvel::view_ids;

constexpr DWORD PollMs = 50;
constexpr UINT SendTimeoutMs = 10000;

struct Named {
    const char* name;
    int id;
};

constexpr Named MainControls[] = {
    {"Frame2", ids::Frame2},       {"Label27", ids::Label27},     {"TextData10", ids::TextData10},
    {"Text7", ids::Text7},         {"Opt1", ids::Opt1},           {"Opt2", ids::Opt2},
    {"Opt4", ids::Opt4},           {"Check2", ids::Check2},       {"Command8", ids::Command8},
    {"Command4", ids::Command4},   {"Command3", ids::Command3},   {"Command2", ids::Command2},
    {"List1", ids::List1Display},  {"Command1", ids::Command1},   {"Command5", ids::Command5},
    {"Command9", ids::Command9},   {"Command10", ids::Command10}, {"Command7", ids::Command7},
    {"Command11", ids::Command11}, {"FrameCalibration", ids::FrameCalibration},
    {"Label17", ids::Label17},     {"Text2", ids::Text2},         {"Command14", ids::Command14}};

constexpr Named CommonControls[] = {
    {"Label27", ids::Form8Label27},   {"Text1", ids::Form8Text1},
    {"List1", ids::Form8List1},       {"Command1", ids::Form8Command1},
    {"Command2", ids::Form8Command2}, {"Command3", ids::Form8Command3},
    {"Command4", ids::Form8Command4}, {"Label1", ids::Form8Label1}};

constexpr Named StartUpControls[] = {{"Label1", ids::Form2255Label1},
                                     {"Check1", ids::Form2255Check1},
                                     {"Command1", ids::Form2255Command1},
                                     {"Command2", ids::Form2255Command2}};

struct WindowKind {
    const char* name;
    const wchar_t* windowClass;
    const Named* controls;
    std::size_t controlCount;
    int listId;
};

constexpr WindowKind Kinds[] = {
    {"main", ids::MainWindowClass, MainControls, std::size(MainControls), ids::List1Display},
    {"common", ids::CommonTextClass, CommonControls, std::size(CommonControls), ids::Form8List1},
    {"startup", ids::StartUpDialogClass, StartUpControls, std::size(StartUpControls), 0}};

[[noreturn]] void fail(const char* what, const char* detail = "") {
    std::fprintf(stderr, "ui_driver: %s%s%s\n", what, *detail ? ": " : "", detail);
    std::exit(1);
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

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK matchChild(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (::GetDlgCtrlID(child) == search->id) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// Any descendant: some controls sit inside a panel of the window.
HWND findChild(HWND window, int id) {
    ChildSearch search{id, nullptr};
    ::EnumChildWindows(window, &matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND requireControl(const char* windowName, const char* controlName) {
    const WindowKind& kind = kindNamed(windowName);
    int id = 0;
    for (std::size_t i = 0; i < kind.controlCount; ++i) {
        if (std::strcmp(kind.controls[i].name, controlName) == 0) {
            id = kind.controls[i].id;
        }
    }
    if (id == 0) {
        id = std::atoi(controlName);
    }
    const HWND control = findChild(requireWindow(windowName), id);
    if (control == nullptr) {
        fail("control not found", controlName);
    }
    return control;
}

std::string utf8Of(const wchar_t* text, std::size_t length) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                           nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8.data(), size, nullptr,
                          nullptr);
    return utf8;
}

std::wstring wideOf(const std::string& utf8) {
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          size);
    return wide;
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

std::string textOf(HWND window) {
    // WM_GETTEXT is carried across processes by the system.
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SendTimeoutMs, &length);
    std::vector<wchar_t> buffer(length + 2, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                          reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG, SendTimeoutMs,
                          &copied);
    return utf8Of(buffer.data(), copied);
}

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SendTimeoutMs,
                               &result)) {
        fail("the window did not answer");
    }
    return static_cast<LRESULT>(result);
}

void setTextOf(HWND window, const std::string& text) {
    const std::wstring wide = wideOf(text);
    sendTo(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void printEscaped(const std::string& text) {
    for (const char c : text) {
        if (c == '\r') {
            std::fputs("\\r", stdout);
        } else if (c == '\n') {
            std::fputs("\\n", stdout);
        } else {
            std::fputc(c, stdout);
        }
    }
    std::fputc('\n', stdout);
}

// Memory inside the program under test, for list view messages whose pointers
// the system does not carry across processes.
class RemoteMemory {
public:
    RemoteMemory(HWND window, std::size_t size) : size_(size) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 processId);
        if (process_ == nullptr) {
            fail("cannot open the program's process");
        }
        address_ = ::VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE,
                                    PAGE_READWRITE);
        if (address_ == nullptr) {
            ::CloseHandle(process_);
            fail("cannot reserve memory in the program's process");
        }
    }
    ~RemoteMemory() {
        ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        ::CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    char* address() const { return static_cast<char*>(address_); }
    void write(std::size_t offset, const void* data, std::size_t size) {
        ::WriteProcessMemory(process_, address() + offset, data, size, nullptr);
    }
    void read(std::size_t offset, void* data, std::size_t size) {
        ::ReadProcessMemory(process_, address() + offset, data, size, nullptr);
    }
    std::size_t size() const { return size_; }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_;
};

HWND listOf(const char* windowName) {
    const WindowKind& kind = kindNamed(windowName);
    if (kind.listId == 0) {
        fail("the window has no list", windowName);
    }
    const HWND list = findChild(requireWindow(windowName), kind.listId);
    if (list == nullptr) {
        fail("list not found");
    }
    return list;
}

bool isListView(const char* windowName) { return std::strcmp(windowName, "main") == 0; }

std::size_t rowCount(const char* windowName) {
    const HWND list = listOf(windowName);
    const LRESULT count = sendTo(list, isListView(windowName) ? LVM_GETITEMCOUNT : LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::vector<std::string> rowsOf(const char* windowName) {
    const HWND list = listOf(windowName);
    const std::size_t count = rowCount(windowName);
    std::vector<std::string> rows;
    if (!isListView(windowName)) {
        for (std::size_t row = 0; row < count; ++row) {
            DWORD_PTR length = 0;
            ::SendMessageTimeoutW(list, LB_GETTEXTLEN, row, 0, SMTO_ABORTIFHUNG, SendTimeoutMs,
                                  &length);
            std::vector<wchar_t> wide(length + 1, L'\0');
            DWORD_PTR copied = 0;
            ::SendMessageTimeoutW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(wide.data()),
                                  SMTO_ABORTIFHUNG, SendTimeoutMs, &copied);
            std::string text = utf8Of(wide.data(), copied <= length ? copied : 0);
            rows.push_back(std::move(text));
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

long selectedRow(const char* windowName) {
    const HWND list = listOf(windowName);
    if (isListView(windowName)) {
        return static_cast<long>(
            sendTo(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    return static_cast<long>(sendTo(list, LB_GETCURSEL, 0, 0));
}

void selectRow(const char* windowName, long row) {
    const HWND list = listOf(windowName);
    if (!isListView(windowName)) {
        // A click selects the row and tells the window, which LB_SETCURSEL alone does not.
        sendTo(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        ::PostMessageW(::GetParent(list), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
        return;
    }
    RemoteMemory memory(list, sizeof(LVITEMW));
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    memory.write(0, &state, sizeof(state));
    // The list view tells its window of the new selection itself.
    sendTo(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.address()));
}

struct BoxSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK matchBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<BoxSearch*>(data);
    char windowClass[64] = {};
    ::GetClassNameA(window, windowClass, sizeof(windowClass));
    if (std::strcmp(windowClass, "#32770") == 0 && ::IsWindowVisible(window) &&
        textOf(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findBox(const char* caption) {
    BoxSearch search{caption, nullptr};
    ::EnumWindows(&matchBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForBox(const char* caption, double seconds) {
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (;;) {
        if (const HWND box = findBox(caption)) {
            return box;
        }
        if (::GetTickCount64() >= deadline) {
            return nullptr;
        }
        ::Sleep(PollMs);
    }
}

BOOL CALLBACK collectStatic(HWND child, LPARAM data) {
    auto* text = reinterpret_cast<std::string*>(data);
    char windowClass[64] = {};
    ::GetClassNameA(child, windowClass, sizeof(windowClass));
    if (_stricmp(windowClass, "Static") == 0) {
        const std::string own = textOf(child);
        if (own.size() > text->size()) {
            *text = own;
        }
    }
    return TRUE;
}

// The message of a box: its longest static text (the icon's static has none).
std::string boxText(HWND box) {
    std::string text;
    ::EnumChildWindows(box, &collectStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

int answer(const char* button, const char* caption) {
    int id = 0;
    if (std::strcmp(button, "Yes") == 0) {
        id = IDYES;
    } else if (std::strcmp(button, "No") == 0) {
        id = IDNO;
    } else if (std::strcmp(button, "OK") == 0) {
        id = IDOK;
    } else {
        fail("answer Yes, No or OK");
    }
    const HWND box = waitForBox(caption, 10);
    if (box == nullptr) {
        fail("no message box appeared", caption);
    }
    printEscaped(boxText(box));
    std::fflush(stdout);
    const HWND control = ::GetDlgItem(box, id);
    if (control == nullptr) {
        fail("the box has no such button", button);
    }
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    const ULONGLONG deadline = ::GetTickCount64() + 10000;
    while (::IsWindow(box) && ::IsWindowVisible(box)) {
        if (::GetTickCount64() >= deadline) {
            fail("the box stayed after the answer");
        }
        ::Sleep(PollMs);
    }
    return 0;
}

BOOL CALLBACK matchFileDialog(HWND window, LPARAM data) {
    char windowClass[64] = {};
    ::GetClassNameA(window, windowClass, sizeof(windowClass));
    const std::string caption = textOf(window);
    if (std::strcmp(windowClass, "#32770") == 0 && ::IsWindowVisible(window) &&
        (caption == "Open" || caption == "Save As")) {
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }
    return TRUE;
}

int fileDialog(const char* path) {
    constexpr int FileNameCombo = 0x47c;  // cmb13
    constexpr int FileNameEdit = 0x480;   // edt1
    HWND dialog = nullptr;
    const ULONGLONG deadline = ::GetTickCount64() + 10000;
    while (dialog == nullptr) {
        ::EnumWindows(&matchFileDialog, reinterpret_cast<LPARAM>(&dialog));
        if (dialog == nullptr) {
            if (::GetTickCount64() >= deadline) {
                fail("no file dialog appeared");
            }
            ::Sleep(PollMs);
        }
    }
    std::printf("%s\n", textOf(dialog).c_str());
    std::fflush(stdout);
    HWND name = findChild(dialog, FileNameCombo);
    if (name == nullptr) {
        name = findChild(dialog, FileNameEdit);
    }
    if (name == nullptr) {
        fail("the dialog has no file name box");
    }
    setTextOf(name, path);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    while (::IsWindow(dialog)) {
        if (::GetTickCount64() >= deadline + 10000) {
            fail("the file dialog stayed open");
        }
        ::Sleep(PollMs);
    }
    return 0;
}

int waitShown(const char* windowName, bool wanted, double seconds) {
    const WindowKind& kind = kindNamed(windowName);
    const ULONGLONG start = ::GetTickCount64();
    const ULONGLONG deadline = start + static_cast<ULONGLONG>(seconds * 1000);
    for (;;) {
        const HWND window = findWindow(kind);
        const bool shown = window != nullptr && ::IsWindowVisible(window);
        if (shown == wanted) {
            std::printf("%llu\n", static_cast<unsigned long long>(::GetTickCount64() - start));
            return 0;
        }
        if (::GetTickCount64() >= deadline) {
            fail(wanted ? "the window did not show" : "the window did not hide", windowName);
        }
        ::Sleep(10);
    }
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

void printFlag(bool flag) { std::printf("%d\n", flag ? 1 : 0); }

// The name of the window's control that has the keyboard focus, or its number.
std::string focusedControl(const char* windowName) {
    const WindowKind& kind = kindNamed(windowName);
    const HWND window = requireWindow(windowName);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ||
        info.hwndFocus == nullptr || !::IsChild(window, info.hwndFocus)) {
        return "none";
    }
    const int id = ::GetDlgCtrlID(info.hwndFocus);
    for (std::size_t i = 0; i < kind.controlCount; ++i) {
        if (kind.controls[i].id == id) {
            return kind.controls[i].name;
        }
    }
    return std::to_string(id);
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

int boxOwner(const char* caption) {
    const HWND box = waitForBox(caption, 10);
    if (box == nullptr) {
        fail("no message box appeared", caption);
    }
    std::printf("%s\n", nameOf(::GetWindow(box, GW_OWNER)).c_str());
    return 0;
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

// The system's message font at the DPI of `window`: what the program's
// windows must draw with.
HFONT messageFontFor(HWND window) {
    const UINT dpi = ::GetDpiForWindow(window);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        fail("no message font");
    }
    return ::CreateFontIndirectW(&metrics.lfMessageFont);
}

// Measures captions in the message font.
class Measure {
  public:
    explicit Measure(HWND window)
        : dc_(::CreateCompatibleDC(nullptr)),
          font_(messageFontFor(window)),
          old_(::SelectObject(dc_, font_)) {}
    ~Measure() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(font_);
        ::DeleteDC(dc_);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    // The text's size on one line, or wrapped at `wrapWidth` when it is above 0.
    SIZE text(const std::string& text, int wrapWidth = 0) const {
        RECT rect{0, 0, wrapWidth > 0 ? wrapWidth : 10000, 0};
        const UINT format = DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
        const std::wstring wide = wideOf(text);
        ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }
    HDC dc() const { return dc_; }

  private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

struct ClipSearch {
    HWND window;
    int dpi;
    const Measure* measure;
    std::vector<std::string> clipped;
};

std::string controlName(HWND window, HWND control) {
    const std::string windowName = nameOf(window);
    const int id = ::GetDlgCtrlID(control);
    for (const WindowKind& kind : Kinds) {
        if (windowName != kind.name) {
            continue;
        }
        for (std::size_t i = 0; i < kind.controlCount; ++i) {
            if (kind.controls[i].id == id) {
                return kind.controls[i].name;
            }
        }
    }
    return std::to_string(id);
}

BOOL CALLBACK checkClipped(HWND control, LPARAM data) {
    auto* search = reinterpret_cast<ClipSearch*>(data);
    if (!::IsWindowVisible(control)) {
        return TRUE;
    }
    const auto scaled = [&](int pixels) { return ::MulDiv(pixels, search->dpi, 96); };
    RECT own{};
    RECT parent{};
    ::GetWindowRect(control, &own);
    const HWND parentWindow = ::GetParent(control);
    ::GetClientRect(parentWindow, &parent);
    ::MapWindowPoints(parentWindow, nullptr, reinterpret_cast<POINT*>(&parent), 2);
    std::string why;
    if (own.left < parent.left || own.top < parent.top || own.right > parent.right ||
        own.bottom > parent.bottom) {
        why = "outside its window";
    }
    char windowClass[32] = {};
    ::GetClassNameA(control, windowClass, sizeof(windowClass));
    const std::string caption = textOf(control);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
    if (why.empty() && !caption.empty() && _stricmp(windowClass, "Button") == 0) {
        SIZE text = search->measure->text(caption);
        const DWORD type = style & BS_TYPEMASK;
        int needed = 0;
        if (type == BS_GROUPBOX) {
            needed = text.cx + scaled(16);
        } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                   type == BS_AUTORADIOBUTTON) {
            const int box = scaled(13) + scaled(6);  // the box and the gap before the caption
            if ((style & BS_MULTILINE) != 0) {
                text = search->measure->text(caption, width - box);
            }
            needed = box + text.cx;
        } else {
            needed = text.cx + scaled(10);  // the edges and a margin on each side
        }
        if (needed > width || text.cy > height) {
            why = "caption needs " + std::to_string(needed) + "x" + std::to_string(text.cy) +
                  ", has " + std::to_string(width) + "x" + std::to_string(height);
        }
    } else if (why.empty() && !caption.empty() && _stricmp(windowClass, "Static") == 0) {
        const SIZE text = search->measure->text(caption, width);
        if (text.cy > height) {
            why = "text needs " + std::to_string(text.cy) + " high, has " + std::to_string(height);
        }
    }
    if (!why.empty()) {
        search->clipped.push_back(controlName(search->window, control) + ": " + why);
    }
    return TRUE;
}

int printClipped(HWND window) {
    const Measure measure(window);
    ClipSearch search{window, static_cast<int>(::GetDpiForWindow(window)), &measure, {}};
    ::EnumChildWindows(window, &checkClipped, reinterpret_cast<LPARAM>(&search));
    for (const std::string& line : search.clipped) {
        std::printf("%s\n", line.c_str());
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
    const Measure measure(::GetAncestor(box, GA_ROOT));
    SIZE expected{};
    ::GetTextExtentPoint32W(measure.dc(), Sample, Last, &expected);
    std::printf("%d %ld\n", static_cast<short>(LOWORD(last)) - static_cast<short>(LOWORD(first)),
                expected.cx);
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
HWND wineTray() {
    const HWND tray = ::FindWindowA("__winex11_standalone_tray", nullptr);
    return tray != nullptr && ::IsWindowVisible(tray) ? tray : nullptr;
}

int trayIcons() {
    int count = 0;
    if (const HWND tray = wineTray()) {
        for (HWND icon = ::GetWindow(tray, GW_CHILD); icon != nullptr;
             icon = ::GetWindow(icon, GW_HWNDNEXT)) {
            count += ::IsWindowVisible(icon) ? 1 : 0;
        }
    }
    std::printf("%d\n", count);
    return 0;
}

int trayRect() {
    const HWND tray = wineTray();
    const HWND icon = tray != nullptr ? ::GetWindow(tray, GW_CHILD) : nullptr;
    if (icon == nullptr) {
        fail("Wine's tray shows no icon");
    }
    RECT rect{};
    ::GetWindowRect(icon, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}

BOOL CALLBACK printTooltip(HWND window, LPARAM) {
    char windowClass[64] = {};
    ::GetClassNameA(window, windowClass, sizeof(windowClass));
    if (_stricmp(windowClass, TOOLTIPS_CLASSA) == 0 && ::IsWindowVisible(window)) {
        printEscaped(textOf(window));
    }
    return TRUE;
}

int usage() {
    std::fputs("usage: see the comment at the top of e2e/tools/ui_driver.cpp\n", stderr);
    return 2;
}

}  // namespace

int main() {
    const std::vector<std::string> arguments = utf8Arguments();
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) {
        pointers.push_back(argument.c_str());
    }
    const int argc = static_cast<int>(pointers.size());
    const char* const* argv = pointers.data();
    if (argc < 2) {
        return usage();
    }
    const std::string command = argv[1];
    const auto arg = [&](int i) -> const char* { return i < argc ? argv[i] : nullptr; };
    const auto need = [&](int count) {
        if (argc < count + 2) {
            std::exit(usage());
        }
    };

    if (command == "wait-visible" || command == "wait-hidden") {
        need(1);
        return waitShown(argv[2], command == "wait-visible", arg(3) ? std::atof(arg(3)) : 10);
    }
    if (command == "visible") {
        need(1);
        const HWND window = arg(3) ? requireControl(argv[2], argv[3]) : findWindow(kindNamed(argv[2]));
        printFlag(window != nullptr && ::IsWindowVisible(window));
        return 0;
    }
    if (command == "enabled") {
        need(1);
        printFlag(
            ::IsWindowEnabled(arg(3) ? requireControl(argv[2], argv[3]) : requireWindow(argv[2])));
        return 0;
    }
    if (command == "checked") {
        need(2);
        printFlag(sendTo(requireControl(argv[2], argv[3]), BM_GETCHECK, 0, 0) == BST_CHECKED);
        return 0;
    }
    if (command == "caption") {
        need(1);
        printEscaped(textOf(requireWindow(argv[2])));
        return 0;
    }
    if (command == "text") {
        need(2);
        printEscaped(textOf(requireControl(argv[2], argv[3])));
        return 0;
    }
    if (command == "set-text") {
        need(3);
        setText(requireControl(argv[2], argv[3]), argv[4]);
        return 0;
    }
    if (command == "set-lines") {
        need(2);
        std::string text;
        for (int i = 4; i < argc; ++i) {
            text += (i > 4 ? "\r\n" : "");
            text += argv[i];
        }
        setText(requireControl(argv[2], argv[3]), text);
        return 0;
    }
    if (command == "click") {
        need(2);
        // Posted: the click may open a message box, which would hold a sent message.
        return ::PostMessageW(requireControl(argv[2], argv[3]), BM_CLICK, 0, 0) ? 0 : 1;
    }
    if (command == "count") {
        need(1);
        std::printf("%zu\n", rowCount(argv[2]));
        return 0;
    }
    if (command == "rows") {
        need(1);
        for (const std::string& row : rowsOf(argv[2])) {
            printEscaped(row);
        }
        return 0;
    }
    if (command == "selected") {
        need(1);
        std::printf("%ld\n", selectedRow(argv[2]));
        return 0;
    }
    if (command == "select") {
        need(2);
        selectRow(argv[2], std::atol(argv[3]));
        return 0;
    }
    if (command == "rect") {
        need(1);
        const HWND window = arg(3) ? requireControl(argv[2], argv[3]) : requireWindow(argv[2]);
        RECT rect{};
        ::GetWindowRect(window, &rect);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top);
        return 0;
    }
    if (command == "focus") {
        need(1);
        std::printf("%s\n", focusedControl(argv[2]).c_str());
        return 0;
    }
    if (command == "menu") {
        need(1);
        return ::PostMessageW(requireWindow("main"), WM_COMMAND,
                              static_cast<WPARAM>(std::strtoul(argv[2], nullptr, 0)), 0)
                   ? 0
                   : 1;
    }
    if (command == "close") {
        need(1);
        return ::PostMessageW(requireWindow(argv[2]), WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == "tray") {
        need(1);
        return ::PostMessageW(requireWindow("main"), WM_MOUSEMOVE, 0,
                              static_cast<LPARAM>(std::strtol(argv[2], nullptr, 0)))
                   ? 0
                   : 1;
    }
    if (command == "answer") {
        need(1);
        return answer(argv[2], arg(3) ? arg(3) : "Quorvel");
    }
    if (command == "no-box") {
        ::Sleep(300);
        return findBox(arg(2) ? arg(2) : "Quorvel") == nullptr ? 0 : 1;
    }
    if (command == "file-dialog") {
        need(1);
        return fileDialog(argv[2]);
    }
    if (command == "box-owner") {
        return boxOwner(arg(2) ? arg(2) : "Quorvel");
    }
    if (command == "covered") {
        need(2);
        const POINT point{std::atoi(argv[2]), std::atoi(argv[3])};
        std::string over = "none";
        for (const WindowKind& kind : Kinds) {
            const HWND window = findWindow(kind);
            RECT rect{};
            if (window != nullptr && ::IsWindowVisible(window) && ::GetWindowRect(window, &rect) &&
                ::PtInRect(&rect, point)) {
                over = kind.name;
            }
        }
        std::printf("%s\n", over.c_str());
        return 0;
    }
    if (command == "move") {
        need(3);
        return ::SetWindowPos(requireWindow(argv[2]), nullptr, std::atoi(argv[3]),
                              std::atoi(argv[4]), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    if (command == "resize") {
        need(3);
        return ::SetWindowPos(requireWindow(argv[2]), nullptr, 0, 0, std::atoi(argv[3]),
                              std::atoi(argv[4]), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    if (command == "minimize") {
        need(1);
        return ::ShowWindowAsync(requireWindow(argv[2]), SW_MINIMIZE) ? 0 : 1;
    }
    if (command == "iconic") {
        need(1);
        printFlag(::IsIconic(requireWindow(argv[2])));
        return 0;
    }
    if (command == "in-front") {
        need(1);
        printFlag(inFront(requireWindow(argv[2])));
        return 0;
    }
    if (command == "in-work-area") {
        need(1);
        printFlag(inWorkArea(requireWindow(argv[2])));
        return 0;
    }
    if (command == "clipped") {
        need(1);
        return printClipped(requireWindow(argv[2]));
    }
    if (command == "font-width") {
        need(2);
        return fontWidth(requireControl(argv[2], argv[3]));
    }
    if (command == "dpi-change") {
        need(3);
        return dpiChange(requireWindow(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    }
    if (command == "tray-icons") {
        return trayIcons();
    }
    if (command == "tray-rect") {
        return trayRect();
    }
    if (command == "tooltip") {
        ::EnumWindows(&printTooltip, 0);
        return 0;
    }
    return usage();
}
