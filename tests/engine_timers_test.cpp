#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;

// modifierTimer forgets the modifier a second after the last unmatched key, and
// nothing without one; pauseTimer forgets letters and modifier after more than
// five seconds either way (the clock may be set back), and at every tick after.
TEST(EngineTimers, ForgetWhatWasTypedAfterTheirTime) {
    enum class Timer { Modifier, Pause };
    struct Case {
        const char* name;
        Timer timer;
        bool noKeyTime;  // the time the typed keys left is forgotten
        int seconds;
        bool forgotten;
    };
    const Case cases[] = {
        {"modifier, same second", Timer::Modifier, false, 0, false},
        {"modifier, a second later", Timer::Modifier, false, 1, true},
        {"modifier, no key time", Timer::Modifier, true, 100, false},
        {"pause, same second", Timer::Pause, false, 0, false},
        {"pause, 5 s", Timer::Pause, false, 5, false},
        {"pause, 6 s", Timer::Pause, false, 6, true},
        {"pause, clock set back 5 s", Timer::Pause, false, -5, false},
        {"pause, clock set back an hour", Timer::Pause, false, -3600, true},
        {"pause, no key time", Timer::Pause, true, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.keyboard.typeText("Td");
        ASSERT_EQ(f.modifierState(), 1);
        ASSERT_EQ(f.form.lastUnmatchedKeyTime, f.clock.now());
        const bool modifierTimer = c.timer == Timer::Modifier;
        if (c.noKeyTime) {
            (modifierTimer ? f.form.lastUnmatchedKeyTime : f.form.lastKeyTime).reset();
        }
        f.clock.advanceSeconds(c.seconds);
        modifierTimer ? f.engine.modifierTimerTick() : f.engine.pauseTimerTick();
        EXPECT_EQ(f.modifierState(), c.forgotten ? 0 : 1);
        // The letters are pauseTimer's business.
        EXPECT_EQ(f.buffer(), c.forgotten && !modifierTimer ? "" : "td");
        if (modifierTimer) {
            EXPECT_EQ(f.form.lastUnmatchedKeyTime.has_value(), !c.forgotten && !c.noKeyTime);
        } else if (c.forgotten) {
            f.form.typedKeys = "zz";
            f.mainData().ModifierState = 4;
            f.clock.advanceSeconds(1);
            f.engine.pauseTimerTick();
            EXPECT_EQ(f.buffer(), "");
            EXPECT_EQ(f.modifierState(), 0);
        }
    }
}

}  // namespace
}  // namespace quorvel
