#pragma once
// Calendar arithmetic on the clock's dates, and the English date and time forms
// for where the platform offers no locale data.

#include <string>

#include "platform/clock.h"

namespace quorvel {

// Seconds since 1970-01-01 00:00:00 of the same calendar, and back.
long long secondsSinceEpoch(const DateTime& when);
DateTime dateTimeFromSeconds(long long seconds);

// English (United States): 12/6/2026, 8:35:46 AM, December. Used where the
// platform offers no locale data.
class EnglishUsLocale final : public Locale {
  public:
    std::string shortDate(const DateTime& when) const override;
    std::string longTime(const DateTime& when) const override;
    std::string monthName(int month) const override;
};

}  // namespace quorvel
