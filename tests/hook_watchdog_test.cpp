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

    // The tick count wrapping around is no missed input.
    HookWatchdog wrapped;
    const std::uint32_t justBeforeWrap = 0xFFFFFF00u;
    EXPECT_EQ(wrapped.check(0x00000010u, justBeforeWrap, 0), Action::None);
    EXPECT_EQ(wrapped.check(0x00001000u, justBeforeWrap, 0), Action::SendHeartbeat);
}

TEST(HookWatchdog, AnUnheardHeartbeatMeansTheHookIsGone) {
    HookWatchdog watchdog;
    EXPECT_EQ(watchdog.check(9000, 1000, 3), Action::SendHeartbeat);
    EXPECT_EQ(watchdog.check(11000, 1000, 3), Action::Reinstall);
    // After installing it again, the next check proves the new hook the same way.
    EXPECT_EQ(watchdog.check(11000, 1000, 3), Action::SendHeartbeat);
    EXPECT_EQ(watchdog.check(11000, 11050, 4), Action::None);
}

// Raw input reports keys after the hook has passed them: one the hook has not
// seen starts a proof, and the proof key itself showing there, uncounted by the
// hook, means the hook is gone at once.
TEST(HookWatchdog, RawInputTheHookMissedStartsAProofItsHeartbeatEndsIt) {
    using Raw = HookWatchdog::RawKey;
    HookWatchdog live;
    EXPECT_EQ(live.rawKeySeen(Raw::Typed, 5000, 4990, 0), Action::None) << "the hook saw it";
    EXPECT_EQ(live.rawKeySeen(Raw::Typed, 5000, 1000, 0), Action::SendHeartbeat);
    EXPECT_EQ(live.rawKeySeen(Raw::Typed, 5100, 1000, 0), Action::None) << "one proof at a time";
    EXPECT_EQ(live.rawKeySeen(Raw::Heartbeat, 5200, 5200, 1), Action::None)
        << "the hook counted it";
    EXPECT_EQ(live.check(5200, 5200, 1), Action::None);

    HookWatchdog dropped;
    EXPECT_EQ(dropped.rawKeySeen(Raw::Typed, 5000, 1000, 7), Action::SendHeartbeat);
    EXPECT_EQ(dropped.rawKeySeen(Raw::Heartbeat, 5050, 1000, 7), Action::Reinstall);
    EXPECT_EQ(dropped.check(5100, 1000, 7), Action::SendHeartbeat)
        << "the new hook is proved the usual way";

    HookWatchdog unasked;
    EXPECT_EQ(unasked.rawKeySeen(Raw::Heartbeat, 5000, 1000, 0), Action::None)
        << "no proof of ours was on its way";
}

// After an unlock or a resume the hook is proved without waiting for input it misses.
TEST(HookWatchdog, ProofAfterABreak) {
    for (const bool heard : {true, false}) {
        SCOPED_TRACE(heard);
        HookWatchdog watchdog;
        EXPECT_EQ(watchdog.proveNow(3), Action::SendHeartbeat);
        EXPECT_EQ(watchdog.proveNow(3), Action::None) << "already on its way";
        EXPECT_EQ(watchdog.check(1000, 1000, heard ? 4 : 3),
                  heard ? Action::None : Action::Reinstall);
    }
}

}  // namespace
}  // namespace quorvel
