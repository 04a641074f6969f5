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

// Rounded half to even; anything but a plain decimal within 32 bits is refused.
TEST(Calibration, PassesFromTheTypedNumber) {
    struct Case {
        const char* text;
        std::int32_t passes;
    };
    const Case cases[] = {
        {"500", 500}, {" 7 ", 7}, {"+4", 4},  {"0", 0},     {".5", 0},  {"5.", 5},  {"12.5", 12},
        {"2.5", 2},   {"3.5", 4}, {"2.6", 3}, {"-2.5", -2}, {"0.4", 0}, {"-3", -3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(calibrationPasses(c.text), c.passes) << c.text;
    }
    EXPECT_EQ(calibrationPasses("2147483647"), INT32_MAX);
    EXPECT_EQ(calibrationPasses("-2147483648"), INT32_MIN);
    for (const char* text :
         {"2147483648", "-2147483649", "99999999999999999999", "", "   ", "abc", "1e5", "1,000",
          "$5", "5$", "-", ".", "+-4", "4 2", "1.2.3", "\t7", "0x10", "inf", "nan"}) {
        EXPECT_EQ(calibrationPasses(text), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace quorvel
