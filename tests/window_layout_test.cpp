#include "app/window_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel {
namespace {

std::vector<int> sizes(const EditorLayout& l) {
    return {l.frameWidth,  l.frameHeight, l.innerWidth,       l.listWidth,
            l.innerHeight, l.listHeight,  l.shortcutTextWidth};
}

TEST(WindowLayout, ControlsFollowTheWindowSizeAndNegativeSizesAreSkipped) {
    EditorLayout layout;
    followSize(9000, 8000, layout);
    EXPECT_EQ(sizes(layout), (std::vector<int>{8650, 6950, 8150, 8150, 4510, 4510, 5750}));
    // A window too small for the lists keeps their last sizes; the frame still
    // follows.
    followSize(2000, 3000, layout);
    EXPECT_EQ(sizes(layout), (std::vector<int>{1650, 1950, 1150, 1150, 4510, 4510, 5750}));
}

}  // namespace
}  // namespace quorvel
