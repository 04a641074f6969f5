#pragma once
// The window thread's message loop, seen from inside a long operation, and the
// work posted to run after the current event.

#include <windows.h>

#include <deque>
#include <functional>

#include "platform/event_pump.h"

namespace quorvel {

// The message the host window receives for each piece of posted work.
inline constexpr UINT WmRunPosted = WM_APP + 1;

class Win32EventPump final : public EventPump {
  public:
    void attach(HWND window) { window_ = window; }
    void DoEvents() override;
    void post(std::function<void()> work) override;
    // Runs the oldest posted work; the host calls it for each WmRunPosted.
    void runPosted();
    bool quitRequested() const { return quitRequested_; }

  private:
    HWND window_ = nullptr;
    std::deque<std::function<void()>> posted_;
    bool quitRequested_ = false;
};

}  // namespace quorvel
