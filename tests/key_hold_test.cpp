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
            f.keys("{clock 2}{tick}");
            ASSERT_EQ(f.modifierState(), 0);
            f.keys("{F9}");
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
    struct Case {
        const char* name;
        std::string typed;  // in the pause after the erase
        std::vector<std::string> shown;
        std::string target;  // the text last when the keys were held to its end
        const char* calibration = "3";
        bool slowPause = false;  // a second of the clock and a tick at each of its passes
    };
    const std::string events(1000, 'a');  // 2,000 events
    std::string ownKeys = "a";
    for (int step = 0; step < 4; ++step) {
        ownKeys += "{clock 6}{ours LShift}{tick}";
    }
    const Case cases[] = {
        {"2,000 events",
         events + "b{shown} kw {shown}",
         {events + "b", events + "b kw "},
         events + "b kw " + Kilowatt},
        {"ten seconds, then a key",
         "a{clock 10}b{shown} kw {shown}",
         {"ab", "ab kw "},
         "ab kw " + Kilowatt},
        {"ten seconds, then a timer tick",
         "a{clock 10}{tick}{shown}b kw {shown}",
         {"a", "ab kw "},
         "ab kw " + Kilowatt},
        {"the send's own keys going in", ownKeys, {}, Kilowatt + "a"},
        {"a slow pause after the erase", "a", {}, Kilowatt + "a", "30", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.form.calibrationBox.setText(c.calibration);
        f.addEntry(LaunchMode::Space, false, "kw", "kilowatt hour");
        f.afterSendOf(Erase2, [&] {
            f.pump.atDoEvents(1, [&] { f.keys(c.typed); });
            for (int pass = 2; c.slowPause && pass <= 30; ++pass) {
                f.pump.atDoEvents(pass, [&] { f.keys("{clock 1}{tick}"); });
            }
        });
        f.keys("kw ");
        EXPECT_EQ(f.shown, c.shown);
        EXPECT_EQ(f.keyboard.targetText, c.target);
        // The next send is as any other.
        f.keys(" kw ");
        EXPECT_EQ(f.keyboard.targetText, c.target + " " + Kilowatt);
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
        const char* keys;
        std::string typed;
    };
    const Case cases[] = {
        {"a timer tick", "{tick}a", "a"},
        // That key passes first: held, it could be refused as well.
        {"the user's next key", "ba", "Ba"},
        {"Shift pressed again first", "{+LShift}{tick}a{-LShift}", "A"},
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

        f.keys(c.keys);
        EXPECT_EQ(f.keyboard.targetText, c.typed);
        EXPECT_EQ(f.keyboard.GetAsyncKeyState(vk::LShift) & 0x8000, 0);
    }
}

}  // namespace
}  // namespace quorvel
