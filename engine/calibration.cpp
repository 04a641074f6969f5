#include "engine/calibration.h"

#include <cmath>
#include <limits>
#include <string>

#include "text/utf8_text.h"

namespace quorvel {

std::optional<double> parseCalibrationNumber(std::string_view text) {
    text = trimBlanks(text);
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    double value = 0;
    bool anyDigit = false;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        anyDigit = true;
    }
    if (at < text.size() && text[at] == '.') {
        double scale = 0.1;
        for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            value += (text[at] - '0') * scale;
            scale /= 10;
            anyDigit = true;
        }
    }
    if (!anyDigit || at != text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
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
