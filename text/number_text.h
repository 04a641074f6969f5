#pragma once
// Decimal numbers written as text, read one way everywhere: from the settings,
// the key notation's repeat counts and key names, the calibration box.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

// A run of the digits 0-9 (at least one; no sign, no blank, leading zeros
// allowed) that is at most `highest`. A larger number is nothing, or `highest`
// when `beyond` says so; its digits are never read past what fits.
enum class Beyond { Refused, Highest };
std::optional<std::uint32_t> wholeNumber(std::string_view digits, std::uint32_t highest,
                                         Beyond beyond = Beyond::Refused);

// An optional sign, then digits with at most one decimal point among them and
// at least one digit ("500", "-3", "12.5", "+.5", "5."). Nothing for any other
// text: blanks, exponents, thousands separators, "inf", a number past the range
// of a double. A fraction too small for a double is 0.
std::optional<double> decimalNumber(std::string_view text);

}  // namespace quorvel
