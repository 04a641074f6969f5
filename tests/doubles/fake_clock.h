#pragma once
#include "platform/calendar.h"

namespace quorvel {

class FakeClock final : public Clock {
  public:
    explicit FakeClock(DateTime start = {2026, 12, 5, 15, 4, 5}) : now_(start) {}
    DateTime now() override { return now_; }
    std::uint64_t milliseconds() override {
        return static_cast<std::uint64_t>(secondsSinceEpoch(now_)) * 1000 + fraction_;
    }
    void advanceSeconds(long long seconds) {
        now_ = dateTimeFromSeconds(secondsSinceEpoch(now_) + seconds);
    }
    void advanceMilliseconds(std::uint64_t milliseconds) {
        fraction_ += milliseconds;
        advanceSeconds(static_cast<long long>(fraction_ / 1000));
        fraction_ %= 1000;
    }

  private:
    DateTime now_;
    std::uint64_t fraction_ = 0;  // milliseconds past now_'s second
};

}  // namespace quorvel
