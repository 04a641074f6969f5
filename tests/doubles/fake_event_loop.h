#pragma once
#include <deque>
#include <functional>
#include <utility>

#include "platform/event_loop.h"

namespace quorvel {

// Holds posted work until the test runs it, one piece a pass of the loop, so
// that a tick or a key can be made to land between two steps of a send. Work
// posted with a delay runs after what is posted before it: time is the test's
// to move.
class FakeEventLoop final : public EventLoop {
  public:
    void post(std::function<void()> work) override { pending_.push_back(std::move(work)); }
    void postAfter(std::uint32_t, std::function<void()> work) override {
        pending_.push_back(std::move(work));
    }

    // Runs pending work until none is left, as the message loop would when idle.
    // Work that runs it again (a key typed from a pass) returns at once: its
    // posts run in this run, in order, as the one real loop would run them.
    void runUntilIdle() {
        if (running_) {
            return;
        }
        running_ = true;
        // Bounded so that a fault that keeps posting work fails a test instead of hanging it.
        for (int pass = 0; pass < 20000 && !pending_.empty(); ++pass) {
            runOne();
        }
        running_ = false;
    }
    // Runs `work` just before the `n`th pass from now (1 = the next one).
    void atPass(int n, std::function<void()> work) { scheduled_.emplace_back(n, std::move(work)); }

    int passes() const { return passes_; }

  private:
    void runOne() {
        ++passes_;
        std::erase_if(scheduled_, [](auto& work) {
            if (--work.first != 0) {
                return false;
            }
            work.second();
            return true;
        });
        if (pending_.empty()) {
            return;
        }
        auto work = std::move(pending_.front());
        pending_.pop_front();
        work();
    }

    std::deque<std::function<void()>> pending_;
    std::deque<std::pair<int, std::function<void()>>> scheduled_;
    int passes_ = 0;
    bool running_ = false;
};

}  // namespace quorvel
