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
    const Case cases[] = {
        {"room on the right", {100, 50, 585, 517}, {593, 50, 1023, 450}},
        {"no room on the right: left of it", {900, 50, 1385, 517}, {462, 50, 892, 450}},
        {"no room either side: at the right edge", {300, 50, 1000, 517}, {850, 50, 1280, 450}},
        {"anchor low on the screen: raised", {100, 800, 585, 1267}, {593, 594, 1023, 994}},
        {"taller than the area: shrunk", {100, 50, 585, 517}, {593, 0, 1023, 994}, 1200},
        {"a monitor left of the first one",
         {-1000, -100, -515, 367},
         {-507, 0, -77, 400},
         400,
         {-1280, 0, 0, 1024}},
    };
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

}  // namespace
}  // namespace quorvel
