#include "platform/win32/win32_key_injector.h"

#include <algorithm>

#include "engine/caps_lock.h"
#include "platform/keyboard_hook.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_keyboard_hook.h"
#include "platform/win32/win32_text.h"
#include "text/utf8.h"

namespace quorvel {

namespace {

bool isExtendedKey(WORD vk) {
    switch (vk) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        case VK_INSERT:
        case VK_DELETE:
        case VK_DIVIDE:
        case VK_NUMLOCK:
        case VK_RCONTROL:
        case VK_RMENU:
        case VK_LWIN:
        case VK_RWIN:
        case VK_APPS:
        case VK_SNAPSHOT:
            return true;
        default:
            return false;
    }
}

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

struct Modifiers {
    bool shift = false, ctrl = false, alt = false;
};

// One packet per UTF-16 unit: beyond U+FFFF (emoji) a surrogate pair.
void appendCharacter(std::vector<INPUT>& inputs, char32_t character) {
    std::string text;
    utf8::append(text, character);
    for (const wchar_t unit : wideText(text)) {
        inputs.push_back(unicodeInput(unit, false));
        inputs.push_back(unicodeInput(unit, true));
    }
}

// The character the key types with the Shift and Caps Lock states given, 0 for
// none, for more than one, or for a dead key. Flag 4 leaves the keyboard state
// alone, so no dead key is left pending by the question.
char32_t characterOfKey(BYTE vk, bool shift, bool capsLock, HKL layout) {
    BYTE state[256] = {};
    if (shift) {
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    }
    if (capsLock) {
        state[VK_CAPITAL] = 0x01;
    }
    WCHAR buffer[4] = {};
    const UINT scanCode = ::MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, layout);
    return ::ToUnicodeEx(vk, scanCode, state, buffer, 4, 4, layout) == 1 ? buffer[0] : 0;
}

void pressModifiers(std::vector<INPUT>& inputs, Modifiers held, bool release, HKL layout) {
    const std::pair<bool, WORD> keys[] = {
        {held.shift, VK_LSHIFT}, {held.ctrl, VK_LCONTROL}, {held.alt, VK_LMENU}};
    for (const auto& [on, vk] : keys) {
        if (on) {
            inputs.push_back(keyInput(vk, release, layout));
        }
    }
}

}  // namespace

Win32KeyInjector::Win32KeyInjector(Win32KeyboardHook& hook, std::function<void()> pumpOnce)
    : hook_(hook), pumpOnce_(std::move(pumpOnce)) {
    ::QueryPerformanceFrequency(&frequency_);
}

std::vector<INPUT> Win32KeyInjector::buildInputs(std::span<const KeyStroke> strokes, HKL layout,
                                                 const std::vector<WORD>& heldModifiers,
                                                 bool capsLock) {
    std::vector<INPUT> inputs;
    inputs.reserve(strokes.size() * 4 + heldModifiers.size() * 2);
    for (const WORD vk : heldModifiers) {
        inputs.push_back(keyInput(vk, true, layout));
    }
    // The modifiers the strokes hold down go down around each key, together with
    // those the layout needs for it.
    Modifiers held;
    for (const KeyStroke& stroke : strokes) {
        if (stroke.kind == KeyStroke::Kind::Press || stroke.kind == KeyStroke::Kind::Release) {
            const bool down = stroke.kind == KeyStroke::Kind::Press;
            switch (stroke.modifier) {
                case Modifier::Shift:
                    held.shift = down;
                    break;
                case Modifier::Ctrl:
                    held.ctrl = down;
                    break;
                case Modifier::Alt:
                    held.alt = down;
                    break;
                case Modifier::Win:
                    break;
            }
            continue;
        }
        Modifiers mods = held;
        if (stroke.kind == KeyStroke::Kind::Key) {
            pressModifiers(inputs, mods, false, layout);
            inputs.push_back(keyInput(stroke.virtualKey, false, layout));
            inputs.push_back(keyInput(stroke.virtualKey, true, layout));
            pressModifiers(inputs, mods, true, layout);
            // "{CAPSLOCK}" in a text: what follows still comes out as written.
            capsLock = capsLock != (stroke.virtualKey == VK_CAPITAL);
            continue;
        }
        const char32_t character = stroke.character;
        const SHORT scan =
            character <= 0xFFFF ? ::VkKeyScanExW(static_cast<WCHAR>(character), layout) : -1;
        // A character behind AltGr ("@" and "{" on a German layout) goes as itself
        // too: the layout gives it as Ctrl+Alt+key, and Wine types nothing for an
        // injected Ctrl+Alt+key.
        constexpr int AltGr = 2 | 4;
        const bool inLayout =
            scan != -1 && (HIBYTE(scan) & ~0x07) == 0 && (HIBYTE(scan) & AltGr) != AltGr;
        if (inLayout) {
            mods.shift = mods.shift || (HIBYTE(scan) & 1) != 0;
            mods.ctrl = mods.ctrl || (HIBYTE(scan) & 2) != 0;
            mods.alt = mods.alt || (HIBYTE(scan) & 4) != 0;
            const BYTE vk = LOBYTE(scan);
            // Caps Lock would turn a text's letters upside down. With Ctrl or Alt
            // the stroke is a command, which Caps Lock leaves alone.
            if (capsLock && !mods.ctrl && !mods.alt) {
                const CapsLockStroke asWritten =
                    strokeUnderCapsLock(mods.shift, [vk, layout](bool shift, bool caps) {
                        return characterOfKey(vk, shift, caps, layout);
                    });
                if (asWritten.asCharacter) {
                    appendCharacter(inputs, asWritten.character);
                    continue;
                }
                mods.shift = asWritten.shift;
            }
            pressModifiers(inputs, mods, false, layout);
            inputs.push_back(keyInput(vk, false, layout));
            inputs.push_back(keyInput(vk, true, layout));
            pressModifiers(inputs, mods, true, layout);
            continue;
        }
        // A character the layout lacks goes as itself.
        pressModifiers(inputs, mods, false, layout);
        appendCharacter(inputs, character);
        pressModifiers(inputs, mods, true, layout);
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
        waitUntilTaken(target, seenBefore, inputs.size());
    }
    return SendOutcome::AllSent;
}

