#include "platform/win32/win32_focus_inspector.h"

#include <imm.h>
#include <oleacc.h>
#include <shellapi.h>

#include <atomic>
#include <cwctype>
#include <string_view>
#include <utility>

#include "platform/win32/com_objects.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {

// WM_IME_CONTROL requests, which imm.h here lacks.
constexpr WPARAM ImcGetConversionMode = 0x0001;
constexpr WPARAM ImcGetOpenStatus = 0x0005;
// A busy window may not answer at once; past this the input method counts as closed.
constexpr UINT ImeAnswerMs = 30;
// Asks the focus thread to read the input method's state again.
constexpr UINT WmReadInputMethod = WM_APP + 1;
// The user can open or close an input method with a key or its toolbar, which
// changes neither the focus nor the layout: read again this often meanwhile.
constexpr UINT InputMethodRereadMs = 500;
// How long the focused control's program may take to give its text.
constexpr UINT TextAnswerMs = 200;
// A longer text is not read: a control that large is no edit box typed into.
constexpr LRESULT MaxReadCharacters = 1 << 20;
// How long the shell's full-screen state is taken as it was.
constexpr ULONGLONG FullScreenRecheckMs = 1000;

std::string programFileName(DWORD processId) {
    UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return {};
    }
    wchar_t path[MAX_PATH * 2];
    DWORD size = MAX_PATH * 2;
    if (!::QueryFullProcessImageNameW(process.get(), 0, path, &size)) {
        return {};
    }
    std::wstring_view name(path, size);
    const auto slash = name.find_last_of(L"\\/");
    if (slash != std::wstring_view::npos) {
        name.remove_prefix(slash + 1);
    }
    return utf8Text(name);
}

// Edit boxes and rich edit boxes read ES_PASSWORD as a password box; other
// classes give the same bit other meanings.
bool knowsPasswordStyle(HWND window) {
    wchar_t name[64]{};
    if (::RealGetWindowClassW(window, name, 64) == 0) {
        return false;
    }
    std::wstring lower(name);
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return lower == L"edit" || lower.starts_with(L"richedit");
}

bool isRichEdit(HWND window) {
    wchar_t name[64]{};
    return ::RealGetWindowClassW(window, name, 64) != 0 && ::_wcsnicmp(name, L"richedit", 8) == 0;
}

bool askControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& answer) {
    return ::SendMessageTimeoutW(control, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                 TextAnswerMs, &answer) != 0;
}

bool mayHaveInputMethod(HKL layout) {
    const WORD language = PRIMARYLANGID(LOWORD(reinterpret_cast<UINT_PTR>(layout)));
    return ::ImmIsIME(layout) || language == LANG_CHINESE || language == LANG_JAPANESE ||
           language == LANG_KOREAN;
}

bool imeQuery(HWND imeWindow, WPARAM request, DWORD_PTR& answer) {
    return ::SendMessageTimeoutW(imeWindow, WM_IME_CONTROL, request, 0,
                                 SMTO_ABORTIFHUNG | SMTO_BLOCK, ImeAnswerMs, &answer) != 0;
}

// Open, and in a mode that turns keys into characters of its own rather than
// letting letters through.
bool imeComposing(HWND focus, DWORD threadId) {
    if (focus == nullptr || !mayHaveInputMethod(::GetKeyboardLayout(threadId))) {
        return false;
    }
    const HWND imeWindow = ::ImmGetDefaultIMEWnd(focus);
    DWORD_PTR open = 0;
    DWORD_PTR mode = 0;
    if (imeWindow == nullptr || !imeQuery(imeWindow, ImcGetOpenStatus, open) || open == 0 ||
        !imeQuery(imeWindow, ImcGetConversionMode, mode)) {
        return false;
    }
    return (mode & (IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE)) != 0;
}

bool fullScreenNow() {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(::SHQueryUserNotificationState(&state))) {
        return false;
    }
    return state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
}

// The window holding the object that took the focus last, in another program,
// when that object says it is protected: how password fields that are no edit
// boxes (a browser's, a modern program's) show through accessibility, UI
// Automation's IsPassword included. Otherwise null. Counted only while that
// window has the keyboard focus, so a focus event missed or late never keeps
// Quorvel out of another window; and only an event of that same window clears
// it, as its parent's focus events can come late, after its own.
std::atomic<HWND> protectedFocus{nullptr};
// Counts the moves of the focus between objects inside one window (a browser's
// fields), which the focused window's handle does not show.
std::atomic<std::uint64_t> objectFocusChanges{0};

// The control with the keyboard focus in the window in front, and its thread;
// null and 0 when there is none.
std::pair<HWND, DWORD> foregroundFocus() {
    const HWND foreground = ::GetForegroundWindow();
    const DWORD threadId =
        foreground != nullptr ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    const HWND focus =
        threadId != 0 && ::GetGUIThreadInfo(threadId, &thread) ? thread.hwndFocus : nullptr;
    return {focus, threadId};
}

