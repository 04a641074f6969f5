#pragma once
// The calibration number: how many event-loop passes the sender waits after
// erasing a trigger, so that the target has taken the Backspaces.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

inline constexpr std::int32_t DefaultCalibration = 500;

// A plain decimal number with an optional sign and fraction, blanks around it
// allowed ("500", "-3", "12.5", " 7 "). Thousands separators, exponents and
// currency signs are not numbers.
std::optional<double> parseCalibrationNumber(std::string_view text);

// The number rounded to a whole number of passes (an exact half to the even
// one); nothing when the text is not a number or lies beyond the 32-bit range.
std::optional<std::int32_t> calibrationPasses(std::string_view text);

// The pause the calibration box asks for: a box that does not hold a number
// (emptied while the user types a new one) gives the default pause rather than
// none, which would drop letters of a text after its trigger was erased.
inline std::int32_t pausePassesFor(std::string_view boxText) {
    return calibrationPasses(boxText).value_or(DefaultCalibration);
}

}  // namespace quorvel
