#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/date_stamp.h"
#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;

// Which events bring a key to the matcher: key-downs with or without Alt and
// releases of extended keys, never an injected event or a plain release; and only
// the key codes the matcher knows. Every event is stamped, unless its hook code
// is not 0: that one passes untouched.
TEST(KeyboardHook, EventsThatReachTheMatcher) {
    struct Case {
        int code;
        std::uint32_t flags;
        bool reaches;
        int hookCode = 0;
    };
    const Case cases[] = {
        {'D', 0x00, true},         {'D', 0x20, true},   {'D', 0x81, true},  {'D', 0x01, false},
        {'D', 0x80, false},        {'D', 0x10, false},  {'D', 0x11, false}, {'D', 0x30, false},
        {'D', 0x90, false},        {'D', 0x91, false},  {'D', 0xA0, false}, {'D', 0xA1, false},
        {vk::Backspace, 0, false}, {9, 0, true},        {198, 0, true},     {199, 0, false},
        {219, 0, false},           {221, 0, false},     {255, 0, false},    {186, 0, true},
        {'A', 0, false, 1},        {'A', 0, false, -1}, {'A', 0, false, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + " flags " + std::to_string(c.flags) + " hook code " +
                     std::to_string(c.hookCode));
        EngineFixture f;
        f.keyboard.press(vk::LCtrl);
        f.mainData().ModifierState = 0;
        f.form.lastKey = "unchanged";
        const DateTime before{2000, 1, 1};
        f.form.lastKeyTime = before;
        EXPECT_EQ(f.hookEvent(static_cast<std::uint32_t>(c.code), c.flags, c.hookCode), 0);
        EXPECT_EQ(f.form.lastKey != "unchanged", c.reaches);
        EXPECT_EQ(f.form.lastKeyTime, c.hookCode == 0 ? f.clock.now() : before);
        if (c.hookCode != 0) {
            EXPECT_EQ(f.modifierState(), 0);  // the modifier test did not run
        }
    }
}

// Another program's modifiers count as the user's, though its keys never reach
// the matcher (the injected rows above).
TEST(KeyboardHook, InjectedEventsRecordModifiers) {
    EngineFixture f;
    f.keyboard.press(vk::LCtrl);
    f.keyboard.injectForeign(vk::Space, false);
    f.keyboard.injectForeign(vk::Space, true);
    EXPECT_EQ(f.modifierState(), 2);  // the modifier test ran
    f.keyboard.injectForeign(vk::LShift, false);
    f.keyboard.injectForeign(vk::LShift, true);
    EXPECT_EQ(f.modifierState(), 1);
}

// The right-hand pair is recorded on the right Shift's event with flags 0x81; the
// other combinations are matched against a trigger in the shortcut matcher tests.
TEST(KeyboardHook, RightCtrlShiftPair) {
    EngineFixture f;
    f.keyboard.press(vk::RCtrl);
    f.hookEvent(vk::RShift, 0x81);
    EXPECT_EQ(f.modifierState(), 3);
}

