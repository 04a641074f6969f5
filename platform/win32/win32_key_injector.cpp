#include "platform/win32/win32_key_injector.h"

#include <algorithm>
#include <utility>

#include "platform/key_events.h"
#include "platform/keyboard_hook.h"
#include "platform/virtual_keys.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_keyboard_hook.h"
#include "platform/win32/win32_keyboard_layout.h"

namespace quorvel {

namespace {

// The window with the keyboard focus in the target's thread (an edit box inside
// a dialog, say), or the target itself.
HWND focusedWindowOf(HWND target) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(target, nullptr), &info) &&
        info.hwndFocus != nullptr) {
        return info.hwndFocus;
    }
    return target;
}

INPUT keyInput(WORD vk, bool release, HKL layout) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyExA(vk, MAPVK_VK_TO_VSC, layout));
    input.ki.dwFlags =
        (release ? KEYEVENTF_KEYUP : 0) | (isExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    input.ki.dwExtraInfo = OwnInjectionMarker;
    return input;
}

INPUT unicodeInput(wchar_t character, bool release) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(character);
    input.ki.dwFlags = KEYEVENTF_UNICODE | (release ? KEYEVENTF_KEYUP : 0);
    input.ki.dwExtraInfo = OwnInjectionMarker;
    return input;
}

// A held key as it came, marked as given back to the user.
INPUT replayInput(const HeldKey& key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = key.scanCode;
    if (key.virtualKey == VK_PACKET) {
        // A character another program typed as itself: its scan code is the character.
        input.ki.dwFlags = KEYEVENTF_UNICODE;
    } else {
        input.ki.wVk = key.virtualKey;
        input.ki.dwFlags = key.extended ? KEYEVENTF_EXTENDEDKEY : 0;
    }
    input.ki.dwFlags |= key.released ? KEYEVENTF_KEYUP : 0;
    input.ki.dwExtraInfo = key.foreign ? ForeignReplayMarker : ReplayMarker;
    return input;
}

}  // namespace

Win32KeyInjector::Win32KeyInjector(Win32KeyboardHook& hook, EventLoop& loop)
    : hook_(hook), loop_(loop) {
    ::QueryPerformanceFrequency(&frequency_);
    // From inside the hook's callback: only a note to look once it has returned.
    hook_.onInjectedEventSeen = [this] {
        if (!waiting_.empty() && !checkPosted_ && allSeen()) {
            checkPosted_ = true;
            loop_.post([this] {
                checkPosted_ = false;
                check();
            });
        }
    };
}

Win32KeyInjector::~Win32KeyInjector() {
    hook_.onInjectedEventSeen = nullptr;
}

std::vector<INPUT> Win32KeyInjector::buildInputs(std::span<const KeyStroke> strokes, HKL layout,
                                                 const std::vector<WORD>& heldModifiers,
                                                 bool capsLock) {
    std::vector<std::uint8_t> held;
    for (const WORD vk : heldModifiers) {
        held.push_back(static_cast<std::uint8_t>(vk));
    }
    const std::vector<KeyEvent> events =
        keyEventsFor(strokes, Win32KeyboardLayout(layout), held, capsLock);
    std::vector<INPUT> inputs;
    inputs.reserve(events.size());
    for (const KeyEvent& event : events) {
        inputs.push_back(event.virtualKey == VK_PACKET
                             ? unicodeInput(static_cast<wchar_t>(event.character), event.release)
                             : keyInput(event.virtualKey, event.release, layout));
    }
    return inputs;
}

SendOutcome Win32KeyInjector::typeKeys(std::span<const KeyStroke> strokes, Wait wait) {
    if (strokes.empty()) {
        return SendOutcome::AllSent;
    }
    const HWND target = ::GetForegroundWindow();
    const HKL layout = ::GetKeyboardLayout(::GetWindowThreadProcessId(target, nullptr));
    // Modifiers the user still holds (the Ctrl of Ctrl+F9) would change every
    // typed key: they are let go for the send. The engine presses those the user
    // still holds again after it, knowing from the user's own key events which.
    std::vector<WORD> held;
    for (const ModifierKey& key : ModifierKeys) {
        if ((::GetAsyncKeyState(key.virtualKey) & 0x8000) != 0) {
            held.push_back(key.virtualKey);
        }
    }
    // The toggle as the system keeps it, which the target's thread follows.
    const bool capsLock = (::GetKeyState(VK_CAPITAL) & 1) != 0;
    std::vector<INPUT> inputs = buildInputs(strokes, layout, held, capsLock);
    const std::uint64_t seenBefore = hook_.ownEventsSeen();
    const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ownEventsExpected_ = std::max(ownEventsExpected_, seenBefore) + sent;
    if (sent != inputs.size()) {
        return SendOutcome::Blocked;
    }
    if (wait == Wait::Yes) {
        takingWindow_ = focusedWindowOf(target);
        toBeTaken_ += inputs.size();
    }
    return SendOutcome::AllSent;
}

