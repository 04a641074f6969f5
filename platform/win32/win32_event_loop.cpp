#include "platform/win32/win32_event_loop.h"

namespace quorvel {

void Win32EventLoop::post(std::function<void()> work) {
    posted_.push_back(std::move(work));
    if (window_ == nullptr || !::PostMessageW(window_, WmRunPosted, 0, 0)) {
        // No window to post to (yet, or its queue is full): run it now rather
        // than lose it.
        runPosted();
    }
}

void Win32EventLoop::postAfter(std::uint32_t milliseconds, std::function<void()> work) {
    const UINT_PTR timer = nextTimer_;
    nextTimer_ = nextTimer_ == FirstDelayedWorkTimer + 0xFFFF ? FirstDelayedWorkTimer : timer + 1;
    if (window_ == nullptr || ::SetTimer(window_, timer, milliseconds, nullptr) == 0) {
        post(std::move(work));
        return;
    }
    delayed_[timer] = std::move(work);
}

void Win32EventLoop::runPosted() {
    if (posted_.empty()) {
        return;
    }
    auto work = std::move(posted_.front());
    posted_.pop_front();
    work();
}

bool Win32EventLoop::runDelayed(UINT_PTR timer) {
    const auto found = delayed_.find(timer);
    if (found == delayed_.end()) {
        return false;
    }
    ::KillTimer(window_, timer);
    auto work = std::move(found->second);
    delayed_.erase(found);
    work();
    return true;
}

}  // namespace quorvel
