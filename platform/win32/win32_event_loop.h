#pragma once
// The work posted to the window thread's message loop: one message per piece
// of work, and a timer for each piece that waits.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>

#include "platform/event_loop.h"

namespace quorvel {

// The message the host window receives for each piece of posted work.
inline constexpr UINT WmRunPosted = WM_APP + 1;
// Timer ids from here up belong to work posted with a delay.
inline constexpr UINT_PTR FirstDelayedWorkTimer = 0x5100;

class Win32EventLoop final : public EventLoop {
  public:
    void attach(HWND window) { window_ = window; }
    void post(std::function<void()> work) override;
    void postAfter(std::uint32_t milliseconds, std::function<void()> work) override;
    // Runs the oldest posted work; the host calls it for each WmRunPosted.
    void runPosted();
    // Runs the delayed work of a WM_TIMER; false when the timer is not one of its.
    bool runDelayed(UINT_PTR timer);

  private:
    HWND window_ = nullptr;
    std::deque<std::function<void()>> posted_;
    std::map<UINT_PTR, std::function<void()>> delayed_;
    UINT_PTR nextTimer_ = FirstDelayedWorkTimer;
};

}  // namespace quorvel
