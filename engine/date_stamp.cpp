#include "engine/date_stamp.h"

#include "engine/calendar.h"

namespace quorvel {

namespace {
void appendDigits(std::string& out, int value, int width) {
    char digits[8];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

std::optional<int> readDigits(std::string_view text, std::size_t at, std::size_t width) {
    int value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}
}  // namespace

std::string formatStamp(const DateTime& when) {
    std::string stamp;
    stamp.reserve(19);
    appendDigits(stamp, when.year, 4);
    stamp += '-';
    appendDigits(stamp, when.month, 2);
    stamp += '-';
    appendDigits(stamp, when.day, 2);
    stamp += ' ';
    appendDigits(stamp, when.hour, 2);
    stamp += ':';
    appendDigits(stamp, when.minute, 2);
    stamp += ':';
    appendDigits(stamp, when.second, 2);
    return stamp;
}

std::optional<DateTime> parseStamp(std::string_view stamp) {
    if (stamp.size() < 19 || stamp[4] != '-' || stamp[7] != '-' || stamp[10] != ' ' ||
        stamp[13] != ':' || stamp[16] != ':') {
        return std::nullopt;
    }
    const auto year = readDigits(stamp, 0, 4), month = readDigits(stamp, 5, 2),
               day = readDigits(stamp, 8, 2), hour = readDigits(stamp, 11, 2),
               minute = readDigits(stamp, 14, 2), second = readDigits(stamp, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second || *month < 1 || *month > 12 ||
        *day < 1 || *day > 31 || *hour > 23 || *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    return DateTime{*year, *month, *day, *hour, *minute, *second};
}

long long secondsBetween(const DateTime& from, const DateTime& to) {
    return secondsSinceEpoch(to) - secondsSinceEpoch(from);
}

}  // namespace quorvel
