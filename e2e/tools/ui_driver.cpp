// Drives Quorvel's windows from outside with ordinary window messages, as the
// end-to-end tests' hands and eyes. Texts, given and printed, are UTF-8.
//
// WINDOW: main, common (Common Text), startup (the start-with-Windows
// question), excluded (Excluded Programs), find (Find and Type), import (the
// import preview), held (Programs Waiting for Approval); else a window class or
// title. QUORVEL_UI_WINDOW=HANDLE (as "windows" prints) picks one of two copies.
// CONTROL: ROLE#N, the Nth control of that role from 0 in the window's order;
// ROLE:CAPTION, the one with that caption (access-key "&" left out); an id; or
// one of the names the suites share (triggerBox, addButton...). Roles: button,
// check, radio, group, edit, list, combo, static, panel. Left out: the window.
//
// Readings, "[read] READING WINDOW [CONTROL]", print one line (rows: one a row):
//   visible (0 when the window is not there), enabled, checked, iconic,
//   in-front (active, nothing over its middle), in-work-area: 1 or 0;
//   text (CR and LF as \r and \n), text-length, scroll-width (a list's extent),
//   count, rows, selected (the selected row, or none; a list's, the window's list
//   when no control is named),
//   focus (the control with the keyboard focus, named as CONTROL, or none),
//   rect (X Y WIDTH HEIGHT on screen), clipped (each control cut off by its window
//   or too small for its caption in the message font), font-width (a text's
//   width in the box's font, then in the message font at the window's DPI),
//   controls (each control: ROLE#N, then ROLE:CAPTION when it has one).
// Actions on a window's controls:
//   wait-visible WINDOW [SECONDS]; set-text|set-lines WINDOW CONTROL LINE... (as a
//   paste, lines joined by CR LF); click, paste WINDOW CONTROL; type WINDOW CONTROL
//   TEXT (WM_CHAR at the end); select WINDOW [CONTROL] ROW (as a click does);
//   close, minimize WINDOW; move WINDOW X|right Y; resize WINDOW WIDTH HEIGHT;
//   dpi-change WINDOW FROM TO; menu COMMAND (the main window's); tray MESSAGE (the
//   icon's callback); send|send-answer WINDOW MESSAGE WPARAM LPARAM; windows WINDOW.
// Boxes and dialogs: answer BUTTON [CAPTION] (prints the box's text, presses Yes,
//   No or OK; caption "Quorvel" by default); no-box, box-owner, default-button
//   [CAPTION]; file-dialog PATH (prints its title and file type, enters PATH);
//   file-dialog-box BUTTON; cancel-file-dialog; popup-menu-rect; tooltip;
//   tray-icons, tray-rect (Wine's notification area).
// Keys: key COMBINATION (SendInput: ctrl+shift+insert, alt+x, 0x70); inject TEXT
//   (small letters, digits, blanks, a key at a time); key-event VK down|up [EXTRA].
// Elsewhere: clear-target, password-target on|off|protected (the test target);
//   set-clipboard TEXT (also in a format of the driver's own, the mark);
//   get-clipboard, get-clipboard-mark; code-page; foreground; mark PATH (writes
//   it); written PATH (its write time); hold-file PATH RELEASE (shared with no one
//   until RELEASE exists).
// Timings in ms: timed COMMAND... [@ READING... [= EXPECTED]] (until READING prints
//   EXPECTED, or with no "=" changes; 30 s at most); timed-hotkey (the Find and
//   Type popup's); timed-set-text WINDOW CONTROL TEXT; bare-box WINDOW CONTROL (the
//   box's text put into a box of the driver's own alike, in 0.1 ms); stamp FILE
//   COMMAND... (writes "armed" and the Unix ms, runs it, writes its name and ms).
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
#include <string>
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
using Words = std::vector<std::string>;

constexpr UINT SendTimeoutMs = 10000;

struct Named {
    const char* name;
    const wchar_t* windowClass;
};
constexpr Named Windows[] = {
    {"main", ids::MainWindowClass},       {"common", ids::CommonTextClass},
    {"startup", ids::StartUpDialogClass}, {"excluded", ids::ExcludedProgramsClass},
    {"find", ids::FindAndTypeClass},      {"import", ids::ImportPreviewClass},
    {"held", ids::HeldProgramsClass}};

