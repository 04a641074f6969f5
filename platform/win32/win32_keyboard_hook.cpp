#include "platform/win32/win32_keyboard_hook.h"

#include <algorithm>
#include <vector>

namespace quorvel {

namespace {
// The hook procedure has no user data; this is its way back to the object.
Win32KeyboardHook* activeHook = nullptr;
}  // namespace

Win32KeyboardHook::Win32KeyboardHook() {
    ::QueryPerformanceFrequency(&frequency_);
}

Win32KeyboardHook::~Win32KeyboardHook() {
    hook_.reset();
    if (activeHook == this) {
        activeHook = nullptr;
    }
}

std::uintptr_t Win32KeyboardHook::install(KeyHookProc proc, MouseButtonProc onMouseButton) {
    proc_ = std::move(proc);
    onMouseButton_ = std::move(onMouseButton);
    activeHook = this;
    installHook();
    return reinterpret_cast<std::uintptr_t>(hook_.get());
}

// Mouse buttons come from raw input (see Host::listenForBreaks), not from a
// low-level mouse hook: under Wine such a hook kept the windows the user
// clicked from taking the focus, and every mouse move would wait on this
// thread. Raw input is posted, so a click can be seen after a key typed in the
// same instant while this thread was busy; a person clicks and types further
// apart than that.
void Win32KeyboardHook::installHook() {
    hook_.reset();
    hook_.reset(::SetWindowsHookExA(WH_KEYBOARD_LL, &Win32KeyboardHook::hookProcedure,
                                    ::GetModuleHandleA(nullptr), 0));
}

void Win32KeyboardHook::mouseButtonPressed() const {
    if (hook_ && onMouseButton_) {
        onMouseButton_();
    }
}

void Win32KeyboardHook::remove(std::uintptr_t) {
    hook_.reset();
    proc_ = nullptr;
    onMouseButton_ = nullptr;
}

bool Win32KeyboardHook::reinstall() {
    if (!proc_) {
        return false;
    }
    ++reinstalls_;
    installHook();
    return installed();
}

bool Win32KeyboardHook::isDown(int virtualKey) {
    return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

// The asynchronous state has no toggle; this thread's, read in the hook, has
// taken every key event before the current one, as the injector's reading does.
bool Win32KeyboardHook::capsLockOn() {
    return (::GetKeyState(VK_CAPITAL) & 1) != 0;
}

LRESULT CALLBACK Win32KeyboardHook::hookProcedure(int code, WPARAM message, LPARAM data) {
    if (code != HC_ACTION || activeHook == nullptr || data == 0) {
        return ::CallNextHookEx(nullptr, code, message, data);
    }
    return activeHook->onEvent(code, message, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data));
}

// Only notes the press: every mouse move passes here too, and must not wait.
LRESULT Win32KeyboardHook::onEvent(int code, WPARAM message, const KBDLLHOOKSTRUCT& event) {
    LARGE_INTEGER start;
    ::QueryPerformanceCounter(&start);
    lastEventTick_ = ::GetTickCount();
    if (event.dwExtraInfo == HeartbeatMarker) {
        ++heartbeatsSeen_;
        return 1;  // no program needs to see it
    }
    if (event.dwExtraInfo == OwnInjectionMarker) {
        ++ownEventsSeen_;
    } else if (event.dwExtraInfo == ReplayMarker || event.dwExtraInfo == ForeignReplayMarker) {
        ++replayedEventsSeen_;
    }
    const bool injectedByUs = event.dwExtraInfo == OwnInjectionMarker ||
                              event.dwExtraInfo == ReplayMarker ||
                              event.dwExtraInfo == ForeignReplayMarker;
    const KeyEventRecord record{event.vkCode, event.scanCode, event.flags, event.time,
                                event.dwExtraInfo};
    const bool consume = proc_ && proc_(record) == KeyDecision::Swallow;
    if (injectedByUs && onInjectedEventSeen) {
        onInjectedEventSeen();
    }

    LARGE_INTEGER end;
    ::QueryPerformanceCounter(&end);
    if (frequency_.QuadPart > 0) {
        callbackMicroseconds_[callbackCount_++ % callbackMicroseconds_.size()] = static_cast<float>(
            (end.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency_.QuadPart));
    }
    return consume ? 1 : ::CallNextHookEx(nullptr, code, message, reinterpret_cast<LPARAM>(&event));
}

std::size_t Win32KeyboardHook::callbackSamples() const {
    return std::min(callbackCount_, callbackMicroseconds_.size());
}

double Win32KeyboardHook::callbackPercentileMicroseconds(double percentile) const {
    const std::size_t count = callbackSamples();
    if (count == 0) {
        return 0;
    }
    std::vector<float> samples(callbackMicroseconds_.begin(),
                               callbackMicroseconds_.begin() + static_cast<std::ptrdiff_t>(count));
    const auto rank = static_cast<std::size_t>(percentile / 100.0 * static_cast<double>(count - 1));
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(rank),
                     samples.end());
    return samples[rank];
}

}  // namespace quorvel
