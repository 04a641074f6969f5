#include "engine/date_stamp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "engine/calibration.h"

namespace quorvel {
namespace {

TEST(DateStamp, RoundTrips) {
    const DateTime moments[] = {
        {2026, 12, 5, 15, 4, 5},
        {9999, 12, 31, 23, 59, 59},
        {33, 7, 9, 1, 2, 3},
    };
    for (const DateTime& when : moments) {
        const std::string stamp = formatStamp(when);
        SCOPED_TRACE(stamp);
        EXPECT_EQ(parseStamp(stamp), when);
    }
    EXPECT_EQ(formatStamp({2026, 12, 5, 15, 4, 5}), "2026-12-05 15:04:05");
    EXPECT_EQ(formatStamp({33, 7, 9, 1, 2, 3}), "0033-07-09 01:02:03");
}

TEST(DateStamp, GarbageIsRejected) {
    const char* garbage[] = {
        "",
        "2026-12-05 15:04",
        "2026/12/05 15:04:05",
        "2026-12-05T15:04:05",
        "2026-13-05 15:04:05",
        "2026-00-05 15:04:05",
        "2026-12-32 15:04:05",
        "2026-12-00 15:04:05",
        "2026-12-05 24:04:05",
        "2026-12-05 15:60:05",
        "2026-12-05 15:04:60",
        "2026-1a-05 15:04:05",
        "2026-12-05 15:04:-5",
        "12/5/2026 3:04:05 PM",
    };
    for (const char* text : garbage) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseStamp(text).has_value());
    }
}

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
