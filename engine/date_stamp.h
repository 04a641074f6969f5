#pragma once
// Spans between the clock's dates and times, to the second.

#include "platform/clock.h"

namespace quorvel {

// Whole seconds from `from` to `to` (negative when `to` is earlier).
long long secondsBetween(const DateTime& from, const DateTime& to);

}  // namespace quorvel
