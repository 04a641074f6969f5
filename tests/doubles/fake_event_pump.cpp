#include "tests/doubles/fake_event_pump.h"

namespace quorvel {

void FakeEventPump::DoEvents() {
    ++doEventsCalls_;
    for (auto it = scheduled_.begin(); it != scheduled_.end();) {
        if (--it->first == 0) {
            pending_.push_back(std::move(it->second));
            it = scheduled_.erase(it);
        } else {
            ++it;
        }
    }
    // Only what is pending now runs; work it posts waits for the next pass.
    auto batch = std::move(pending_);
    pending_.clear();
    for (auto& work : batch) {
        work();
    }
}

void FakeEventPump::runUntilIdle() {
    // Bounded so that a fault that keeps posting work fails a test instead of hanging it.
    for (int pass = 0; pass < 10000 && !pending_.empty(); ++pass) {
        auto work = std::move(pending_.front());
        pending_.pop_front();
        work();
    }
}

void FakeEventPump::atDoEvents(int n, std::function<void()> work) {
    scheduled_.emplace_back(n, std::move(work));
}

}  // namespace quorvel
