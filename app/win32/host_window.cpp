#include "app/win32/host_window.h"

#include <commctrl.h>
#include <wtsapi32.h>

#include <cstdio>
#include <cstdlib>

#include "app/main_window.h"
#include "app/win32/common_text_view.h"
#include "app/win32/excluded_programs_view.h"
#include "app/win32/main_window_view.h"
#include "app/win32/menu_commands.h"
#include "app/win32/start_up_question_view.h"
#include "platform/win32/widgets/dpi.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_collation.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_event_pump.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_focus_inspector.h"
#include "platform/win32/win32_key_injector.h"
#include "platform/win32/win32_keyboard_hook.h"
#include "platform/win32/win32_program_icon.h"
#include "platform/win32/win32_program_starter.h"
#include "platform/win32/win32_settings_store.h"
#include "platform/win32/win32_shell_links.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_tray.h"

namespace quorvel {

namespace {

enum TimerId : UINT_PTR { TimerMainId = 1, TimerClearId = 2, TimerDataId = 3, HeartbeatId = 4 };
constexpr UINT HeartbeatIntervalMs = 2000;
// The working file held by another program at logon, and a save the session's
// end could not make, are tried again on these.
enum LifecycleTimerId : UINT_PTR { ReadRetryId = 10, SessionSaveRetryId = 11 };
constexpr UINT ReadRetryIntervalMs = 3000;
constexpr UINT SessionSaveRetryIntervalMs = 1000;
// Asks for the views to show the model after a change made outside any window
// message (the hot keys run inside the keyboard hook).
constexpr UINT WmRefreshViews = WM_APP + 2;

// Messages after which the model may hold something the windows do not show yet.
// A control's own notifications are not among them: the view refreshes after
// those it hands to the model, and a refresh after any other (EN_UPDATE comes
// before EN_CHANGE) would put the model's old text back into the box.
bool mayChangeModel(UINT message, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return lParam == 0;
        case WM_TIMER:
        case WM_CLOSE:
        case WM_MOUSEMOVE:
        case WmRunPosted:
        case WmRefreshViews:
            return true;
        default:
            return false;
    }
}

}  // namespace

class Host::Shower final : public WindowShower {
  public:
    explicit Shower(Host& host) : host_(host) {}
    void showMainWindow() override;
    void showCommonTextWindow() override;

  private:
    Host& host_;
};

struct Host::Services {
    Services(Host& host, HWND window)
        : clipboard(window),
          dialogs(window),
          tray(window, programIcons().small, programIcons().paused),
          injector(hook, [this] { pump.DoEvents(); }),
          shower(host),
          app{EngineServices{hook, hook, injector, pump, clipboard, programs, clock, locale, shower,
                             focus},
              settings,
              dialogs,
              files,
              environment,
              tray,
              links,
              collation,
              codePage} {
        pump.attach(window);
    }

    Win32KeyboardHook hook;
    Win32EventPump pump;
    Win32Clipboard clipboard;
    Win32ProgramStarter programs;
    Win32Clock clock;
    Win32Locale locale;
    Win32SettingsStore settings;
    Win32Dialogs dialogs;
    Win32Files files;
    Win32Environment environment;
    Win32Tray tray;
    Win32ShellLinks links;
    Win32Collation collation;
    Win32AnsiCodePage codePage;
    Win32KeyInjector injector;
    Shower shower;
    Win32FocusInspector focus;
    AppServices app;
    std::unique_ptr<MainWindow> form;
};

struct Host::Views {
    Views(Host& host, HINSTANCE instance, MainWindow& form)
        : commonText(instance, host.window_, form.commonText, [&host] { host.refreshViews(); }),
          startUp(instance, host.window_, form.startUpQuestion, [&host] { host.refreshViews(); }),
          excluded(instance, host.window_, form.excludedWindow, [&host] { host.refreshViews(); }) {}

    CommonTextView commonText;
    StartUpQuestionView startUp;
    ExcludedProgramsView excluded;
};

void Host::Shower::showMainWindow() {
    host_.services_->form->showWindow();
    ::PostMessageW(host_.window_, WmRefreshViews, 0, 0);
}

void Host::Shower::showCommonTextWindow() {
    host_.services_->form->commonText.show();
    ::PostMessageW(host_.window_, WmRefreshViews, 0, 0);
}

Host::Host() = default;
Host::~Host() = default;