// Whether the input method of the window in front was composing when last read.
std::atomic<bool> inputMethodComposing{false};

// Reads the input method of the window in front: two calls to another program
// that may take up to ImeAnswerMs each, so never from the hook.
void readInputMethod() {
    const auto [focus, threadId] = foregroundFocus();
    inputMethodComposing.store(imeComposing(focus, threadId), std::memory_order_relaxed);
}

bool isProtectedObject(HWND window, LONG object, LONG child) {
    IAccessible* accessible = nullptr;
    VARIANT item;
    ::VariantInit(&item);
    bool isProtected = false;
    if (SUCCEEDED(::AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                              static_cast<DWORD>(child), &accessible, &item)) &&
        accessible != nullptr) {
        VARIANT state;
        ::VariantInit(&state);
        isProtected = SUCCEEDED(accessible->get_accState(item, &state)) && state.vt == VT_I4 &&
                      (state.lVal & STATE_SYSTEM_PROTECTED) != 0;
        ::VariantClear(&state);
        accessible->Release();
    }
    ::VariantClear(&item);
    return isProtected;
}

void CALLBACK focusChanged(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                           DWORD) {
    DWORD processId = 0;
    const DWORD threadId = ::GetWindowThreadProcessId(window, &processId);
    // Events come late, and Wine tells of a window that passed the focus on to
    // its child after the child's own event: a window while another of its thread
    // has the focus is old news. A thread without a focus window at that moment
    // (between a deactivation and an activation) says nothing, and the event stands.
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    if (window != nullptr && ::GetGUIThreadInfo(threadId, &thread) && thread.hwndFocus != nullptr &&
        thread.hwndFocus != window) {
        return;
    }
    const bool isProtected = window != nullptr && processId != ::GetCurrentProcessId() &&
                             isProtectedObject(window, object, child);
    if (isProtected) {
        protectedFocus.store(window, std::memory_order_relaxed);
    } else {
        HWND expected = window;
        protectedFocus.compare_exchange_strong(expected, nullptr, std::memory_order_relaxed);
    }
    // A window of its own taking the focus is seen from its handle at the next key.
    if (object != OBJID_CLIENT || child != CHILDID_SELF) {
        objectFocusChanges.fetch_add(1, std::memory_order_relaxed);
    }
    readInputMethod();
}

// The file name of the last program other than this one that came to the
// front, written by the focus thread and by inspect(), read by the windows.
class LastOtherProgram {
  public:
    void note(DWORD processId, const std::string& name) {
        if (processId == 0 || processId == ::GetCurrentProcessId() || name.empty()) {
            return;
        }
        ::AcquireSRWLockExclusive(&lock_);
        name_ = name;
        ::ReleaseSRWLockExclusive(&lock_);
    }
    void note(HWND window) {
        DWORD processId = 0;
        if (window != nullptr && ::GetWindowThreadProcessId(window, &processId) != 0 &&
            processId != ::GetCurrentProcessId()) {
            note(processId, programFileName(processId));
        }
    }
    std::string name() {
        ::AcquireSRWLockShared(&lock_);
        std::string copy = name_;
        ::ReleaseSRWLockShared(&lock_);
        return copy;
    }

  private:
    SRWLOCK lock_ = SRWLOCK_INIT;
    std::string name_;
};
LastOtherProgram lastOther;

void CALLBACK foregroundChanged(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
    lastOther.note(window);
    readInputMethod();
}

// A thread of its own: a program slow to answer accessibility's questions must
// never hold up the keyboard hook.
DWORD WINAPI watchFocus(void*) {
    const ComApartment com;
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
                                                 &focusChanged, 0, 0, WINEVENT_OUTOFCONTEXT);
    const HWINEVENTHOOK foreground =
        ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                          &foregroundChanged, 0, 0, WINEVENT_OUTOFCONTEXT);
    lastOther.note(::GetForegroundWindow());
    readInputMethod();
    ::SetTimer(nullptr, 0, InputMethodRereadMs, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr &&
            (message.message == WmReadInputMethod || message.message == WM_TIMER)) {
            // Most layouts have no input method: then nothing is asked.
            const HWND foreground = ::GetForegroundWindow();
            if (message.message == WmReadInputMethod ||
                mayHaveInputMethod(::GetKeyboardLayout(
                    foreground != nullptr ? ::GetWindowThreadProcessId(foreground, nullptr) : 0))) {
                readInputMethod();
            }
            continue;
        }
        ::DispatchMessageW(&message);
    }
    for (const HWINEVENTHOOK each : {hook, foreground}) {
        if (each != nullptr) {
            ::UnhookWinEvent(each);
        }
    }
    return 0;
}

}  // namespace

