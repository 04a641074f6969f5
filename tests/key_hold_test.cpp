#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;

const std::string Kilowatt = "kilowatt hour";
const std::string Erase2 = "{BACKSPACE}{BACKSPACE}";

// Keys typed at any point of a send arrive after it, in order, with the text
// whole. They are replayed through the matcher: a trigger among them fires after
// the send, and the keys behind it wait for its text.
TEST(KeyHold, KeysTypedDuringASendArriveAfterIt) {
    enum class When { BeforeTheSendStarts, BetweenStrokes, InThePause, After };
    struct Case {
        const char* name;
        std::string expected;
        When when = When::InThePause;
        std::size_t stroke = 0;  // of the erase or the text, the typing comes before
        std::string after = "";  // the keys of the send the typing follows
        bool boost = false, enter = false;
        const char* text = "kilowatt hour";
        std::vector<const char*> typed = {"Ab\r"};  // at the first, second... point
    };
    const std::string ab = Kilowatt + "Ab\r\n";
    const std::string withEnter = Kilowatt + "\r\nAb\r\n";
    const std::string fullName = "Full Name\r\n777 Street Name\r\nCity Name, CA 90210";
    const std::string shifted =
        "This is a sample  of Shift\xC2\xAF"
        "F9 \r\nI hope you like it";
    const Case cases[] = {
        {"before the send starts", ab, When::BeforeTheSendStarts},
        {"inside the erase", ab, When::BetweenStrokes, 1},
        {"in the calibration pause", ab},
        {"inside the text", ab, When::BetweenStrokes, 5},
        {"after the text", withEnter, When::After, 0, Kilowatt, false, true},
        {"before a run macro", "Ab\r\n", When::After, 0, Erase2, false, true, "%(run=calc.exe)%"},
        {"before a text that fails", "Ab\r\n", When::After, 0, Erase2, false, true, "{foo}"},
        {"with Boost, after the paste", withEnter, When::After, 0, "^(v)", true, true},
        {.name = "the same trigger, with Boost",
         .expected = Kilowatt + Kilowatt,
         .boost = true,
         .typed = {"kw "}},
        {.name = "a trigger and more, and keys during its own send",
         .expected = Kilowatt + Kilowatt + "xyz",
         .typed = {"kw xy", "z"}},
        {.name = "another program's trigger: held, but it fires nothing",
         .expected = Kilowatt + "kw ",
         .typed = {"{theirs K}{theirs W}{theirs Space}"}},
        // The text's own capitals are typed with Shift; the F9 was typed without.
        {.name = "F9 during a text with capitals",
         .expected = "Kilowatt Hour" + fullName,
         .text = "Kilowatt Hour",
         .typed = {"{F9}"}},
        {.name = "Shift+F9", .expected = Kilowatt + shifted, .typed = {"{+LShift}{F9}{-LShift}"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.addSamples();
        f.form.calibrationBox.setText("3");
        f.form.boostItem.checked = c.boost;
        f.addEntry(LaunchMode::Space, c.enter, "kw", c.text);
        std::size_t typed = 0;
        auto typeNext = [&] {
            if (typed < c.typed.size()) {
                f.keys(c.typed[typed++]);
            }
        };
        switch (c.when) {
            case When::BetweenStrokes:
                f.keyboard.betweenStrokes = [&](std::size_t stroke) {
                    if (stroke == c.stroke) {
                        typeNext();
                    }
                };
                break;
            case When::InThePause:
                f.keyboard.afterSend = [&](std::string_view keys) {
                    if (keys == Erase2) {
                        f.pump.atDoEvents(1, typeNext);
                    }
                };
                break;
            case When::After:
                f.afterSendOf(c.after, typeNext);
                break;
            case When::BeforeTheSendStarts:
                break;
        }
        f.keyboard.typeText("kw");
        if (c.when == When::BeforeTheSendStarts) {
            // The send runs after the hook has returned.
            EXPECT_EQ(f.hookEvent(vk::Space, 0), 1);
            EXPECT_TRUE(f.keyboard.sent.empty());
            EXPECT_TRUE(f.engine.sender().busy());
            typeNext();
        } else {
            f.keyboard.tap(vk::Space);
        }
        EXPECT_EQ(typed, c.typed.size());
        EXPECT_FALSE(f.engine.sender().busy());
        EXPECT_EQ(f.keyboard.targetText, c.expected);
        // Nothing stays held: the next key goes straight through.
        f.keyboard.typeText("z");
        EXPECT_EQ(f.keyboard.targetText, c.expected + "z");
    }
}

// The send lets go of the modifiers the user holds, so that they do not change
// its text; those still held when it ends are pressed again, and those let go
// meanwhile only released, in their turn. The trigger's key is swallowed, so with
// Alt or a Windows key down the target sees that key go down and nothing after
// it: its release, by the send or by the user, would be a lone tap and open the
// target's menu bar or the Start menu, which would then take the keys typed next.
TEST(KeyHold, ModifiersHeldOverATriggerAreGivenBack) {
    enum class LetGo { DuringTheSend, AfterTheSend, BeforeTheSendStarts, Never };
    struct Case {
        const char* name;
        int modifier, functionKey;
        LetGo letGo;
        std::string text;
    };
    const std::string ctrlSample =
        "This is a sample of Ctrl\xC2\xAF"
        "F9 \r\nI hope you like it";
    const std::string altSample =
        "This is a sample  of Alt\xC2\xAF"
        "F9\r\nI hope you like it";
    const std::string f9Sample = "Full Name\r\n777 Street Name\r\nCity Name, CA 90210";
    const Case cases[] = {
        {"Ctrl+F9, Ctrl let go during the send", vk::LCtrl, vk::F9, LetGo::DuringTheSend,
         ctrlSample},
        {"Ctrl+F9, Ctrl held throughout", vk::LCtrl, vk::F9, LetGo::Never, ctrlSample},
        {"Alt+F9, Alt let go during the send", vk::LAlt, vk::F9, LetGo::DuringTheSend, altSample},
        {"Alt+F9, Alt held past the send", vk::LAlt, vk::F9, LetGo::AfterTheSend, altSample},
        {"Alt+F8 starting a program", vk::LAlt, vk::F9 - 1, LetGo::BeforeTheSendStarts, ""},
        {"the Windows key held over F9", vk::LWin, vk::F9, LetGo::AfterTheSend, f9Sample},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.addSamples();
        f.addEntry(LaunchMode::FunctionKey, false, "{Alt}{F8}", "%(run=calc.exe)%");
        f.keyboard.betweenStrokes = [&](std::size_t stroke) {
            if (c.letGo == LetGo::DuringTheSend && stroke == 3) {
                f.keyboard.release(c.modifier);
            }
        };
        f.keyboard.press(c.modifier);
        if (c.letGo == LetGo::BeforeTheSendStarts) {
            EXPECT_EQ(f.hookEvent(c.functionKey, 0), 1);
            f.keyboard.release(c.modifier);
        } else {
            f.keyboard.tap(c.functionKey);
            std::vector<bool> givenBack;  // the modifier's events replayed: released
            for (const HeldKey& key : f.keyboard.replayed) {
                if (key.virtualKey == c.modifier) {
                    givenBack.push_back(key.released);
                }
            }
            EXPECT_EQ(givenBack, std::vector{c.letGo == LetGo::DuringTheSend});
        }
        if (c.letGo == LetGo::Never) {
            // Once the recorded modifier is forgotten, the key state alone tells.
            f.clock.advanceSeconds(2);
            f.engine.modifierTimerTick();
            ASSERT_EQ(f.modifierState(), 0);
            f.keyboard.tap(vk::F9);
            EXPECT_EQ(f.keyboard.targetText, c.text + c.text);
            continue;
        }
        if (c.letGo == LetGo::AfterTheSend) {
            f.keyboard.release(c.modifier);
        }
        f.keyboard.typeText("fix it");
        EXPECT_EQ(f.keyboard.targetText, c.text + "fix it");
        EXPECT_EQ(f.keyboard.menusOpened, 0);
    }
}

// A send that never ends must not hang the keyboard: past 2,000 held events or
// ten seconds, the held keys go out at once and later ones pass straight, firing
// nothing, until the send ends. The ten seconds count from the send's last sign
// of life: one of its own keys reaching the system, or a pass of its pause after
// the erase. On a slow machine either may go on well past ten seconds, and the
// keys typed meanwhile must still land after the text.
TEST(KeyHold, PastABoundHeldKeysGoOutAtOnce) {
    enum class During { Events, TimeThenAKey, TimeThenATick, OwnKeys, SlowPause };
    struct Case {
        const char* name;
        During during;
        std::string heldBefore;  // gone out at once, the bound passed; none: held to the end
        const char* calibration = "3";
    };
    const Case cases[] = {
        {"2,000 events", During::Events, std::string(1000, 'a') + "b"},
        {"ten seconds, then a key", During::TimeThenAKey, "ab"},
        {"ten seconds, then a timer tick", During::TimeThenATick, "ab"},
        {"the send's own keys going in", During::OwnKeys, ""},
        {"a slow pause after the erase", During::SlowPause, "", "30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.form.calibrationBox.setText(c.calibration);
        f.addEntry(LaunchMode::Space, false, "kw", "kilowatt hour");
        f.afterSendOf(Erase2, [&] {
            f.pump.atDoEvents(1, [&] {
                f.keyboard.typeText(c.during == During::Events ? std::string(1000, 'a') : "a");
                for (int step = 0; c.during == During::OwnKeys && step < 4; ++step) {
                    f.clock.advanceSeconds(6);
                    f.keyboard.injectOwn(vk::LShift, false);
                    f.keyboard.injectOwn(vk::LShift, true);
                    f.engine.modifierTimerTick();
                }
                if (c.during == During::TimeThenAKey || c.during == During::TimeThenATick) {
                    f.clock.advanceSeconds(10);
                }
                if (c.during == During::TimeThenATick) {
                    f.engine.modifierTimerTick();
                    EXPECT_EQ(f.keyboard.targetText, "a");
                }
                if (!c.heldBefore.empty()) {
                    f.keyboard.typeText("b");
                    EXPECT_EQ(f.keyboard.targetText, c.heldBefore);
                    f.keyboard.typeText(" kw ");
                    EXPECT_EQ(f.keyboard.targetText, c.heldBefore + " kw ");
                }
            });
            for (int pass = 2; c.during == During::SlowPause && pass <= 30; ++pass) {
                f.pump.atDoEvents(pass, [&] {
                    f.clock.advanceSeconds(1);
                    f.engine.modifierTimerTick();
                });
            }
        });
        f.keyboard.typeText("kw ");
        if (c.heldBefore.empty()) {
            EXPECT_EQ(f.keyboard.targetText, Kilowatt + "a");
            continue;
        }
        EXPECT_EQ(f.keyboard.targetText, c.heldBefore + " kw " + Kilowatt);
        // The next send holds again.
        f.keyboard.typeText(" kw ");
        EXPECT_EQ(f.keyboard.targetText, c.heldBefore + " kw " + Kilowatt + " " + Kilowatt);
    }
}

// A replay the platform takes only in part is tried once more with the rest;
// what it refuses again (the focus has gone to a window closed to our input)
// cannot be typed, and must not block the keys typed after. The release of a key
// whose press went in is kept, and goes in after the user's next key (the release
// of the Space).
TEST(KeyHold, AReplayTakenInPartIsRetriedOnce) {
    struct Case {
        const char* name;
        std::vector<std::size_t> takes;
        std::string arrived;
        std::uint64_t refused;
        std::size_t calls;
    };
    const Case cases[] = {
        {"taken in part, then the rest", {1}, "ab", 0, 2},
        {"taken in part twice", {1, 0}, "a", 2, 3},
        {"refused twice", {0, 0}, "", 4, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.addEntry(LaunchMode::Space, false, "kw", "kilowatt hour");
        f.afterSendOf(Kilowatt, [&] {
            f.keyboard.typeText("ab");
            f.keyboard.replayTakes.assign(c.takes.begin(), c.takes.end());
        });
        f.keyboard.typeText("kw ");
        EXPECT_EQ(f.keyboard.targetText, Kilowatt + c.arrived);
        EXPECT_EQ(f.keyboard.replayCalls, c.calls);
        EXPECT_EQ(f.mainData().keyHold().eventsRefused(), c.refused);
        f.keyboard.typeText("c");
        EXPECT_EQ(f.keyboard.targetText, Kilowatt + c.arrived + "c");
        EXPECT_EQ(f.keyboard.GetAsyncKeyState('A') & 0x8000, 0) << "left down for the system";
    }
}

// When the platform refuses every injection of a send (the input desktop has
// changed, the focus is in a window closed to our input), a Shift the user let
// go meanwhile must not stay down for the system: its release goes in at the next
// chance, unless the user has pressed Shift again by then.
TEST(KeyHold, ARefusedReleaseGoesInAtTheNextChance) {
    struct Case {
        const char* name;
        const char* before;  // the tick, if any
        bool tick;
        const char* after;
        std::string typed;
    };
    const Case cases[] = {
        {"a timer tick", "", true, "a", "a"},
        // That key passes first: held, it could be refused as well.
        {"the user's next key", "", false, "ba", "Ba"},
        {"Shift pressed again first", "{+LShift}", true, "a{-LShift}", "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.addSamples();
        f.keyboard.press(vk::LShift);
        f.keyboard.blockInjection = true;
        f.keyboard.afterSend = [&f](std::string_view) {
            f.keyboard.afterSend = nullptr;
            f.keyboard.release(vk::LShift);
        };
        f.keyboard.tap(vk::F9);
        ASSERT_EQ(f.keyboard.sent.size(), 1u);
        f.keyboard.blockInjection = false;
        EXPECT_NE(f.keyboard.GetAsyncKeyState(vk::LShift) & 0x8000, 0);

        f.keys(c.before);
        if (c.tick) {
            f.engine.modifierTimerTick();
        }
        f.keys(c.after);
        EXPECT_EQ(f.keyboard.targetText, c.typed);
        EXPECT_EQ(f.keyboard.GetAsyncKeyState(vk::LShift) & 0x8000, 0);
    }
}

}  // namespace
}  // namespace quorvel
