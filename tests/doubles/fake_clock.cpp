#include "tests/doubles/fake_clock.h"

namespace quorvel {

void FakeClock::advanceSeconds(long long seconds) {
    now_ = dateTimeFromSeconds(secondsSinceEpoch(now_) + seconds);
}

void FakeClock::advanceMilliseconds(std::uint64_t milliseconds) {
    fraction_ += milliseconds;
    advanceSeconds(static_cast<long long>(fraction_ / 1000));
    fraction_ %= 1000;
}

}  // namespace quorvel
