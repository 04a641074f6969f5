#include "platform/calendar.h"

#include <array>

namespace quorvel {

namespace {
// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long long daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

DateTime dateTimeFromSeconds(long long total) {
    long long days = total / 86400;
    long long rest = total % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long doe = days - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    DateTime when;
    when.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    when.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    when.year = static_cast<int>(yoe + era * 400 + (when.month <= 2 ? 1 : 0));
    when.hour = static_cast<int>(rest / 3600);
    when.minute = static_cast<int>(rest % 3600 / 60);
    when.second = static_cast<int>(rest % 60);
    return when;
}

long long secondsSinceEpoch(const DateTime& when) {
    return daysFromCivil(when.year, when.month, when.day) * 86400 + when.hour * 3600LL +
           when.minute * 60LL + when.second;
}

std::string EnglishUsLocale::shortDate(const DateTime& when) const {
    return std::to_string(when.month) + "/" + std::to_string(when.day) + "/" +
           std::to_string(when.year);
}

std::string EnglishUsLocale::longTime(const DateTime& when) const {
    const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
    auto twoDigits = [](int value) {
        return std::string{static_cast<char>('0' + value / 10),
                           static_cast<char>('0' + value % 10)};
    };
    return std::to_string(hour12) + ":" + twoDigits(when.minute) + ":" + twoDigits(when.second) +
           (when.hour < 12 ? " AM" : " PM");
}

std::string EnglishUsLocale::monthName(int month) const {
    static constexpr std::array<const char*, 12> names = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    if (month < 1 || month > 12) {
        return {};
    }
    return names[static_cast<std::size_t>(month - 1)];
}

}  // namespace quorvel
