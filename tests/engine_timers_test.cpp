#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;

// Without an unmatched key modifierTimer does nothing. The letters are
// pauseTimer's business.
TEST(ModifierTimer, ForgetsTheModifierASecondAfterTheLastUnmatchedKey) {
    struct Case {
        const char* name;
        bool noKeyTime;  // the time the typed key left is forgotten
        int seconds;
        bool forgotten;
    };
    const Case cases[] = {
        {"same second", false, 0, false},
        {"a second later", false, 1, true},
        {"no key time", true, 100, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.keyboard.typeText("A");
        ASSERT_EQ(f.modifierState(), 1);
        ASSERT_EQ(f.form.lastUnmatchedKeyTime, f.clock.now());
        if (c.noKeyTime) {
            f.form.lastUnmatchedKeyTime.reset();
        }
        f.clock.advanceSeconds(c.seconds);
        f.engine.modifierTimerTick();
        EXPECT_EQ(f.modifierState(), c.forgotten ? 0 : 1);
        EXPECT_EQ(f.form.lastUnmatchedKeyTime.has_value(), !c.forgotten && !c.noKeyTime);
        EXPECT_EQ(f.buffer(), "a");
    }
}

// More than five seconds between the last key and a tick, either way (the
// clock may be set back), and every tick of the pause clears again.
TEST(PauseTimer, ForgetsLettersAndModifierAfterAPause) {
    struct Case {
        const char* name;
        bool noKeyTime;  // the time the typed keys left is forgotten
        int seconds;
        bool cleared;
    };
    const Case cases[] = {
        {"same second", false, 0, false},
        {"5 s", false, 5, false},
        {"6 s", false, 6, true},
        {"clock set back 5 s", false, -5, false},
        {"clock set back an hour", false, -3600, true},
        {"no key time", true, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.keyboard.typeText("Td");
        if (c.noKeyTime) {
            f.form.lastKeyTime.reset();
        }
        f.clock.advanceSeconds(c.seconds);
        f.engine.pauseTimerTick();
        EXPECT_EQ(f.buffer(), c.cleared ? "" : "td");
        EXPECT_EQ(f.modifierState(), c.cleared ? 0 : 1);
        if (c.cleared) {
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
