#pragma once
#include <deque>
#include <functional>

#include "platform/event_pump.h"

namespace quorvel {

// Holds posted work and work that tests schedule; DoEvents runs what is pending,
// so a tick or a key can be made to land in the middle of a long operation.
class FakeEventPump final : public EventPump {
  public:
    void DoEvents() override {
        ++doEventsCalls_;
        std::erase_if(scheduled_, [&](auto& work) {
            if (--work.first != 0) {
                return false;
            }
            pending_.push_back(std::move(work.second));
            return true;
        });
        // Only what is pending now runs; work it posts waits for the next pass.
        auto batch = std::move(pending_);
        pending_.clear();
        for (auto& work : batch) {
            work();
        }
    }
    void post(std::function<void()> work) override { pending_.push_back(std::move(work)); }

    // Runs pending work until none is left, as the message loop would when idle.
    void runUntilIdle() {
        // Bounded so that a fault that keeps posting work fails a test instead of hanging it.
        for (int pass = 0; pass < 10000 && !pending_.empty(); ++pass) {
            auto work = std::move(pending_.front());
            pending_.pop_front();
            work();
        }
    }
    // Runs `work` at the `n`th DoEvents call from now (1 = the next one).
    void atDoEvents(int n, std::function<void()> work) {
        scheduled_.emplace_back(n, std::move(work));
    }

    int doEventsCalls() const { return doEventsCalls_; }

  private:
    std::deque<std::function<void()>> pending_;
    std::deque<std::pair<int, std::function<void()>>> scheduled_;
    int doEventsCalls_ = 0;
};

}  // namespace quorvel