bool Win32KeyInjector::allSeen() const {
    return hook_.ownEventsSeen() >= ownEventsExpected_ &&
           hook_.replayedEventsSeen() >= replayedEventsExpected_;
}

void Win32KeyInjector::whenKeysArrive(std::function<void()> then) {
    waiting_.push_back(std::move(then));
    if (!polling_) {
        lastSeen_ = hook_.ownEventsSeen() + hook_.replayedEventsSeen();
        lastMove_ = ::GetTickCount();
    }
    check();
}

void Win32KeyInjector::check() {
    if (waiting_.empty()) {
        return;
    }
    if (!hook_.installed() || allSeen()) {
        arrived();
        return;
    }
    // A long send is still coming through as long as the count moves; one whose
    // keys stop coming for two seconds is taken as through.
    if (!polling_) {
        polling_ = true;
        loop_.postAfter(250, [this] { poll(); });
    }
}

void Win32KeyInjector::poll() {
    polling_ = false;
    if (waiting_.empty()) {
        return;
    }
    const std::uint64_t seen = hook_.ownEventsSeen() + hook_.replayedEventsSeen();
    if (seen != lastSeen_) {
        lastSeen_ = seen;
        lastMove_ = ::GetTickCount();
    } else if (::GetTickCount() - lastMove_ > 2000) {
        arrived();
        return;
    }
    check();
}

void Win32KeyInjector::arrived() {
    // The hook is called as each event leaves the system's input queue for the
    // target, so once it has seen them all they are in the target's queue; a
    // message sent to the target returns only when its thread is back in its
    // message loop, which it reaches once per input message taken. One round
    // trip per event, then, and the target has processed them all.
    if (toBeTaken_ > 0 && takingWindow_ != nullptr) {
        for (std::size_t round = 0; round <= toBeTaken_; ++round) {
            DWORD_PTR ignored = 0;
            if (!::SendMessageTimeoutA(takingWindow_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500,
                                       &ignored)) {
                break;
            }
        }
    }
    toBeTaken_ = 0;
    takingWindow_ = nullptr;
    if (replayStart_.QuadPart != 0 && frequency_.QuadPart > 0) {
        LARGE_INTEGER end;
        ::QueryPerformanceCounter(&end);
        replayFigures_.microseconds += static_cast<double>(end.QuadPart - replayStart_.QuadPart) *
                                       1e6 / static_cast<double>(frequency_.QuadPart);
        replayStart_.QuadPart = 0;
    }
    // Each runs from the loop in turn, as if the keys had just arrived for it.
    for (auto& then : std::exchange(waiting_, {})) {
        loop_.post(std::move(then));
    }
}

std::size_t Win32KeyInjector::replayKeys(std::span<const HeldKey> keys) {
    if (keys.empty()) {
        return 0;
    }
    if (replayStart_.QuadPart == 0) {
        ::QueryPerformanceCounter(&replayStart_);
    }
    replayInputs_.clear();
    for (const HeldKey& key : keys) {
        replayInputs_.push_back(replayInput(key));
    }
    const std::uint64_t seenBefore = hook_.replayedEventsSeen();
    const UINT taken =
        ::SendInput(static_cast<UINT>(replayInputs_.size()), replayInputs_.data(), sizeof(INPUT));
    replayedEventsExpected_ = std::max(replayedEventsExpected_, seenBefore) + taken;
    ++replayFigures_.calls;
    replayFigures_.events += taken;
    return taken;
}

bool Win32KeyInjector::focusedWindowAcceptsInput() {
    // A window of a higher integrity level (an elevated program) silently drops
    // injected keys: the user must keep the key they typed.
    const HWND target = ::GetForegroundWindow();
    if (target == nullptr) {
        return true;
    }
    DWORD processId = 0;
    ::GetWindowThreadProcessId(target, &processId);
    auto integrityOf = [](HANDLE process) -> DWORD {
        HANDLE rawToken = nullptr;
        if (!::OpenProcessToken(process, TOKEN_QUERY, &rawToken)) {
            return 0;
        }
        UniqueKernelHandle token(rawToken);
        DWORD size = 0;
        ::GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
        std::vector<BYTE> buffer(size == 0 ? 1 : size);
        if (size == 0 ||
            !::GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size)) {
            return 0;
        }
        const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
        const PUCHAR subCount = ::GetSidSubAuthorityCount(label->Label.Sid);
        return *::GetSidSubAuthority(label->Label.Sid, static_cast<DWORD>(*subCount - 1));
    };
    UniqueKernelHandle targetProcess(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!targetProcess) {
        return true;  // unknown: deliver as usual
    }
    const DWORD ours = integrityOf(::GetCurrentProcess());
    const DWORD theirs = integrityOf(targetProcess.get());
    return ours == 0 || theirs == 0 || theirs <= ours;
}

}  // namespace quorvel
