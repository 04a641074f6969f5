#pragma once
// The date-and-time stamps the engine leaves in hidden controls, written and read
// back to the second. The form is fixed ("2026-12-05 15:04:05") so that reading it
// back never depends on the user's locale.

#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace quorvel {

std::string formatStamp(const DateTime& when);
std::optional<DateTime> parseStamp(std::string_view stamp);
// Whole seconds from `from` to `to` (negative when `to` is earlier).
long long secondsBetween(const DateTime& from, const DateTime& to);

}  // namespace quorvel
