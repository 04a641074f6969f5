#include "ui/window_placement.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

constexpr ScreenRect Screen{0, 0, 1280, 994};  // 1280 x 1024 less a task bar

TEST(WindowPlacement, BesideTheAnchorOnTheSideWithRoomAndAlwaysInsideTheArea) {
    struct Case {
        const char* what;
        ScreenRect anchor;
        ScreenRect expected;
        int height = 400;  // all are 430 wide
        ScreenRect area = Screen;
    };
    // clang-format off
    const Case cases[] = {
        {"room on the right", {100, 50, 585, 517}, {593, 50, 1023, 450}},
        {"no room on the right: left of it", {900, 50, 1385, 517}, {462, 50, 892, 450}},
        {"no room either side: at the right edge", {300, 50, 1000, 517}, {850, 50, 1280, 450}},
        {"right, ending on the area's edge", {438, 50, 842, 517}, {850, 50, 1280, 450}},
        {"left, starting on the area's edge", {438, 50, 843, 517}, {0, 50, 430, 450}},
        {"anchor low on the screen: raised", {100, 800, 585, 1267}, {593, 594, 1023, 994}},
        {"taller than the area: shrunk", {100, 50, 585, 517}, {593, 0, 1023, 994}, 1200},
        {"a monitor left of the first one", {-1000, -100, -515, 367}, {-507, 0, -77, 400}, 400,
         {-1280, 0, 0, 1024}},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(besideAnchor(430, c.height, c.anchor, c.area, 8), c.expected) << c.what;
    }
}

TEST(WindowPlacement, CentredOverTheAnchorAndKeptInside) {
    EXPECT_EQ(centredOver(300, 120, {100, 100, 600, 500}, Screen),
              (ScreenRect{200, 240, 500, 360}));
    EXPECT_EQ(centredOver(300, 120, {-400, -300, 100, 100}, Screen), (ScreenRect{0, 0, 300, 120}));
    const ScreenRect inside{10, 20, 500, 400};
    EXPECT_EQ(keptInside(inside, Screen), inside);
    EXPECT_EQ(keptInside({1000, 900, 2500, 1400}, Screen), (ScreenRect{0, 494, 1280, 994}));
}

// The popup (400 x 300 pixels at 96 DPI, 800 x 600 at 192) near the caret.
TEST(WindowPlacement, NearTheCaretAndWhollyOnTheCaretsMonitor) {
    constexpr ScreenRect Second{1280, -200, 3840, 1240};  // 2560 x 1440, above-left offset
    struct Case {
        const char* what;
        ScreenRect caret;
        ScreenRect area;
        int width;
        int height;
        ScreenRect expected;
    };
    // clang-format off
    const Case cases[] = {
        {"below the caret", {100, 100, 102, 118}, Screen, 400, 300, {100, 122, 500, 422}},
        {"no room below: above it", {100, 900, 102, 918}, Screen, 400, 300, {100, 596, 500, 896}},
        {"at the right edge: pulled left", {1270, 100, 1272, 118}, Screen, 400, 300,
         {880, 122, 1280, 422}},
        {"the mouse's point at the bottom-left corner", {0, 994, 0, 994}, Screen, 400, 300,
         {0, 690, 400, 990}},
        {"caret beyond the area (full-screen program over the task bar)", {1279, 1020, 1281, 1024},
         Screen, 400, 300, {880, 694, 1280, 994}},
        {"second monitor at 192 DPI", {3800, 1200, 3804, 1236}, Second, 800, 600,
         {3040, 596, 3840, 1196}},
        {"larger than the monitor: shrunk to it", {10, 10, 12, 28}, {0, 0, 640, 480}, 800, 600,
         {0, 0, 640, 480}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const ScreenRect placed = nearCaret(c.width, c.height, c.caret, c.area, 4);
        EXPECT_EQ(placed, c.expected) << c.what;
        EXPECT_EQ(keptInside(placed, c.area), placed) << c.what;
    }
}

}  // namespace
}  // namespace quorvel
