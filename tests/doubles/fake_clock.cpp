#include "tests/doubles/fake_clock.h"

namespace quorvel {

void FakeClock::advanceSeconds(long long seconds) {
    now_ = dateTimeFromSeconds(secondsSinceEpoch(now_) + seconds);
}

}  // namespace quorvel