Win32FocusInspector::Win32FocusInspector()
    : watcher_(::CreateThread(nullptr, 0, &watchFocus, nullptr, 0, &watcherId_)) {}

Win32FocusInspector::~Win32FocusInspector() {
    if (watcher_ == nullptr) {
        return;
    }
    // Its queue may not exist yet; a thread stuck in another program's answer
    // ends with the process.
    for (int tries = 0; tries < 10 && !::PostThreadMessageW(watcherId_, WM_QUIT, 0, 0); ++tries) {
        ::Sleep(10);
    }
    ::WaitForSingleObject(watcher_, 1000);
    ::CloseHandle(watcher_);
}

std::string Win32FocusInspector::lastOtherProgram() {
    return lastOther.name();
}

const FocusFacts& Win32FocusInspector::inspect() {
    const HWND foreground = ::GetForegroundWindow();
    DWORD processId = 0;
    const DWORD threadId =
        foreground != nullptr ? ::GetWindowThreadProcessId(foreground, &processId) : 0;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    const HWND focus =
        threadId != 0 && ::GetGUIThreadInfo(threadId, &thread) ? thread.hwndFocus : nullptr;
    // Cheap, unlike asking the input method: a change of layout is seen here.
    const HKL layout = threadId != 0 ? ::GetKeyboardLayout(threadId) : nullptr;

    const ULONGLONG now = ::GetTickCount64();
    bool moved = false;
    if (foreground != foreground_ || processId != processId_) {
        foreground_ = foreground;
        processId_ = processId;
        facts_.program = processId != 0 ? programFileName(processId) : std::string();
        fullScreenAt_ = 0;
        // A missed foreground event is made up for at the next key.
        lastOther.note(processId, facts_.program);
        moved = true;
    }
    if (focus != focus_) {
        focus_ = focus;
        focusIsEdit_ = focus != nullptr && knowsPasswordStyle(focus);
        moved = true;
    }
    const std::uint64_t objectChanges = objectFocusChanges.load(std::memory_order_relaxed);
    if (moved || objectChanges != objectChangesSeen_) {
        objectChangesSeen_ = objectChanges;
        ++facts_.focusChanges;
    }
    if (moved || layout != layout_) {
        layout_ = layout;
        layoutHasInputMethod_ = mayHaveInputMethod(layout);
        if (layoutHasInputMethod_) {
            ::PostThreadMessageW(watcherId_, WmReadInputMethod, 0, 0);
        }
    }
    // The style is read each time: "show password" boxes switch it.
    const bool editPassword =
        focusIsEdit_ && (::GetWindowLongW(focus, GWL_STYLE) & ES_PASSWORD) != 0;
    facts_.textReadable = focusIsEdit_ && !editPassword;
    facts_.passwordBox = editPassword || (focus != nullptr &&
                                          protectedFocus.load(std::memory_order_relaxed) == focus);
    // The focus thread's last answer, which it gives again within milliseconds of a
    // change of focus: staying out until then would lose the first keys typed.
    facts_.composing =
        layoutHasInputMethod_ && inputMethodComposing.load(std::memory_order_relaxed);
    if (fullScreenAt_ == 0 || now - fullScreenAt_ >= FullScreenRecheckMs) {
        fullScreenAt_ = now;
        facts_.fullScreen = fullScreenNow();
    }
    return facts_;
}

// An edit box's caret counts UTF-16 units of the text WM_GETTEXT gives; a rich
// edit box's counts a line break as one, where its text may hold two, so it is
// read only while it holds none.
std::optional<std::string> Win32FocusInspector::textBeforeCaret() {
    const auto [focus, threadId] = foregroundFocus();
    if (focus == nullptr || !knowsPasswordStyle(focus) ||
        (::GetWindowLongW(focus, GWL_STYLE) & ES_PASSWORD) != 0) {
        return std::nullopt;
    }
    // Past 65,535 the positions do not fit the answer's halves.
    DWORD_PTR selection = 0;
    if (!askControl(focus, EM_GETSEL, 0, 0, selection)) {
        return std::nullopt;
    }
    const DWORD start = LOWORD(selection);
    const DWORD end = HIWORD(selection);
    DWORD_PTR length = 0;
    if (start != end || start == 0xFFFF || !askControl(focus, WM_GETTEXTLENGTH, 0, 0, length) ||
        static_cast<LRESULT>(length) > MaxReadCharacters) {
        return std::nullopt;
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!askControl(focus, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                    copied) ||
        start > copied) {
        return std::nullopt;
    }
    text.resize(copied);
    if (isRichEdit(focus) && text.find_first_of(L"\r\n") != std::wstring::npos) {
        return std::nullopt;
    }
    return utf8Text(std::wstring_view(text).substr(0, start));
}

}  // namespace quorvel
