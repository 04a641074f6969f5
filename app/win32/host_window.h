#pragma once
// The Windows host of the program: owns the main window, the platform services,
// the main window's model and the views of the program's windows, and runs the
// message loop that delivers window events, timer ticks, keyboard-hook calls and
// posted sends one at a time.

#include <windows.h>

#include <memory>
#include <optional>

#include "engine/hook_watchdog.h"

namespace quorvel {

class MainWindowView;

class Host {
  public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    int run(HINSTANCE instance);

  private:
    struct Services;
    struct Views;
    class Shower;

    // The main window's messages that concern the program rather than a control.
    std::optional<LRESULT> onProgramMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void afterMessage(UINT message, LPARAM lParam);
    bool isDialogKey(MSG& message);
    void refreshViews();
    void onTimer(UINT_PTR id);
    void syncTimers();
    void checkHookAlive();
    void actOnWatchdog(HookWatchdog::Action action);
    bool hookSeesForeground();
    void listenForBreaks();
    void resumeAfterBreak();
    void onRawInput(HRAWINPUT input);
    void writeHookTiming();
    bool saveBeforeSessionEnds();
    void releaseSessionEnd();
    void endSession(bool ending);

    // Declared first: the window outlives the services that use it.
    std::unique_ptr<MainWindowView> main_;
    HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool dataTimerRunning_ = false;
    // Asks the services, made after it, only once keys arrive.
    HookWatchdog watchdog_{[this] { return hookSeesForeground(); }};
    bool refreshing_ = false;
    // Posted work has run since the windows last showed the model.
    bool refreshWhenIdle_ = false;
    // A failed save holds the session's end up, with a reason Windows shows.
    bool sessionEndHeld_ = false;
    std::unique_ptr<Services> services_;
    std::unique_ptr<Views> views_;
};

}  // namespace quorvel