// The names the suites share; the same name may stand in several windows.
struct Alias {
    const char* name;
    int id;
};
constexpr Alias Aliases[] = {{"triggerBox", ids::triggerBox},
                             {"shortcutText", ids::shortcutText},
                             {"addButton", ids::addButton},
                             {"deleteButton", ids::deleteButton},
                             {"searchBox", ids::searchBox},
                             {"searchBox", ids::FindSearchBox},
                             {"exitButton", ids::exitButton},
                             {"minimizeButton", ids::minimizeButton},
                             {"calibrationBox", ids::calibrationBox},
                             {"commonTextButton", ids::commonTextButton},
                             {"yesButton", ids::StartUpYesButton},
                             {"noButton", ids::StartUpNoButton},
                             {"importButton", ids::ImportButton},
                             {"importButton", ids::importButton},
                             {"approveButton", ids::HeldApproveButton}};

[[noreturn]] void usage() {
    std::fputs("usage: see the comment at the top of e2e/tools/ui_driver.cpp\n", stderr);
    std::exit(2);
}

const std::string& word(const Words& words, std::size_t i) {
    if (i >= words.size()) {
        usage();
    }
    return words[i];
}

long long number(const Words& words, std::size_t i) {
    return std::strtoll(word(words, i).c_str(), nullptr, 0);
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

int succeeded(BOOL done) {
    return done ? 0 : 1;
}

LRESULT sendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
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
    const LRESULT length = sendTo(window, lengthMessage, row);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 2, L'\0');
    sendTo(window, textMessage, textMessage == LB_GETTEXT ? row : buffer.size() - 1,
           reinterpret_cast<LPARAM>(buffer.data()));
    return utf8Of(buffer.data());
}

