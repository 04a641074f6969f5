#include "engine/calibration.h"

#include <cmath>
#include <limits>
#include <string>

#include "text/number_text.h"
#include "text/utf8_text.h"

namespace quorvel {

std::optional<double> parseCalibrationNumber(std::string_view text) {
    return decimalNumber(trimBlanks(text));
}

std::optional<std::int32_t> calibrationPasses(std::string_view text) {
    const auto number = parseCalibrationNumber(text);
    if (!number) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(*number);  // the default mode rounds halves to even
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace quorvel