int Host::run(HINSTANCE instance) {
    // The manifest asks for common controls 6; their classes are registered here.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    main_ = std::make_unique<MainWindowView>(
        instance,
        [this](UINT message, WPARAM wParam, LPARAM lParam) {
            return onProgramMessage(message, wParam, lParam);
        },
        [this](UINT message, LPARAM lParam) { afterMessage(message, lParam); });
    window_ = main_->window();
    if (window_ == nullptr) {
        return 1;
    }
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    services_ = std::make_unique<Services>(*this, window_);
    services_->form = std::make_unique<MainWindow>(services_->app);
    ::SetMenu(window_, createMainMenu(*services_->form));
    main_->attach(*services_->form, [this] { refreshViews(); });
    views_ = std::make_unique<Views>(*this, instance, *services_->form);
    refreshViews();
    services_->form->start();
    refreshViews();
    listenForBreaks();

    ::SetTimer(window_, TimerMainId, static_cast<UINT>(services_->form->modifierTimer.interval),
               nullptr);
    ::SetTimer(window_, TimerClearId, static_cast<UINT>(services_->form->pauseTimer.interval),
               nullptr);
    ::SetTimer(window_, HeartbeatId, HeartbeatIntervalMs, nullptr);
    if (services_->form->waitingToReadShortcuts()) {
        ::SetTimer(window_, ReadRetryId, ReadRetryIntervalMs, nullptr);
    }
    syncTimers();

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (isDialogKey(message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

bool Host::isDialogKey(MSG& message) {
    // Tab, the arrow keys among the options and the access keys, as in a dialog.
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !views_) {
        return false;
    }
    for (HWND window : {window_, views_->commonText.window(), views_->startUp.window(),
                        views_->excluded.window()}) {
        if (window != nullptr && ::IsDialogMessageW(window, &message)) {
            return true;
        }
    }
    return false;
}

void Host::refreshViews() {
    // Writing to a control raises notifications that come back here.
    if (refreshing_ || !views_) {
        return;
    }
    refreshing_ = true;
    const MainWindow& form = *services_->form;
    main_->refresh();
    views_->commonText.refresh();
    views_->startUp.refresh();
    views_->excluded.refresh();
    syncMenuChecks(::GetMenu(window_), form);
    refreshing_ = false;
}

void Host::afterMessage(UINT message, LPARAM lParam) {
    syncTimers();
    if (mayChangeModel(message, lParam) || (message == taskbarCreated_ && message != 0)) {
        refreshViews();
    }
}

std::optional<LRESULT> Host::onProgramMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow& form = *services_->form;
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // The shell restarted and forgot every icon.
        form.icon.addIcon();
        return 0;
    }
    switch (message) {
        case WmRunPosted:
            services_->pump.runPosted();
            return 0;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WmRefreshViews:
            return 0;
        case WM_COMMAND:
            // Enter and Esc where no control takes them (IDOK, IDCANCEL) and the
            // controls' own go to the window.
            if (lParam == 0 && LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL &&
                runMenuCommand(form, LOWORD(wParam))) {
                return 0;
            }
            return std::nullopt;
        case WM_DESTROY:
            ::WTSUnRegisterSessionNotification(window_);
            // The program lives as long as its main window.
            ::PostQuitMessage(0);
            return 0;
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
        case WM_MOUSEMOVE:
            // The tray icon's callback arrives here with the mouse message in place of
            // the horizontal position.
            form.trayMessage(static_cast<int>(LOWORD(lParam)) * TwipsPerPixel);
            return 0;
        case WM_CLOSE:
            form.requestClose();
            return 0;
        case WM_QUERYENDSESSION:
            return saveBeforeSessionEnds() ? TRUE : FALSE;
        case WM_ENDSESSION:
            endSession(wParam != FALSE);
            return 0;
        default:
            return std::nullopt;
    }
}

void Host::onTimer(UINT_PTR id) {
    MainWindow& form = *services_->form;
    switch (id) {
        case TimerMainId:
            form.engine.modifierTimerTick();
            break;
        case TimerClearId:
            form.engine.pauseTimerTick();
            break;
        case TimerDataId:
            form.engine.clipboardTimerTick();
            break;
        case HeartbeatId:
            checkHookAlive();
            break;
        case ReadRetryId:
            form.retryReadingShortcuts();
            if (!form.waitingToReadShortcuts()) {
                ::KillTimer(window_, ReadRetryId);
            }
            break;
        case SessionSaveRetryId:
            saveBeforeSessionEnds();
            break;
        default:
            break;
    }
}

