#include "text/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace quorvel {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<std::uint32_t> wholeNumber(std::string_view digits, std::uint32_t highest,
                                         Beyond beyond) {
    const char* const end = digits.data() + digits.size();
    std::uint32_t value = 0;
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    // from_chars stops at the first character that is not a digit, so any
    // other character (a sign, a blank) is seen here.
    if (digits.empty() || stop != end || error == std::errc::invalid_argument) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range || value > highest) {
        return beyond == Beyond::Highest ? std::optional(highest) : std::nullopt;
    }
    return value;
}

std::optional<double> decimalNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also read "inf", "nan" and a second sign: only digits
    // and one point are let through to it.
    bool anyDigit = false;
    bool point = false;
    bool wholePartZero = true;
    for (const char c : text) {
        if (isDigit(c)) {
            anyDigit = true;
            wholePartZero = wholePartZero && (point || c == '0');
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    double value = 0;
    const auto [stop, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Too small is as good as nothing; too large is no number.
        if (!wholePartZero) {
            return std::nullopt;
        }
        value = 0;
    } else if (error != std::errc{} || stop != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace quorvel
