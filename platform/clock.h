#pragma once
// Clock and locale.

#include <cstdint>
#include <string>

namespace quorvel {

// A local calendar date and time to the second.
struct DateTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    auto operator<=>(const DateTime&) const = default;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual DateTime now() = 0;
    // A count of milliseconds that only goes forward, for measuring spans of time.
    virtual std::uint64_t milliseconds() = 0;
};

// The user's date and time forms.
class Locale {
  public:
    virtual ~Locale() = default;
    virtual std::string shortDate(const DateTime& when) const = 0;
    virtual std::string longTime(const DateTime& when) const = 0;
    // Full month name in the user's language, month 1..12.
    virtual std::string monthName(int month) const = 0;
};

}  // namespace quorvel