// Under Wine the user's keys can fall between the events of one send: the
// release of F9 lands while the send holds Shift for the capital of its text. The
// next F9 must still be plain F9, not Shift+F9.
// The key state can also lag a few events behind the hook, so the release may
// come after our Shift's release and still read Shift down.
TEST(KeyboardHook, ModifiersHeldByOurSendAreNotTheUsers) {
    struct Case {
        const char* name;
        int ownModifier, userKey;
        bool releasedAfterSend;  // else between our modifier's press and release
        std::size_t keyStateLag;
    };
    const Case cases[] = {
        {"left shift, F9 released inside", vk::LShift, vk::F9, false, 0},
        {"left shift, space released inside", vk::LShift, vk::Space, false, 0},
        {"left ctrl, letter released inside", vk::LCtrl, 'K', false, 0},
        {"left alt, F9 released inside", vk::LAlt, vk::F9, false, 0},
        {"left shift, F9 released inside, state lagging", vk::LShift, vk::F9, false, 2},
        {"left shift, F9 released after, state lagging", vk::LShift, vk::F9, true, 1},
        {"left ctrl, F9 released after, state lagging", vk::LCtrl, vk::F9, true, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.addEntry(LaunchMode::FunctionKey, false, "{F9}", "plain");
        f.keyboard.keyStateLag = c.keyStateLag;
        f.keyboard.press(c.userKey);
        f.keyboard.injectOwn(c.ownModifier, false);
        if (!c.releasedAfterSend) {
            f.keyboard.release(c.userKey);
        }
        f.keyboard.injectOwn('F', false);
        f.keyboard.injectOwn('F', true);
        f.keyboard.injectOwn(c.ownModifier, true);
        if (c.releasedAfterSend) {
            f.keyboard.release(c.userKey);
        }
        EXPECT_EQ(f.modifierState(), 0);
        // Whatever the lag, the state catches up before the user types on.
        for (std::size_t i = 0; i < c.keyStateLag; ++i) {
            f.keyboard.injectOwn(vk::Space, false);
            f.keyboard.injectOwn(vk::Space, true);
        }

        f.keyboard.sent.clear();
        EXPECT_TRUE(f.keyboard.tap(vk::F9));
        EXPECT_EQ(f.sentKeys(), std::vector<std::string>{"plain"});
    }
}

// What the user holds still counts, whether pressed before, during or after a
// send, and a release of ours that the hook missed hides nothing for good. The
// hook is installed and removed once, however often asked.
TEST(KeyboardHook, UsersModifiersCountAroundOurSends) {
    for (const bool ourReleaseFirst : {false, true}) {
        SCOPED_TRACE(ourReleaseFirst ? "user presses Shift after the send"
                                     : "user presses Shift while the send holds it");
        EngineFixture f;
        f.keyboard.injectOwn(vk::LShift, false);
        if (ourReleaseFirst) {
            f.keyboard.injectOwn(vk::LShift, true);
        }
        f.keyboard.press(vk::LShift);
        f.keyboard.press(vk::F9);
        EXPECT_EQ(f.modifierState(), 1);
        EXPECT_EQ(f.buffer(), "{shift}{f9}");
    }
    {
        SCOPED_TRACE("our release went by while the hook was away");
        EngineFixture f;  // installed once already: installing again changes nothing
        const auto handle = f.mainData().hookHandle;
        EXPECT_EQ(f.mainData().InstallKeyHook(), 1);
        EXPECT_EQ(f.mainData().hookHandle, handle);
        f.keyboard.injectOwn(vk::LCtrl, false);
        EXPECT_EQ(f.mainData().RemoveKeyHook(), 1);
        EXPECT_EQ(f.mainData().RemoveKeyHook(), 0);
        f.keyboard.injectOwn(vk::LCtrl, true);
        f.keyboard.typeText("b");  // unseen
        f.mainData().InstallKeyHook();
        f.keyboard.typeText("a");  // reads Ctrl up
        EXPECT_EQ(f.buffer(), "a");
        // The user's Ctrl goes down while the hook is away too: only the key
        // state tells it is held.
        f.mainData().RemoveKeyHook();
        f.keyboard.press(vk::LCtrl);
        f.mainData().InstallKeyHook();
        f.keyboard.press(vk::F9);
        EXPECT_EQ(f.modifierState(), 2);
        EXPECT_EQ(f.buffer(), "{ctrl}{f9}");
    }
}

// After a lock or sleep the typed keys are forgotten, and the recorded modifier
// follows the keys held now, whatever the hook saw (a release while the session
// was locked never reaches it).
TEST(KeyboardHook, ResetFromKeyStateAfterABreak) {
    struct Case {
        int recorded;     // held, with the hook seeing the press; 0 for none
        int heldAtReset;  // still held at the reset; 0 for none
        std::int16_t state;
    };
    const Case cases[] = {{vk::LCtrl, 0, 0},
                          {vk::LCtrl, vk::LCtrl, 2},
                          {0, vk::RShift, 1},
                          {vk::LAlt, vk::LShift, 1},
                          {0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.recorded) + " " + std::to_string(c.heldAtReset));
        EngineFixture f;
        f.addEntry(LaunchMode::Space, false, "zq", "expanded");
        f.keyboard.typeText("z");
        if (c.recorded != 0) {
            f.keyboard.press(c.recorded);
        }
        f.mainData().RemoveKeyHook();
        if (c.recorded != 0 && c.recorded != c.heldAtReset) {
            f.keyboard.release(c.recorded);
        }
        if (c.heldAtReset != 0 && c.heldAtReset != c.recorded) {
            f.keyboard.press(c.heldAtReset);
        }
        f.mainData().InstallKeyHook();
        f.mainData().resetFromKeyState();
        EXPECT_EQ(f.buffer(), "") << "no trigger spans the break";
        EXPECT_EQ(f.modifierState(), c.state);
        if (c.heldAtReset != 0) {
            f.keyboard.release(c.heldAtReset);
        }
    }
}

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

TEST(DateStamp, SecondsBetween) {
    const DateTime a{2026, 12, 31, 23, 59, 59};
    const DateTime b{2027, 1, 1, 0, 0, 4};
    EXPECT_EQ(secondsBetween(a, b), 5);
    EXPECT_EQ(secondsBetween(b, a), -5);
    EXPECT_EQ(secondsBetween(a, a), 0);
    EXPECT_EQ(secondsBetween({2028, 2, 28, 0, 0, 0}, {2028, 3, 1, 0, 0, 0}), 2 * 86400);
}

}  // namespace
}  // namespace quorvel
