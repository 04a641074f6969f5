#include "platform/win32/win32_focus_inspector.h"

#include <imm.h>
#include <oleacc.h>
#include <shellapi.h>

#include <atomic>
#include <cwctype>
#include <string_view>

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

bool mayHaveInputMethod(DWORD threadId) {
    const HKL layout = ::GetKeyboardLayout(threadId);
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
    if (focus == nullptr || !mayHaveInputMethod(threadId)) {
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

// The top-level window of the object that took the focus last, in another
// program, when that object says it is protected: how password fields that are
// no edit boxes (a browser's, a modern program's) show through accessibility, UI
// Automation's IsPassword included. Otherwise null. Counted only while that
// window is in front, so a focus event missed or late never keeps Quorvel out of
// another window.
std::atomic<HWND> protectedFocusRoot{nullptr};

void CALLBACK focusChanged(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                           DWORD) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    bool isProtected = false;
    if (window != nullptr && processId != ::GetCurrentProcessId()) {
        IAccessible* accessible = nullptr;
        VARIANT item;
        ::VariantInit(&item);
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
    }
    protectedFocusRoot.store(isProtected ? ::GetAncestor(window, GA_ROOT) : nullptr,
                             std::memory_order_relaxed);
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
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
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

    const ULONGLONG now = ::GetTickCount64();
    if (foreground != foreground_ || processId != processId_) {
        foreground_ = foreground;
        processId_ = processId;
        facts_.program = processId != 0 ? programFileName(processId) : std::string();
        fullScreenAt_ = 0;
        // A missed foreground event is made up for at the next key.
        lastOther.note(processId, facts_.program);
    }
    if (focus != focus_) {
        focus_ = focus;
        focusIsEdit_ = focus != nullptr && knowsPasswordStyle(focus);
    }
    // The style is read each time: "show password" boxes switch it.
    facts_.passwordBox = focusIsEdit_ && (::GetWindowLongW(focus, GWL_STYLE) & ES_PASSWORD) != 0;
    facts_.composing = imeComposing(focus, threadId);
    if (fullScreenAt_ == 0 || now - fullScreenAt_ >= FullScreenRecheckMs) {
        fullScreenAt_ = now;
        facts_.fullScreen = fullScreenNow();
    }
    return facts_;
}

}  // namespace quorvel
