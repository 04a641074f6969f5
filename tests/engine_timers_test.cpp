#include <gtest/gtest.h>

#include <string>

#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;
namespace vk = testing::vk;

TEST(TimerMain, ForgetsTheModifierASecondAfterTheLastUnmatchedKey) {
    struct Case {
        int seconds;
        bool forgotten;
    };
    const Case cases[] = {{0, false}, {1, true}, {2, true}, {59, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        EngineFixture f;
        f.keyboard.typeText("A");
        ASSERT_EQ(f.modifierState(), 1);
        ASSERT_EQ(f.form.TimerMain.tag, f.nowStamp());
        f.clock.advanceSeconds(c.seconds);
        f.engine.TimerMain_Timer();
        EXPECT_EQ(f.modifierState(), c.forgotten ? 0 : 1);
        EXPECT_EQ(f.form.TimerMain.tag.empty(), c.forgotten);
        EXPECT_EQ(f.buffer(), "a");  // the letters are TimerClear's business
    }
}

TEST(TimerMain, EveryUnmatchedKeyPutsTheDeadlineOff) {
    EngineFixture f;
    f.keyboard.typeText("A");
    for (int i = 0; i < 3; ++i) {
        f.keyboard.typeText("b");
        f.engine.TimerMain_Timer();
        EXPECT_EQ(f.modifierState(), 1) << i;
        f.clock.advanceSeconds(1);
    }
    f.engine.TimerMain_Timer();
    EXPECT_EQ(f.modifierState(), 0);
}

TEST(TimerMain, WithoutStampNothingHappens) {
    EngineFixture f;
    f.mainData().ModifierState = 2;
    f.clock.advanceSeconds(100);
    f.engine.TimerMain_Timer();
    EXPECT_EQ(f.modifierState(), 2);
    EXPECT_EQ(f.form.TimerMain.tag, "");
}

TEST(TimerClear, ForgetsLettersAndModifierAfterAPause) {
    struct Case {
        const char* name;
        int seconds;
        bool cleared;
    };
    const Case cases[] = {
        {"same second", 0, false}, {"5 s", 5, false}, {"6 s", 6, true}, {"an hour", 3600, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.keyboard.typeText("Td");
        f.clock.advanceSeconds(c.seconds);
        f.engine.TimerClear_Timer();
        EXPECT_EQ(f.buffer(), c.cleared ? "" : "td");
        EXPECT_EQ(f.modifierState(), c.cleared ? 0 : 1);
    }
}

TEST(TimerClear, EveryTickOfAPauseRepeatsTheReset) {
    EngineFixture f;
    f.keyboard.typeText("td");
    f.clock.advanceSeconds(6);
    f.engine.TimerClear_Timer();
    EXPECT_EQ(f.buffer(), "");
    for (int tick = 0; tick < 3; ++tick) {
        f.form.Text5.setText("zz");
        f.mainData().ModifierState = 4;
        f.clock.advanceSeconds(1);
        f.engine.TimerClear_Timer();
        EXPECT_EQ(f.buffer(), "") << tick;
        EXPECT_EQ(f.modifierState(), 0) << tick;
    }
}

TEST(TimerClear, StampThatCannotBeReadCountsAsOld) {
    for (const char* stamp : {"", "garbage", "2026-12-05 15:04"}) {
        SCOPED_TRACE(stamp);
        EngineFixture f;
        f.form.Text5.setText("td");
        f.mainData().ModifierState = 1;
        f.form.TimerClear.tag = stamp;
        f.engine.TimerClear_Timer();
        EXPECT_EQ(f.buffer(), "");
        EXPECT_EQ(f.modifierState(), 0);
    }
}

TEST(EngineTimers, SlowTypingWithTicksBetweenKeysStillMatches) {
    EngineFixture f;
    f.addEntry(LaunchMode::Space, false, "Tdx", "Matched");
    for (const char c : std::string("Tdx")) {
        f.keyboard.typeText(std::string(1, c));
        for (int second = 0; second < 4; ++second) {
            f.clock.advanceSeconds(1);
            f.engine.TimerMain_Timer();
            f.engine.TimerClear_Timer();
            f.engine.TimerData_Timer();
        }
    }
    EXPECT_EQ(f.buffer(), "tdx");
    f.keyboard.tap(vk::Space);
    EXPECT_EQ(f.keyboard.targetText, "Matched");
}

}  // namespace
}  // namespace quorvel