void setTextOf(HWND window, const std::string& text) {
    const std::wstring wide = wideOf(text);
    sendTo(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

DWORD styleOf(HWND window) {
    return static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
}

std::string classOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

bool isClass(HWND window, const char* name) {
    return _stricmp(classOf(window).c_str(), name) == 0;
}

BOOL CALLBACK collect(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// Every descendant of `parent` (some controls sit in a panel), or every
// top-level window when it is null.
std::vector<HWND> windowsUnder(HWND parent) {
    std::vector<HWND> windows;
    const auto into = reinterpret_cast<LPARAM>(&windows);
    parent != nullptr ? ::EnumChildWindows(parent, &collect, into) : ::EnumWindows(&collect, into);
    return windows;
}

// With two copies of Quorvel running, QUORVEL_UI_WINDOW (a handle that
// "windows" printed) says which one's window is meant.
std::wstring classNamed(const std::string& name) {
    for (const Named& known : Windows) {
        if (name == known.name) {
            return known.windowClass;
        }
    }
    return wideOf(name);
}

HWND findWindow(const std::string& name) {
    const std::wstring windowClass = classNamed(name);
    if (const char* chosen = std::getenv("QUORVEL_UI_WINDOW"); chosen != nullptr && *chosen) {
        const auto window = reinterpret_cast<HWND>(std::strtoull(chosen, nullptr, 0));
        if (wideOf(classOf(window)) == windowClass) {
            return window;
        }
    }
    const HWND window = ::FindWindowW(windowClass.c_str(), nullptr);
    return window != nullptr ? window : ::FindWindowW(nullptr, windowClass.c_str());
}

HWND requireWindow(const std::string& name) {
    const HWND window = findWindow(name);
    if (window == nullptr) {
        fail("window not found", name.c_str());
    }
    return window;
}

// Polls `find` until it gives a window, or true; fails when SECONDS pass first.
template <typename Find>
auto awaited(double seconds, const std::string& failure, Find find) {
    decltype(find()) found{};
    if (!waitUntil(seconds, [&] { return static_cast<bool>(found = find()); })) {
        fail(failure.c_str());
    }
    return found;
}

std::string roleOf(HWND control) {
    constexpr std::pair<const char*, const char*> Roles[] = {
        {"Edit", "edit"},      {"ListBox", "list"},  {WC_LISTVIEWA, "list"},
        {"ComboBox", "combo"}, {"Static", "static"}, {"QuorvelPanel", "panel"}};
    if (isClass(control, "Button")) {
        switch (styleOf(control) & BS_TYPEMASK) {
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
                return "check";
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                return "radio";
            case BS_GROUPBOX:
                return "group";
            default:
                return "button";
        }
    }
    for (const auto& [windowClass, role] : Roles) {
        if (isClass(control, windowClass)) {
            return role;
        }
    }
    return classOf(control);
}

// The caption as it reads, without its access key's "&"; none for a box's text.
std::string captionOf(HWND control) {
    const std::string role = roleOf(control);
    if (role == "edit" || role == "list" || role == "combo") {
        return {};
    }
    std::string caption = textOf(control);
    std::erase(caption, '&');
    return caption;
}

// ROLE#N among the window's controls.
std::string indexedName(HWND window, HWND control) {
    const std::string role = roleOf(control);
    int index = 0;
    for (const HWND other : windowsUnder(window)) {
        if (other == control) {
            break;
        }
        index += roleOf(other) == role ? 1 : 0;
    }
    return role + "#" + std::to_string(index);
}

// The control's shared name, else ROLE:CAPTION, else ROLE#N.
std::string controlName(HWND window, HWND control) {
    for (const Alias& alias : Aliases) {
        if (::GetDlgCtrlID(control) == alias.id) {
            return alias.name;
        }
    }
    const std::string caption = captionOf(control);
    return caption.empty() ? indexedName(window, control) : roleOf(control) + ":" + caption;
}

HWND findControl(HWND window, const std::string& name) {
    const std::vector<HWND> controls = windowsUnder(window);
    const std::size_t mark = name.find_first_of("#:");
    const std::string role = name.substr(0, mark);
    int index = mark != std::string::npos && name[mark] == '#' ? std::atoi(&name[mark + 1]) : -1;
    for (const HWND control : controls) {
        const int id = ::GetDlgCtrlID(control);
        const bool aliased = std::any_of(std::begin(Aliases), std::end(Aliases),
                                         [&](auto& a) { return a.id == id && name == a.name; });
        if (aliased || std::to_string(id) == name) {
            return control;
        }
        if (mark != std::string::npos && roleOf(control) == role &&
            (index < 0 ? captionOf(control) == name.substr(mark + 1) : index-- == 0)) {
            return control;
        }
    }
    fail("control not found", name.c_str());
}

// The window named first, or the control named second within it.
HWND target(const Words& words, std::size_t first = 0) {
    const HWND window = requireWindow(word(words, first));
    return words.size() > first + 1 ? findControl(window, words[first + 1]) : window;
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

// The named list, or the window's when `named` is a window.
HWND listOf(HWND named) {
    if (roleOf(named) == "list") {
        return named;
    }
    for (const HWND control : windowsUnder(named)) {
        if (roleOf(control) == "list") {
            return control;
        }
    }
    fail("the window has no list");
}

bool isListView(HWND list) {
    return isClass(list, WC_LISTVIEWA);
}

std::size_t rowCount(HWND list) {
    const LRESULT count = sendTo(list, isListView(list) ? LVM_GETITEMCOUNT : LB_GETCOUNT);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

// The rows from `first` to before `end`, one a line.
std::string rowsOf(HWND list, std::size_t first = 0, std::size_t end = SIZE_MAX) {
    end = std::min(end, rowCount(list));
    std::string rows;
    const auto add = [&](std::size_t row, const std::string& text) {
        rows += (row > first ? "\n" : "") + escaped(text);
    };
    if (!isListView(list)) {
        for (std::size_t row = first; row < end; ++row) {
            add(row, textOf(list, LB_GETTEXTLEN, LB_GETTEXT, row));
        }
        return rows;
    }
    constexpr std::size_t TextRoom = 8192;
    RemoteMemory memory(list, sizeof(LVITEMW) + TextRoom * sizeof(wchar_t));
    std::vector<wchar_t> text(TextRoom, L'\0');
    for (std::size_t row = first; row < end; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = reinterpret_cast<wchar_t*>(memory.address() + sizeof(LVITEMW));
        item.cchTextMax = static_cast<int>(TextRoom);
        memory.write(0, &item, sizeof(item));
        const LRESULT length =
            sendTo(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory.address()));
        memory.read(sizeof(LVITEMW), text.data(), TextRoom * sizeof(wchar_t));
        add(row, utf8Of({text.data(), length > 0 ? static_cast<std::size_t>(length) : 0}));
    }
    return rows;
}

// The selected row's text, or none.
std::string selectedRow(HWND list) {
    const LRESULT row = isListView(list)
                            ? sendTo(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)
                            : sendTo(list, LB_GETCURSEL);
    return row < 0 ? "none" : rowsOf(list, static_cast<std::size_t>(row), row + 1);
}

int selectRow(HWND list, long long row) {
    if (!isListView(list)) {
        // A click selects the row and tells the window, which LB_SETCURSEL alone does not.
        sendTo(list, LB_SETCURSEL, static_cast<WPARAM>(row));
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

void setText(HWND control, const std::string& text) {
    if ((styleOf(control) & ES_MULTILINE) == 0) {
        setTextOf(control, text);
        return;
    }
    // A multi-line box tells its window of WM_SETTEXT changes on no system, so
    // the text goes in as a paste over the whole content.
    const std::wstring wide = wideOf(text);
    sendTo(control, EM_SETSEL, 0, -1);
    sendTo(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

constexpr int FileTypeCombo = 0x470;  // cmb1
constexpr int FileNameCombo = 0x47c;  // cmb13
constexpr int FileNameEdit = 0x480;   // edt1

HWND childWithId(HWND window, int id) {
    for (const HWND child : windowsUnder(window)) {
        if (::GetDlgCtrlID(child) == id) {
            return child;
        }
    }
    return nullptr;
}

HWND fileNameBox(HWND dialog) {
    const HWND combo = childWithId(dialog, FileNameCombo);
    return combo != nullptr ? combo : childWithId(dialog, FileNameEdit);
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

const char* captionIn(const Words& words, std::size_t i) {
    return i < words.size() ? words[i].c_str() : "Quorvel";
}

// A box the dialog shows over itself (a question, a refusal).
HWND boxOver(HWND dialog) {
    return dialogWhere([dialog](HWND box) { return ::GetWindow(box, GW_OWNER) == dialog; });
}

// Presses a dialog's button and waits until the dialog has gone, or, when
// `orBox`, shows a box of its own, which the caller answers.
int press(HWND dialog, int id, bool orBox = false) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    if (!waitUntil(10, [&] {
            return !::IsWindow(dialog) || !::IsWindowVisible(dialog) ||
                   (orBox && boxOver(dialog) != nullptr);
        })) {
        fail("the dialog stayed after the answer");
    }
    return 0;
}

// Prints the box's text (its longest static text: the icon's has none) and
// presses its button Yes, No or OK.
int answerBox(HWND box, const std::string& button) {
    const int id = button == "Yes" ? IDYES : button == "No" ? IDNO : button == "OK" ? IDOK : 0;
    if (id == 0 || ::GetDlgItem(box, id) == nullptr) {
        fail("the box has no such button", button.c_str());
    }
    std::string text;
    for (const HWND child : windowsUnder(box)) {
        const std::string own = isClass(child, "Static") ? textOf(child) : "";
        text = own.size() > text.size() ? own : text;
    }
    printed(escaped(text));
    return press(box, id);
}

int fileDialog(const std::string& path) {
    const HWND dialog = requireDialog(nullptr);
    const HWND kind = childWithId(dialog, FileTypeCombo);
    printed(textOf(dialog) + "\n" + (kind != nullptr ? textOf(kind) : ""));
    setTextOf(fileNameBox(dialog), path);
    return press(dialog, IDOK, true);
}

// The caption of the default button of a message box: the one drawn as such.
int defaultButton(const char* caption) {
    for (const HWND child : windowsUnder(requireDialog(caption))) {
        if (isClass(child, "Button") && (styleOf(child) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return printed(textOf(child));
        }
    }
    fail("the box has no default button");
}

std::string focusIn(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ||
        info.hwndFocus == nullptr || !::IsChild(window, info.hwndFocus)) {
        return "none";
    }
    return controlName(window, info.hwndFocus);
}

RECT rectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

std::string printableRect(HWND window, const char* missing = "no such window") {
    if (window == nullptr || !::IsWindow(window)) {
        fail(missing);
    }
    const RECT rect = rectOf(window);
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
           std::to_string(rect.right - rect.left) + " " + std::to_string(rect.bottom - rect.top);
}

bool contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool inFront(HWND window) {
    const RECT rect = rectOf(window);
    const HWND atMiddle =
        ::WindowFromPoint({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    return ::GetForegroundWindow() == window && atMiddle != nullptr &&
           ::GetAncestor(atMiddle, GA_ROOT) == window;
}

bool inWorkArea(HWND window) {
    const RECT rect = rectOf(window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    if (!contains(work, rect)) {
        std::fprintf(stderr, "window %ld,%ld-%ld,%ld, work area %ld,%ld-%ld,%ld\n", rect.left,
                     rect.top, rect.right, rect.bottom, work.left, work.top, work.right,
                     work.bottom);
    }
    return contains(work, rect);
}

Font messageFont(HWND window) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                      ::GetDpiForWindow(window))) {
        fail("no message font");
    }
    return Font(::CreateFontIndirectW(&metrics.lfMessageFont));
}

// The size of a text in the message font at the DPI of `window`, the font the
// program's windows must draw with: on one line, or wrapped at `wrapWidth`.
SIZE messageFontSize(HWND window, const std::wstring& text, int wrapWidth = 0) {
    const Font font = messageFont(window);
    const MemoryDc dc(::CreateCompatibleDC(nullptr));
    ::SelectObject(dc.get(), font.get());
    RECT rect{0, 0, wrapWidth > 0 ? wrapWidth : 10000, 0};
    const UINT format = DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect, format);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// What keeps the control from showing whole, or nothing.
std::string whyClipped(HWND window, HWND control) {
    const RECT own = rectOf(control);
    RECT parent{};
    const HWND parentWindow = ::GetParent(control);
    ::GetClientRect(parentWindow, &parent);
    ::MapWindowPoints(parentWindow, nullptr, reinterpret_cast<POINT*>(&parent), 2);
    if (!contains(parent, own)) {
        return "outside its window";
    }
    const std::wstring caption = wideOf(textOf(control));
    const std::string role = roleOf(control);
    const int width = own.right - own.left;
    const auto scaled = [&](int pixels) {
        return ::MulDiv(pixels, static_cast<int>(::GetDpiForWindow(window)), 96);
    };
    if (caption.empty() || (role != "static" && !isClass(control, "Button"))) {
        return {};
    }
    SIZE text = messageFontSize(window, caption, role == "static" ? width : 0);
    int needed = 0;
    if (role == "group") {
        needed = text.cx + scaled(16);
    } else if (role == "check" || role == "radio") {
        const int box = scaled(13) + scaled(6);  // the box and the gap before the caption
        if ((styleOf(control) & BS_MULTILINE) != 0) {
            text = messageFontSize(window, caption, width - box);
        }
        needed = box + text.cx;
    } else if (role != "static") {
        needed = text.cx + scaled(10);  // the edges and a margin on each side
    }
    if (needed > width || text.cy > own.bottom - own.top) {
        return "caption needs " + std::to_string(needed) + "x" + std::to_string(text.cy) +
               ", has " + std::to_string(width) + "x" + std::to_string(own.bottom - own.top);
    }
    return {};
}

std::string clipped(HWND window) {
    std::string lines;
    for (const HWND control : windowsUnder(window)) {
        const std::string why = ::IsWindowVisible(control) ? whyClipped(window, control) : "";
        lines += why.empty()
                     ? ""
                     : (lines.empty() ? "" : "\n") + controlName(window, control) + ": " + why;
    }
    return lines;
}

// A text box's font measured from where it puts its characters, against the
// message font: the two widths are equal when the box uses the message font.
std::string fontWidth(HWND box) {
    static const wchar_t Sample[] = L"Add ShortCut WWWW iiii 0123456789";
    constexpr int Last = static_cast<int>(std::size(Sample)) - 2;
    const std::string before = textOf(box);
    sendTo(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Sample));
    const LRESULT first = sendTo(box, EM_POSFROMCHAR, 0);
    const LRESULT last = sendTo(box, EM_POSFROMCHAR, Last);
    setTextOf(box, before);
    return std::to_string(static_cast<short>(LOWORD(last)) - static_cast<short>(LOWORD(first))) +
           " " + std::to_string(messageFontSize(::GetAncestor(box, GA_ROOT), {Sample, Last}).cx);
}

std::string controls(HWND window) {
    std::string lines;
    for (const HWND control : windowsUnder(window)) {
        const std::string caption = captionOf(control);
        lines += (lines.empty() ? "" : "\n") + indexedName(window, control) +
                 (caption.empty() ? "" : " " + roleOf(control) + ":" + caption);
    }
    return lines;
}

// What the box's text costs a box with nothing of the program around it: a
// box of the driver's own, alike in class, style, size and font, takes it.
int timedBareBox(HWND box) {
    const std::wstring text = wideOf(textOf(box));
    const RECT rect = rectOf(box);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const Font font = messageFont(box);
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, width + 20,
                                         height + 20, nullptr, nullptr, nullptr, nullptr);
    const auto extended = static_cast<DWORD>(::GetWindowLongPtrW(box, GWL_EXSTYLE));
    const HWND bare =
        ::CreateWindowExW(extended, L"EDIT", L"", styleOf(box) | WS_CHILD | WS_VISIBLE, 10, 10,
                          width, height, owner, nullptr, nullptr, nullptr);
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
    const RECT rect = rectOf(window);
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
    for (HWND icon = tray != nullptr && ::IsWindowVisible(tray) ? ::GetWindow(tray, GW_CHILD)
                                                                : nullptr;
         icon != nullptr; icon = ::GetWindow(icon, GW_HWNDNEXT)) {
        if (::IsWindowVisible(icon)) {
            icons.push_back(icon);
        }
    }
    return icons;
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
    const bool done = putText(CF_UNICODETEXT, wideOf(text)) && putText(markFormat(), wideOf(text));
    ::CloseClipboard();
    return succeeded(done);
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

// The file's last write time, or zero when it cannot be read.
ULONGLONG lastWriteOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(wideOf(path).c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

int holdFile(const std::string& path, const std::string& release) {
    const quorvel::UniqueFileHandle file(::CreateFileW(
        wideOf(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0));
    if (!file) {
        fail("the file could not be opened");
    }
    printed("held");
    waitUntil(60, [&] {
        return ::GetFileAttributesW(wideOf(release).c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    return 0;
}

using Reading = std::string (*)(HWND);
std::string flag(bool on) {
    return on ? "1" : "0";
}

// The readings of a window or a control; a list's of the window's list when
// the window is named alone.
constexpr std::pair<const char*, Reading> Readings[] = {
    {"enabled", [](HWND w) { return flag(::IsWindowEnabled(w)); }},
    {"checked", [](HWND w) { return flag(sendTo(w, BM_GETCHECK) == BST_CHECKED); }},
    {"iconic", [](HWND w) { return flag(::IsIconic(w)); }},
    {"in-front", [](HWND w) { return flag(inFront(w)); }},
    {"in-work-area", [](HWND w) { return flag(inWorkArea(w)); }},
    {"text", [](HWND w) { return escaped(textOf(w)); }},
    {"text-length", [](HWND w) { return std::to_string(sendTo(w, WM_GETTEXTLENGTH)); }},
    {"scroll-width", [](HWND w) { return std::to_string(sendTo(w, LB_GETHORIZONTALEXTENT)); }},
    {"count", [](HWND w) { return std::to_string(rowCount(listOf(w))); }},
    {"rows", [](HWND w) { return rowsOf(listOf(w)); }},
    {"selected", [](HWND w) { return selectedRow(listOf(w)); }},
    {"focus", &focusIn},
    {"rect", [](HWND w) { return printableRect(w); }},
    {"clipped", &clipped},
    {"font-width", &fontWidth},
    {"controls", &controls}};

int run(Words words);

// timed ACTION... [@ READING... [= EXPECTED]]: runs the command ACTION, then
// prints the milliseconds until the command READING prints EXPECTED, or with
// no "=" anything but what it printed before (30 s at most).
int timed(const Words& words) {
    const auto at = std::find(words.begin(), words.end(), "@");
    const auto is = std::find(at, words.end(), "=");
    const Words reading(at == words.end() ? at : at + 1, is);
    std::string expected;
    for (auto word = is == words.end() ? is : is + 1; word != words.end(); ++word) {
        expected += *word + (word + 1 == words.end() ? "\n" : " ");
    }
    const auto quietly = [](const Words& command) {
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

// stamp FILE COMMAND...: started before the program, the driver's own start
// costs the measure nothing.
int stamp(const Words& words) {
    std::FILE* file = std::fopen(word(words, 0).c_str(), "w");
    if (file == nullptr) {
        fail("the file cannot be written");
    }
    std::fprintf(file, "armed %lld\n", unixMs());
    std::fflush(file);
    const int status = run({words.begin() + 1, words.end()});
    std::fprintf(file, "%s %lld\n", word(words, 1).c_str(), unixMs());
    return std::fclose(file) == 0 ? status : 1;
}

// Moves the window (X "right": against the screen's right edge) or gives it
// that outer size.
int placed(const Words& w, bool move) {
    const HWND window = requireWindow(word(w, 0));
    const RECT rect = rectOf(window);
    const int x = word(w, 1) == "right" ? ::GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)
                                        : static_cast<int>(number(w, 1));
    const int y = static_cast<int>(number(w, 2));
    return succeeded(
        ::SetWindowPos(window, nullptr, x, y, x, y,
                       (move ? SWP_NOSIZE : SWP_NOMOVE) | SWP_NOZORDER | SWP_NOACTIVATE));
}

bool shown(const std::string& name) {
    const HWND window = findWindow(name);
    return window != nullptr && ::IsWindowVisible(window);
}

// MESSAGE WPARAM LPARAM, numbers, to the window named first; returns once
// the window has handled it.
int sent(const Words& w, bool printAnswer) {
    const LRESULT answer =
        sendTo(requireWindow(word(w, 0)), static_cast<UINT>(number(w, 1)),
               static_cast<WPARAM>(number(w, 2)), static_cast<LPARAM>(number(w, 3)));
    return printAnswer ? printed(std::to_string(answer)) : 0;
}

int post(HWND window, UINT message, WPARAM wParam = 0) {
    return succeeded(::PostMessageW(window, message, wParam, 0));
}

// The words from the third on, joined by CR LF.
int setLines(const Words& w) {
    std::string text;
    for (std::size_t line = 2; line < w.size(); ++line) {
        text += (line > 2 ? "\r\n" : "") + w[line];
    }
    word(w, 1);
    setText(target({w.begin(), w.begin() + 2}), text);
    return 0;
}

using W = const Words&;
constexpr std::pair<const char*, int (*)(W)> Commands[] = {
    {"read", [](W w) { return run({w.begin(), w.end()}); }},
    {"visible",
     [](W w) { return printed(flag(shown(word(w, 0)) && ::IsWindowVisible(target(w)))); }},
    {"wait-visible",
     [](W w) {
         const double seconds = w.size() > 1 ? std::atof(w[1].c_str()) : 10;
         return succeeded(waitUntil(seconds, [&] { return shown(word(w, 0)); }));
     }},
    {"set-text", &setLines},
    {"set-lines", &setLines},
    // Posted: the click may open a message box, which would hold a sent message.
    {"click", [](W w) { return post(target(w), BM_CLICK); }},
    {"paste", [](W w) { return post(target(w), WM_PASTE); }},
    {"type",
     [](W w) {
         const HWND box = target(w);
         const LRESULT end = sendTo(box, WM_GETTEXTLENGTH);
         sendTo(box, EM_SETSEL, static_cast<WPARAM>(end), end);
         for (const wchar_t c : wideOf(word(w, 2))) {
             ::PostMessageW(box, WM_CHAR, c, 1);
         }
         return 0;
     }},
    {"select",
     [](W w) { return selectRow(listOf(target({w.begin(), w.end() - 1})), number(w, w.size() - 1)); }},
    {"menu", [](W w) { return post(requireWindow("main"), WM_COMMAND, number(w, 0)); }},
    {"windows",
     [](W w) {
         const std::wstring windowClass = classNamed(word(w, 0));
         for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, windowClass.c_str(),
                                                               nullptr)) != nullptr;) {
             char handle[32];
             std::snprintf(handle, sizeof(handle), "0x%llx",
                           static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
             printed(handle);
         }
         return 0;
     }},
    {"close", [](W w) { return post(target(w), WM_CLOSE); }},
    {"minimize", [](W w) { return succeeded(::ShowWindowAsync(target(w), SW_MINIMIZE)); }},
    {"move", [](W w) { return placed(w, true); }},
    {"resize", [](W w) { return placed(w, false); }},
    {"dpi-change",
     [](W w) {
         return dpiChange(requireWindow(word(w, 0)), static_cast<int>(number(w, 1)),
                          static_cast<int>(number(w, 2)));
     }},
    // Sent, not posted: what the press or release does has been done on return.
    {"tray", [](W w) { return sent({"main", "0x200", "0", word(w, 0)}, false); }},
    {"send", [](W w) { return sent(w, false); }},
    {"send-answer", [](W w) { return sent(w, true); }},
    {"answer", [](W w) { return answerBox(requireDialog(captionIn(w, 1)), word(w, 0)); }},
    {"no-box",
     [](W w) {
         ::Sleep(300);
         return findDialog(captionIn(w, 0)) == nullptr ? 0 : 1;
     }},
    {"box-owner",
     [](W w) {
         const HWND owner = ::GetWindow(requireDialog(captionIn(w, 0)), GW_OWNER);
         std::string name = owner == nullptr ? "none" : "other";
         for (const Named& known : Windows) {
             name = owner != nullptr && findWindow(known.name) == owner ? known.name : name;
         }
         return printed(name);
     }},
    {"default-button", [](W w) { return defaultButton(captionIn(w, 0)); }},
    {"file-dialog", [](W w) { return fileDialog(word(w, 0)); }},
    {"file-dialog-box",
     [](W w) {
         const HWND dialog = requireDialog(nullptr);
         return answerBox(awaited(10, "the file dialog shows no box", [&] { return boxOver(dialog); }),
                          word(w, 0));
     }},
    {"cancel-file-dialog", [](W) { return press(requireDialog(nullptr), IDCANCEL); }},
    // A popup menu is a window of the system's menu class.
    {"popup-menu-rect",
     [](W) {
         const HWND menu = ::FindWindowW(L"#32768", nullptr);
         return printed(printableRect(menu != nullptr && ::IsWindowVisible(menu) ? menu : nullptr,
                                      "no menu shows"));
     }},
    {"tray-icons", [](W) { return printed(std::to_string(wineTrayIcons().size())); }},
    {"tray-rect",
     [](W) {
         const std::vector<HWND> icons = wineTrayIcons();
         return printed(printableRect(icons.empty() ? nullptr : icons[0], "no tray icon"));
     }},
    {"tooltip",
     [](W) {
         for (const HWND window : windowsUnder(nullptr)) {
             if (isClass(window, TOOLTIPS_CLASSA) && ::IsWindowVisible(window)) {
                 printed(escaped(textOf(window)));
             }
         }
         return 0;
     }},
    {"clear-target", [](W) { return post(testTarget(), ClearTargetMessage); }},
    // Sent, not posted: the box has changed, and has the focus, when this returns.
    {"password-target",
     [](W w) {
         const std::string& kind = word(w, 0);
         sendTo(testTarget(), PasswordTargetMessage,
                kind == "on" ? 1 : kind == "protected" ? 2 : 0);
         return 0;
     }},
    {"set-clipboard", [](W w) { return setClipboard(word(w, 0)); }},
    {"get-clipboard", [](W) { return printClipboard(CF_UNICODETEXT); }},
    {"get-clipboard-mark", [](W) { return printClipboard(markFormat()); }},
    {"code-page", [](W) { return printed(std::to_string(::GetACP())); }},
    {"foreground", [](W) { return printed(escaped(textOf(::GetForegroundWindow()))); }},
    {"mark", [](W w) { return succeeded(writeFile(word(w, 0).c_str(), "started")); }},
    {"written", [](W w) { return printed(std::to_string(lastWriteOf(word(w, 0)))); }},
    {"hold-file", [](W w) { return holdFile(word(w, 0), word(w, 1)); }},
    {"key", [](W w) { return pressKeys(word(w, 0)); }},
    {"inject", [](W w) { return inject(word(w, 0)); }},
    {"key-event",
     [](W w) {
         return succeeded(sendKey(static_cast<WORD>(number(w, 0)), word(w, 1) == "up",
                                  w.size() > 2 ? static_cast<ULONG_PTR>(number(w, 2)) : 0));
     }},
    {"timed", &timed},
    {"timed-hotkey",
     [](W) { return run({"timed", "key", "ctrl+shift+insert", "@", "visible", "find", "=", "1"}); }},
    // The box's window has handled the change when the sent message returns.
    {"timed-set-text", [](W w) { return run({"timed", "set-text", word(w, 0), word(w, 1), word(w, 2)}); }},
    {"bare-box", [](W w) { return timedBareBox(target(w)); }},
    {"stamp", &stamp}};

int run(Words words) {
    const std::string name = words.empty() ? "" : words[0];
    words.erase(words.begin(), words.begin() + (words.empty() ? 0 : 1));
    for (const auto& [command, action] : Commands) {
        if (name == command) {
            return action(words);
        }
    }
    for (const auto& [reading, read] : Readings) {
        if (name == reading) {
            return printed(read(target(words)));
        }
    }
    usage();
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    Words words;
    for (int i = 1; i < count; ++i) {
        words.push_back(utf8Of(arguments[i]));
    }
    ::LocalFree(arguments);
    return run(std::move(words));
}
