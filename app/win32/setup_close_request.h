#pragma once
// Setup asks a running copy of the same user to close before it installs over
// it: it sets an event named for the user's SID in the session's namespace, so
// another user's setup never reaches this copy. A thread-pool wait turns the
// event into a message for the main window; setup waits for the event's name to
// go, which happens as the last copy holding it ends.

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace quorvel {

// The main window's message for a request.
constexpr UINT WmCloseForSetup = WM_APP + 3;

class SetupCloseRequest {
  public:
    // Posts `message` to `window` each time setup asks.
    SetupCloseRequest(HWND window, UINT message);
    ~SetupCloseRequest();
    SetupCloseRequest(const SetupCloseRequest&) = delete;
    SetupCloseRequest& operator=(const SetupCloseRequest&) = delete;

    // Waits for the next request, once the last one has been handled.
    void listen();

  private:
    static void CALLBACK onSignal(void* self, BOOLEAN timedOut);
    void stopWaiting();

    HWND window_;
    UINT message_;
    UniqueKernelHandle event_;
    HANDLE wait_ = nullptr;
};

}  // namespace quorvel
