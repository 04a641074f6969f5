#include "app/win32/system_events.h"

#include <wtsapi32.h>

#include <string>

#include "app/win32/composition_root.h"
#include "app/win32/hook_timing.h"
#include "app/win32/timer_ids.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

SystemEvents::SystemEvents(HWND window, CompositionRoot& program)
    : window_(window), program_(program) {}

SystemEvents::~SystemEvents() {
    stopListening();
}

void SystemEvents::listen() {
    listening_ = ::WTSRegisterSessionNotification(window_, NOTIFY_FOR_THIS_SESSION) != FALSE;
    // Generic desktop keyboard and mouse; the mouse for its buttons only.
    const RAWINPUTDEVICE devices[] = {{0x01, 0x06, RIDEV_INPUTSINK, window_},
                                      {0x01, 0x02, RIDEV_INPUTSINK, window_}};
    ::RegisterRawInputDevices(devices, 2, sizeof(devices[0]));
}

void SystemEvents::stopListening() {
    if (listening_) {
        ::WTSUnRegisterSessionNotification(window_);
        listening_ = false;
    }
}

std::optional<LRESULT> SystemEvents::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_WTSSESSION_CHANGE:
            if (wParam == WTS_SESSION_UNLOCK) {
                resumeAfterBreak();
            }
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
                resumeAfterBreak();
            }
            return TRUE;
        case WM_INPUT:
            onRawInput(reinterpret_cast<HRAWINPUT>(lParam));
            return std::nullopt;  // the default handling frees the input's data
        case WM_QUERYENDSESSION:
            return saveBeforeSessionEnds() ? TRUE : FALSE;
        case WM_ENDSESSION:
            endSession(wParam != FALSE);
            return 0;
        default:
            return std::nullopt;
    }
}

bool SystemEvents::hookInstalled() const {
    return program_.mainWindow->engine.keyboard().hookInstalled();
}

void SystemEvents::checkHookAlive() {
    if (!hookInstalled()) {
        return;
    }
    program_.hookGuard.check();
    writeHookTiming(program_.hook, program_.mainWindow->engine.keyboard().keyHold(),
                    program_.injector.replayFigures());
}

void SystemEvents::resumeAfterBreak() {
    program_.mainWindow->engine.keyboard().keysMayHaveBeenMissed();
    if (hookInstalled()) {
        program_.hookGuard.proveNow();
    }
}

void SystemEvents::onRawInput(HRAWINPUT input) {
    if (!hookInstalled()) {
        return;
    }
    RAWINPUT data{};
    UINT size = sizeof(data);
    if (::GetRawInputData(input, RID_INPUT, &data, &size, sizeof(RAWINPUTHEADER)) ==
        static_cast<UINT>(-1)) {
        return;
    }
    if (data.header.dwType == RIM_TYPEMOUSE) {
        constexpr USHORT buttonsDown = RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_RIGHT_BUTTON_DOWN |
                                       RI_MOUSE_MIDDLE_BUTTON_DOWN | RI_MOUSE_BUTTON_4_DOWN |
                                       RI_MOUSE_BUTTON_5_DOWN;
        if ((data.data.mouse.usButtonFlags & buttonsDown) != 0) {
            program_.hook.mouseButtonPressed();
        }
        return;
    }
    if (data.header.dwType != RIM_TYPEKEYBOARD || (data.data.keyboard.Flags & RI_KEY_BREAK) != 0) {
        return;
    }
    // Only when and whose the key was; never which.
    const auto key = data.data.keyboard.ExtraInformation == HeartbeatMarker
                         ? HookWatchdog::RawKey::Heartbeat
                         : HookWatchdog::RawKey::Typed;
    program_.hookGuard.rawKeySeen(key, static_cast<DWORD>(::GetMessageTime()));
}

void SystemEvents::retrySessionSave() {
    saveBeforeSessionEnds();
}

// Saves as Exit does, without its questions. While the save fails, Windows is
// told why the program holds the session's end up (it shows the reason and lets
// the user end the session anyway), and the save is tried again each second.
bool SystemEvents::saveBeforeSessionEnds() {
    const std::string reason = program_.mainWindow->saveAsSessionEnds();
    if (reason.empty()) {
        releaseSessionEnd();
        return true;
    }
    ::ShutdownBlockReasonCreate(window_, wideText(reason).c_str());
    if (!sessionEndHeld_) {
        ::SetTimer(window_, SessionSaveRetryId, SessionSaveRetryIntervalMs, nullptr);
        sessionEndHeld_ = true;
    }
    return false;
}

void SystemEvents::releaseSessionEnd() {
    if (sessionEndHeld_) {
        ::KillTimer(window_, SessionSaveRetryId);
        ::ShutdownBlockReasonDestroy(window_);
        sessionEndHeld_ = false;
    }
}

void SystemEvents::endSession(bool ending) {
    if (!ending) {
        releaseSessionEnd();  // cancelled: a later change saves as usual
        return;
    }
    // The user chose to end the session anyway, or another program's answer
    // came late: one more try.
    MainWindow& mainWindow = *program_.mainWindow;
    mainWindow.saveAsSessionEnds();
    releaseSessionEnd();
    mainWindow.icon.removeIcon();
    mainWindow.engine.stop();
}

}  // namespace quorvel
