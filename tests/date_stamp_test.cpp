#include "engine/date_stamp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "engine/calibration.h"

namespace quorvel {
namespace {

TEST(DateStamp, SecondsBetween) {
    const DateTime a{2026, 12, 31, 23, 59, 59};
    const DateTime b{2027, 1, 1, 0, 0, 4};
    EXPECT_EQ(secondsBetween(a, b), 5);
    EXPECT_EQ(secondsBetween(b, a), -5);
    EXPECT_EQ(secondsBetween(a, a), 0);
    EXPECT_EQ(secondsBetween({2028, 2, 28, 0, 0, 0}, {2028, 3, 1, 0, 0, 0}), 2 * 86400);
}

TEST(Calibration, NumberParsing) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"500", 500.0}, {"-3", -3.0},  {"12.5", 12.5}, {" 7 ", 7.0}, {"+4", 4.0}, {"0", 0.0},
        {".5", 0.5},    {"5.", 5.0},   {"", {}},       {"   ", {}},  {"abc", {}}, {"1e5", {}},
        {"1,000", {}},  {"$5", {}},    {"5$", {}},     {"-", {}},    {".", {}},   {"+-4", {}},
        {"4 2", {}},    {"1.2.3", {}}, {"\t7", {}},    {"0x10", {}}, {"inf", {}}, {"nan", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseCalibrationNumber(c.text), c.value);
    }
}

TEST(Calibration, PassesRoundHalvesToEvenWithinRange) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> passes;
    };
    const Case cases[] = {
        {"500", 500},        {"2.5", 2},
        {"3.5", 4},          {"2.6", 3},
        {"-2.5", -2},        {"0.4", 0},
        {"-3", -3},          {"2147483647", 2147483647},
        {"2147483648", {}},  {"-2147483648", INT32_MIN},
        {"-2147483649", {}}, {"99999999999999999999", {}},
        {"abc", {}},         {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(calibrationPasses(c.text), c.passes);
    }
}

}  // namespace
}  // namespace quorvel
