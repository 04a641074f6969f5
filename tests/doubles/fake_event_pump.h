#pragma once
#include <deque>
#include <functional>

#include "platform/event_pump.h"

namespace quorvel {

// Holds posted work and work that tests schedule; DoEvents runs what is pending,
// so a tick or a key can be made to land in the middle of a long operation.
class FakeEventPump final : public EventPump {
  public:
    void DoEvents() override;
    void post(std::function<void()> work) override { pending_.push_back(std::move(work)); }

    // Runs pending work until none is left, as the message loop would when idle.
    void runUntilIdle();
    // Runs `work` at the `n`th DoEvents call from now (1 = the next one).
    void atDoEvents(int n, std::function<void()> work);

    int doEventsCalls() const { return doEventsCalls_; }

  private:
    std::deque<std::function<void()>> pending_;
    std::deque<std::pair<int, std::function<void()>>> scheduled_;
    int doEventsCalls_ = 0;
};

}  // namespace quorvel
