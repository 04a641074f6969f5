#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;

// Without a stamp modifierTimer does nothing; a stamp that does not read back
// counts as old. The letters are pauseTimer's business.
TEST(modifierTimer, ForgetsTheModifierASecondAfterTheLastUnmatchedKey) {
    struct Case {
        const char* name;
        std::optional<std::string> stamp;  // none: the one the typed key left
        int seconds;
        bool forgotten;
    };
    const Case cases[] = {
        {"same second", std::nullopt, 0, false},
        {"a second later", std::nullopt, 1, true},
        {"no stamp", "", 100, false},
        {"a stamp that does not read", "garbage", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.keyboard.typeText("A");
        ASSERT_EQ(f.modifierState(), 1);
        ASSERT_EQ(f.form.modifierTimer.tag, f.nowStamp());
        if (c.stamp) {
            f.form.modifierTimer.tag = *c.stamp;
        }
        f.clock.advanceSeconds(c.seconds);
        f.engine.modifierTimerTick();
        EXPECT_EQ(f.modifierState(), c.forgotten ? 0 : 1);
        EXPECT_EQ(f.form.modifierTimer.tag.empty(), c.forgotten || c.stamp == "");
        EXPECT_EQ(f.buffer(), "a");
    }
}

// More than five seconds between the last key and a tick, either way (the
// clock may be set back), and every tick of the pause clears again.
TEST(pauseTimer, ForgetsLettersAndModifierAfterAPause) {
    struct Case {
        const char* name;
        std::optional<std::string> stamp;  // none: the one the typed keys left
        int seconds;
        bool cleared;
    };
    const Case cases[] = {
        {"same second", std::nullopt, 0, false},
        {"5 s", std::nullopt, 5, false},
        {"6 s", std::nullopt, 6, true},
        {"clock set back an hour", std::nullopt, -3600, true},
        {"no stamp", "", 0, true},
        {"a stamp that does not read", "2026-12-05 15:04", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.keyboard.typeText("Td");
        if (c.stamp) {
            f.form.pauseTimer.tag = *c.stamp;
        }
        f.clock.advanceSeconds(c.seconds);
        f.engine.pauseTimerTick();
        EXPECT_EQ(f.buffer(), c.cleared ? "" : "td");
        EXPECT_EQ(f.modifierState(), c.cleared ? 0 : 1);
        if (c.cleared) {
            f.form.typedKeys.setText("zz");
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