// Saves as Exit does, without its questions. While the save fails, Windows is
// told why the program holds the session's end up (it shows the reason and lets
// the user end the session anyway), and the save is tried again each second.
bool Host::saveBeforeSessionEnds() {
    const std::string reason = services_->form->saveAsSessionEnds();
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

void Host::releaseSessionEnd() {
    if (sessionEndHeld_) {
        ::KillTimer(window_, SessionSaveRetryId);
        ::ShutdownBlockReasonDestroy(window_);
        sessionEndHeld_ = false;
    }
}

void Host::endSession(bool ending) {
    if (!ending) {
        releaseSessionEnd();  // cancelled: a later change saves as usual
        return;
    }
    // The user chose to end the session anyway, or another program's answer
    // came late: one more try.
    services_->form->saveAsSessionEnds();
    releaseSessionEnd();
    services_->form->icon.removeIcon();
    services_->form->engine.stop();
}

void Host::syncTimers() {
    const Timer& data = services_->form->clipboardTimer;
    if (data.enabled && !dataTimerRunning_) {
        ::SetTimer(window_, TimerDataId, static_cast<UINT>(data.interval), nullptr);
        dataTimerRunning_ = true;
    } else if (!data.enabled && dataTimerRunning_) {
        ::KillTimer(window_, TimerDataId);
        dataTimerRunning_ = false;
    }
}

void Host::checkHookAlive() {
    Win32KeyboardHook& hook = services_->hook;
    if (services_->form->engine.mainData().hookHandle == 0) {
        return;
    }
    // Not the system's last input: that counts the mouse, which the hook never sees.
    actOnWatchdog(watchdog_.check(static_cast<std::uint32_t>(::GetTickCount()),
                                  hook.lastEventTick(), hook.heartbeatsSeen()));
    writeHookTiming();
}

// A normal program's hook is not called for the keys of a window running with
// higher rights, and the system refuses the keys it injects there alike.
bool Host::hookSeesForeground() {
    return services_->injector.focusedWindowAcceptsInput();
}

void Host::actOnWatchdog(HookWatchdog::Action action) {
    switch (action) {
        case HookWatchdog::Action::SendHeartbeat: {
            INPUT heartbeat[2]{};
            for (int i = 0; i < 2; ++i) {
                heartbeat[i].type = INPUT_KEYBOARD;
                heartbeat[i].ki.wVk = HeartbeatKey;
                heartbeat[i].ki.dwFlags = i == 0 ? 0 : KEYEVENTF_KEYUP;
                heartbeat[i].ki.dwExtraInfo = HeartbeatMarker;
            }
            ::SendInput(2, heartbeat, sizeof(INPUT));
            break;
        }
        case HookWatchdog::Action::Reinstall:
            services_->hook.reinstall();
            // Whatever the old hook missed, a release among it, is unknown.
            services_->form->engine.mainData().resetFromKeyState();
            break;
        case HookWatchdog::Action::None:
            break;
    }
}

// The session's unlock and the machine's resume come to the main window, and so
// does raw keyboard input from every program, the witness of the hook's life,
// and the raw mouse input that tells of clicks.
void Host::listenForBreaks() {
    ::WTSRegisterSessionNotification(window_, NOTIFY_FOR_THIS_SESSION);
    // Generic desktop keyboard and mouse; the mouse for its buttons only.
    const RAWINPUTDEVICE devices[] = {{0x01, 0x06, RIDEV_INPUTSINK, window_},
                                      {0x01, 0x02, RIDEV_INPUTSINK, window_}};
    ::RegisterRawInputDevices(devices, 2, sizeof(devices[0]));
}

void Host::resumeAfterBreak() {
    MainData& mainData = services_->form->engine.mainData();
    mainData.resetFromKeyState();
    if (mainData.hookHandle != 0) {
        actOnWatchdog(watchdog_.proveNow(services_->hook.heartbeatsSeen()));
    }
}

void Host::onRawInput(HRAWINPUT input) {
    Win32KeyboardHook& hook = services_->hook;
    if (services_->form->engine.mainData().hookHandle == 0) {
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
            hook.mouseButtonPressed();
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
    actOnWatchdog(watchdog_.rawKeySeen(key, static_cast<std::uint32_t>(::GetMessageTime()),
                                       hook.lastEventTick(), hook.heartbeatsSeen()));
}

void Host::writeHookTiming() {
    // Only times and counts, never which keys: for measuring the program.
    const char* path = std::getenv("QUORVEL_HOOK_TIMING_FILE");
    if (path == nullptr || *path == '\0') {
        return;
    }
    const Win32KeyboardHook& hook = services_->hook;
    const KeyHold& held = services_->form->engine.mainData().keyHold();
    const Win32KeyInjector::ReplayFigures& replay = services_->injector.replayFigures();
    if (FILE* file = std::fopen(path, "w")) {
        std::fprintf(file,
                     "events %zu p50_us %.1f p99_us %.1f max_us %.1f held_presses %llu "
                     "replay_calls %llu replayed_events %llu replay_ms %.1f heartbeats %llu "
                     "reinstalls %llu refused %llu\n",
                     hook.callbackSamples(), hook.callbackPercentileMicroseconds(50),
                     hook.callbackPercentileMicroseconds(99),
                     hook.callbackPercentileMicroseconds(100),
                     static_cast<unsigned long long>(held.pressesHeld()),
                     static_cast<unsigned long long>(replay.calls),
                     static_cast<unsigned long long>(replay.events), replay.microseconds / 1000,
                     static_cast<unsigned long long>(hook.heartbeatsSeen()),
                     static_cast<unsigned long long>(hook.reinstalls()),
                     static_cast<unsigned long long>(held.eventsRefused()));
        std::fclose(file);
    }
}

}  // namespace quorvel
