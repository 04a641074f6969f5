#include "platform/win32/win32_clock.h"

#include <windows.h>

#include <vector>

#include "platform/calendar.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {

bool fitsSystemTime(const DateTime& when) {
    return when.year >= 1601 && when.year <= 30827 && when.month >= 1 && when.month <= 12 &&
           when.day >= 1 && when.day <= 31 && when.hour >= 0 && when.hour <= 23 &&
           when.minute >= 0 && when.minute <= 59 && when.second >= 0 && when.second <= 59;
}

SYSTEMTIME systemTimeOf(const DateTime& when) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(when.year);
    time.wMonth = static_cast<WORD>(when.month);
    time.wDay = static_cast<WORD>(when.day);
    time.wHour = static_cast<WORD>(when.hour);
    time.wMinute = static_cast<WORD>(when.minute);
    time.wSecond = static_cast<WORD>(when.second);
    // Some formats name the weekday; 1970-01-01 was a Thursday (4).
    const long long seconds = secondsSinceEpoch(when);
    const long long days = seconds / 86400 - (seconds % 86400 < 0 ? 1 : 0);
    time.wDayOfWeek = static_cast<WORD>(((days + 4) % 7 + 7) % 7);
    return time;
}

// Runs a GetXxxFormatW-style call twice: once for the size, once for the text.
// The wide forms give the user's language whatever the ANSI code page holds.
template <typename Format>
std::string formatted(Format format) {
    const int needed = format(nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(needed));
    const int written = format(buffer.data(), needed);
    if (written <= 0) {
        return {};
    }
    // The count includes the terminating NUL.
    return utf8Text(buffer.data(), static_cast<std::size_t>(written - 1));
}

}  // namespace

DateTime Win32Clock::now() {
    SYSTEMTIME time{};
    ::GetLocalTime(&time);
    DateTime when;
    when.year = time.wYear;
    when.month = time.wMonth;
    when.day = time.wDay;
    when.hour = time.wHour;
    when.minute = time.wMinute;
    when.second = time.wSecond;
    return when;
}

std::uint64_t Win32Clock::milliseconds() {
    return ::GetTickCount64();
}

std::string Win32Locale::shortDate(const DateTime& when) const {
    if (!fitsSystemTime(when)) {
        return {};
    }
    const SYSTEMTIME time = systemTimeOf(when);
    return formatted([&time](wchar_t* buffer, int size) {
        return ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, size);
    });
}

std::string Win32Locale::longTime(const DateTime& when) const {
    if (!fitsSystemTime(when)) {
        return {};
    }
    const SYSTEMTIME time = systemTimeOf(when);
    // No flags and no picture: the user's long time form.
    return formatted([&time](wchar_t* buffer, int size) {
        return ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, buffer, size);
    });
}

std::string Win32Locale::monthName(int month) const {
    if (month < 1 || month > 12) {
        return {};
    }
    const LCTYPE item = LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(month - 1);
    return formatted([item](wchar_t* buffer, int size) {
        return ::GetLocaleInfoW(LOCALE_USER_DEFAULT, item, buffer, size);
    });
}

}  // namespace quorvel
