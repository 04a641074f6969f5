#include "engine/date_stamp.h"

#include "platform/calendar.h"

namespace quorvel {

long long secondsBetween(const DateTime& from, const DateTime& to) {
    return secondsSinceEpoch(to) - secondsSinceEpoch(from);
}

}  // namespace quorvel
