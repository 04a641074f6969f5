#pragma once
// The Windows host of the program: makes the main window, has the composition
// root build the program on it, shows its windows' models through their views,
// hands the main window's messages to who handles them, and runs the message loop.

#include <windows.h>

#include <memory>
#include <optional>

namespace quorvel {

class CompositionRoot;
class MainWindowView;
class SetupCloseRequest;
class SystemEvents;

class Host {
  public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    int run(HINSTANCE instance);

  private:
    struct Views;

    // The main window's messages that concern the program rather than a control.
    std::optional<LRESULT> onProgramMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void afterMessage(UINT message, LPARAM lParam);
    bool isDialogKey(MSG& message);
    void refreshViews();
    void startTimers();
    void onTimer(UINT_PTR id);
    void syncTimers();

    // Declared first: the window outlives the program built on it.
    std::unique_ptr<MainWindowView> main_;
    HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool dataTimerRunning_ = false;
    bool refreshing_ = false;
    // Posted work or a timer has run since the windows last showed the model.
    bool refreshWhenIdle_ = false;
    std::unique_ptr<CompositionRoot> program_;
    std::unique_ptr<Views> views_;
    std::unique_ptr<SystemEvents> systemEvents_;
    std::unique_ptr<SetupCloseRequest> setupClose_;
};

}  // namespace quorvel