void Win32KeyInjector::waitUntilTaken(HWND target, std::uint64_t ownEventsBefore,
                                      std::size_t count) {
    // The hook is called as each event leaves the system's input queue for the
    // target, so once it has seen them all they are in the target's queue...
    waitForHook(&Win32KeyboardHook::ownEventsSeen, ownEventsBefore + count);
    // ...and a message sent to the target returns only when its thread is back
    // in its message loop, which it reaches once per input message taken. One
    // round trip per event, then, and the target has processed them all.
    const HWND focus = focusedWindowOf(target);
    for (std::size_t round = 0; round <= count; ++round) {
        DWORD_PTR ignored = 0;
        if (!::SendMessageTimeoutA(focus, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &ignored)) {
            break;
        }
    }
    pumpOnce_();
}

void Win32KeyInjector::waitForHook(std::uint64_t (Win32KeyboardHook::*seen)() const,
                                   std::uint64_t count) {
    // The hook is called on this thread, from its message loop: run it until the
    // hook has seen as many, or nothing has come for two seconds (a long send is
    // still coming through as long as the count moves).
    std::uint64_t last = (hook_.*seen)();
    DWORD lastMove = ::GetTickCount();
    while (hook_.installed() && (hook_.*seen)() < count) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        pumpOnce_();
        const std::uint64_t now = (hook_.*seen)();
        if (now != last) {
            last = now;
            lastMove = ::GetTickCount();
        } else if (::GetTickCount() - lastMove > 2000) {
            return;
        }
    }
}

void Win32KeyInjector::waitForOwnKeys() {
    // Wine lets the user's keys fall between the events of one SendInput call: a
    // send is over only once its last event has come through the hook.
    waitForHook(&Win32KeyboardHook::ownEventsSeen, ownEventsExpected_);
}

std::size_t Win32KeyInjector::replayKeys(std::span<const HeldKey> keys) {
    if (keys.empty()) {
        return 0;
    }
    LARGE_INTEGER start;
    ::QueryPerformanceCounter(&start);
    replayInputs_.clear();
    for (const HeldKey& key : keys) {
        replayInputs_.push_back(replayInput(key));
    }
    const std::uint64_t seenBefore = hook_.replayedEventsSeen();
    const UINT taken =
        ::SendInput(static_cast<UINT>(replayInputs_.size()), replayInputs_.data(), sizeof(INPUT));
    // One of them may complete a trigger, and what follows must wait for its send.
    waitForHook(&Win32KeyboardHook::replayedEventsSeen, seenBefore + taken);

    LARGE_INTEGER end;
    ::QueryPerformanceCounter(&end);
    ++replayFigures_.calls;
    replayFigures_.events += taken;
    if (frequency_.QuadPart > 0) {
        replayFigures_.microseconds += static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
                                       static_cast<double>(frequency_.QuadPart);
    }
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
