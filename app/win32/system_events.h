#pragma once
// What the system tells the main window about the session, the power and the
// input, apart from any window: the session's unlock and the machine's resume
// (the hook is proved and the key state read afresh), raw input (the witness of
// the hook's life, and the clicks that make the typed letters stale), and the
// session's end (the list is saved, and the end held up while it cannot be).

#include <windows.h>

#include <optional>

namespace quorvel {

class CompositionRoot;

class SystemEvents {
  public:
    SystemEvents(HWND window, CompositionRoot& program);
    ~SystemEvents();
    SystemEvents(const SystemEvents&) = delete;
    SystemEvents& operator=(const SystemEvents&) = delete;

    // Registers for the session's notices and for raw keyboard and mouse input.
    void listen();
    // Before the window goes.
    void stopListening();
    // The result of a message it handles; nothing for any other.
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // On the heartbeat timer: whether the hook still lives.
    void checkHookAlive();
    // On the session-save retry timer.
    void retrySessionSave();

  private:
    bool hookInstalled() const;
    void resumeAfterBreak();
    void onRawInput(HRAWINPUT input);
    bool saveBeforeSessionEnds();
    void releaseSessionEnd();
    void endSession(bool ending);

    HWND window_;
    CompositionRoot& program_;
    bool listening_ = false;
    // A failed save holds the session's end up, with a reason Windows shows.
    bool sessionEndHeld_ = false;
};

}  // namespace quorvel
