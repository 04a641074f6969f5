#include "engine/hook_watchdog.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using Action = HookWatchdog::Action;

TEST(HookWatchdog, QuietWhileTheHookSeesTheInput) {
    HookWatchdog watchdog;
    EXPECT_EQ(watchdog.check(1000, 1000, 0), Action::None);
    EXPECT_EQ(watchdog.check(1400, 1000, 0), Action::None) << "within the slack";
    // A hook that saw an event after the last input (our own keys) is fine too.
    EXPECT_EQ(watchdog.check(1000, 5000, 0), Action::None);
}

TEST(HookWatchdog, AnUnheardHeartbeatMeansTheHookIsGone) {
    HookWatchdog watchdog;
    EXPECT_EQ(watchdog.check(9000, 1000, 3), Action::SendHeartbeat);
    EXPECT_EQ(watchdog.check(11000, 1000, 3), Action::Reinstall);
    // After installing it again, the next check proves the new hook the same way.
    EXPECT_EQ(watchdog.check(11000, 1000, 3), Action::SendHeartbeat);
    EXPECT_EQ(watchdog.check(11000, 11050, 4), Action::None);
}

TEST(HookWatchdog, TickCountWrapAroundIsNoMissedInput) {
    HookWatchdog watchdog;
    const std::uint32_t justBeforeWrap = 0xFFFFFF00u;
    EXPECT_EQ(watchdog.check(0x00000010u, justBeforeWrap, 0), Action::None);
    EXPECT_EQ(watchdog.check(0x00001000u, justBeforeWrap, 0), Action::SendHeartbeat);
}

}  // namespace
}  // namespace quorvel
