#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/utf8.h"
#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;
namespace vk = testing::vk;
using Notations = std::vector<std::string>;

const std::string Today = "Today is 12/5/2026 at 3:04:05 PM.";
const std::string Sample = "This is a sample \r\nI hope you like it";

// Sends one request with the given calibration number and returns the
// event-loop passes run before the text went out, counted from the erase when
// there was one.
struct PassesToText {
    Notations sent;
    int passes = 0;
};
PassesToText sendAndCount(const std::string& calibration, const std::string& trigger) {
    EngineFixture f;
    f.form.Text2.setText(calibration);
    f.engine.sender().enqueue({trigger, "Hello", false});
    f.pump.runUntilIdle();
    const auto& at = f.injector.passesAtSend;
    EXPECT_FALSE(at.empty());
    const int text = at.empty() ? 0 : at.back();
    return {f.notations(), at.size() >= 2 ? text - at[0] : text};
}

// Only a typed trigger is erased, and only then is there a calibration pause.
TEST(TextSender, CalibrationPauseAfterTheEraseOfATypedTrigger) {
    struct Case {
        const char* calibration;
        const char* trigger;
        int backspaces;  // none: nothing to erase and no pause
        int passes;
    };
    const Case cases[] = {
        {"5", "TD", 2, 5},          {"1", "TD", 2, 1},
        {"-3", "TD", 2, 0},         {"2.5", "TD", 2, 2},
        {"3.5", "TD", 2, 4},        {" 12 ", "TD", 2, 12},
        {"", "TD", 2, 500},         {"abc", "TD", 2, 500},
        {"7", "a b", 3, 7},         {"7", "żó😀", 3, 7},  // one per character
        {"7", "{F10}", 0, 0},       {"7", "{Shift}{F9}", 0, 0},
        {"7", "{Ctrl}{F9}", 0, 0},  {"7", "{CTRL}ab", 0, 0},
        {"7", "", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.calibration) + " " + c.trigger);
        std::string erase;
        for (int i = 0; i < c.backspaces; ++i) {
            erase += "{backspace}";
        }
        const auto result = sendAndCount(c.calibration, c.trigger);
        EXPECT_EQ(result.sent, (erase.empty() ? Notations{"Hello"} : Notations{erase, "Hello"}));
        EXPECT_EQ(result.passes - sendAndCount("0", c.trigger).passes, c.passes);
    }
}

TEST(TextSender, WaitFlags) {
    struct Case {
        bool force;
        bool boost;
        std::vector<Wait> waits;  // erase, text or paste, Enter
    };
    const Case cases[] = {
        {false, false, {Wait::No, Wait::No, Wait::No}},
        {true, false, {Wait::Yes, Wait::Yes, Wait::No}},
        {false, true, {Wait::No, Wait::Yes, Wait::No}},  // a paste always waits
        {true, true, {Wait::Yes, Wait::Yes, Wait::No}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.force ? "force" : "") + (c.boost ? " boost" : ""));
        EngineFixture f;
        f.form.MenuForce.checked = c.force;
        f.form.MenuBoost.checked = c.boost;
        f.addEntry(LaunchMode::Space, true, "td", "Hi");
        f.keyboard.typeText("td ");
        ASSERT_EQ(f.keyboard.sent.size(), 3u);
        EXPECT_EQ(f.keyboard.sent[1].notation, c.boost ? "^{v}" : "Hi");
        EXPECT_EQ(f.keyboard.sent[2].notation, "{enter}");
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(f.keyboard.sent[i].wait, c.waits[i]) << i;
        }
        EXPECT_EQ(f.keyboard.targetText, "Hi\r\n");
    }
}

TEST(TextSender, MacrosExpandAtSendingTime) {
    for (const bool boost : {false, true}) {
        SCOPED_TRACE(boost);
        EngineFixture f;
        f.form.MenuBoost.checked = boost;
        f.addEntry(LaunchMode::Space, false, "td", "Today is %(date)% at %(Time)%.");
        f.keyboard.typeText("td ");
        EXPECT_EQ(f.keyboard.targetText, Today);
        f.clock.set({2027, 1, 2, 0, 5, 9});
        f.keyboard.typeText("td ");
        EXPECT_EQ(f.keyboard.targetText, Today + "Today is 1/2/2027 at 12:05:09 AM.");
    }
}

TEST(TextSender, UnclosedMacroErasesTheTriggerAndDropsTheEnter) {
    EngineFixture f;
    f.addEntry(LaunchMode::Space, true, "bad", "Hi %(date");
    f.addEntry(LaunchMode::Space, false, "ok", "fine");
    f.keyboard.typeText("bad ");
    EXPECT_EQ(f.notations(), (Notations{"{backspace}{backspace}{backspace}"}));
    EXPECT_EQ(f.keyboard.targetText, "");
    EXPECT_EQ(f.form.Text147.tag, "");
    EXPECT_TRUE(f.form.TimerData.enabled);
    f.keyboard.typeText("ok ");
    EXPECT_EQ(f.notations(),
              (Notations{"{backspace}{backspace}{backspace}", "{backspace}{backspace}", "fine"}));
    EXPECT_EQ(f.keyboard.targetText, "fine");
}

TEST(TextSender, RunMacroStartsTheProgramAndTypesNothing) {
    EngineFixture f;
    f.addEntry(LaunchMode::Tab, true, "CU", "%(run=calc.exe)%");
    f.keyboard.typeText("cu\t");
    EXPECT_EQ(f.programs.started, std::vector<std::string>{"calc.exe"});
    EXPECT_EQ(f.notations(), Notations{"{backspace}{backspace}"});
    EXPECT_EQ(f.keyboard.targetText, "");
    EXPECT_TRUE(f.form.TimerData.enabled);
}

// A clipboard that cannot be opened ends the send after the erase, as any
// failure does; one that holds no text (a picture) gives empty text.
TEST(TextSender, ClipboardMacroNeedsAReadableClipboard) {
    for (const bool locked : {true, false}) {
        SCOPED_TRACE(locked ? "locked" : "a picture");
        EngineFixture f;
        f.addEntry(LaunchMode::Space, true, "cb", "a%(clipboard text)%b");
        f.clipboard.putFormat(8, {1, 2, 3});
        f.clipboard.locked = locked;
        f.keyboard.typeText("cb ");
        const Notations sent = locked ? Notations{"{backspace}{backspace}"}
                                      : Notations{"{backspace}{backspace}", "ab", "{enter}"};
        EXPECT_EQ(f.notations(), sent);
        EXPECT_EQ(f.form.Text147.tag, "");
    }
}

TEST(TextSender, LineBreaksTypedAsOneEnterEach) {
    EngineFixture f;
    f.addEntry(LaunchMode::Space, false, "ln", "line1\r\nline2\r\n\r\nline4");
    f.keyboard.typeText("ln ");
    EXPECT_EQ(f.notations()[1], "line1\rline2\r\rline4");
    EXPECT_EQ(f.keyboard.targetText, "line1\r\nline2\r\n\r\nline4");
    EXPECT_EQ(f.buffer(), "");
    EXPECT_TRUE(f.form.TimerData.enabled);
}

TEST(TextSender, NotationCharactersTypedAsKeysButPastedAsText) {
    struct Case {
        const char* text;
        const char* typed;  // what the keystroke path leaves in the application
    };
    const Case cases[] = {
        {"1+2", "1@"},      // Shift for the next key
        {"a^bc", "ac"},     // Ctrl+B types nothing
        {"x%yz", "xz"},     // Alt+Y types nothing
        {"a~b", "a\r\nb"},  // Enter
        {"{{}x{}}", "{x}"},
    };
    for (const Case& c : cases) {
        for (const bool boost : {false, true}) {
            SCOPED_TRACE(std::string(c.text) + (boost ? " boost" : ""));
            EngineFixture f;
            f.form.MenuBoost.checked = boost;
            f.addEntry(LaunchMode::Space, false, "nt", c.text);
            f.keyboard.typeText("nt ");
            EXPECT_EQ(f.keyboard.targetText, boost ? c.text : c.typed);
        }
    }
}

// Characters the keyboard lacks go as themselves, those beyond U+FFFF as a
// surrogate pair; none is split, dropped or typed twice.
TEST(TextSender, TenThousandCharactersOfEveryScriptArriveExactly) {
    const char32_t pool[] = {U'a',  U'Z', U'7', U' ', U'.', U'é', U'ż',          U'Ł',
                             U'ß',  U'€', U'¯', U'Ω', U'λ', U'Ж', U'ы',          U'日',
                             U'語', U'→', U'✓', U'😀', U'🚀', U'𐍈', U'\U0010FFFD', U'\U00010000'};
    std::string text;
    int beyondBmp = 0;
    for (std::size_t i = 0; i < 10000; ++i) {
        const char32_t c = pool[(i * 7 + i / 24) % std::size(pool)];
        utf8::append(text, c);
        beyondBmp += c > 0xFFFF ? 1 : 0;
    }
    ASSERT_EQ(utf8::length(text), 10000u);
    for (const bool boost : {false, true}) {
        SCOPED_TRACE(boost ? "boost" : "keys");
        EngineFixture f;
        f.form.MenuBoost.checked = boost;
        f.addEntry(LaunchMode::Space, false, "zz", text);
        f.keyboard.typeText("zz ");
        EXPECT_TRUE(f.keyboard.targetText == text);
        EXPECT_EQ(f.keyboard.surrogatePairs, boost ? 0 : beyondBmp);
    }
}

TEST(TextSender, BoostPastesAndGivesTheClipboardBackAtTheTimerTick) {
    EngineFixture f;
    f.form.MenuBoost.checked = true;
    f.addEntry(LaunchMode::Space, true, "sp", Sample);
    f.addEntry(LaunchMode::Space, false, "td", "Today");
    f.clipboard.setText("the user's text");
    f.clipboard.putFormat(8, {1, 2, 3, 0, 255});  // a picture, say
    const ClipboardSnapshot former = f.clipboard.contents();

    f.keyboard.typeText("sp ");
    EXPECT_EQ(f.notations(), (Notations{"{backspace}{backspace}", "^{v}", "{enter}"}));
    EXPECT_EQ(f.keyboard.sent[1].wait, Wait::Yes) << "the paste waits for the target";
    EXPECT_EQ(f.keyboard.targetText, Sample + "\r\n");  // CR LF pasted intact
    // The target may read the clipboard late: the text stays until the tick.
    EXPECT_EQ(f.clipboard.getText(), Sample);
    EXPECT_TRUE(f.form.TimerData.enabled);

    // A second paste before the tick must not save the first paste's text as the user's.
    f.keyboard.typeText("td ");
    EXPECT_EQ(f.keyboard.targetText, Sample + "\r\nToday");

    f.engine.TimerData_Timer();
    EXPECT_EQ(f.clipboard.contents(), former);
    EXPECT_FALSE(f.form.TimerData.enabled);
    EXPECT_FALSE(f.mainData().SavedClipboard.has_value());

    // Only once: the next tick leaves the clipboard alone.
    f.clipboard.setText("copied later");
    const int laterWrites = f.clipboard.writes;
    f.engine.TimerData_Timer();
    EXPECT_EQ(f.clipboard.getText(), "copied later");
    EXPECT_EQ(f.clipboard.writes, laterWrites);
}

TEST(TextSender, BoostWithEmptyClipboardLeavesItEmpty) {
    EngineFixture f;
    f.form.MenuBoost.checked = true;
    f.addEntry(LaunchMode::Space, false, "sp", Sample);
    f.keyboard.typeText("sp ");
    EXPECT_EQ(f.keyboard.targetText, Sample);
    f.engine.TimerData_Timer();
    EXPECT_TRUE(f.clipboard.contents().formats.empty());
}

TEST(TextSender, BoostWithTheClipboardLocked) {
    EngineFixture f;
    f.form.MenuBoost.checked = true;
    f.addEntry(LaunchMode::Space, true, "sp", Sample);
    f.clipboard.setText("mine");
    f.clipboard.locked = true;
    f.keyboard.typeText("sp ");
    EXPECT_EQ(f.notations(), Notations{"{backspace}{backspace}"});
    EXPECT_EQ(f.keyboard.targetText, "");
    EXPECT_TRUE(f.form.TimerData.enabled);
    f.clipboard.locked = false;
    f.engine.TimerData_Timer();
    EXPECT_EQ(f.clipboard.getText(), "mine");
}

TEST(TextSender, FailedInjectionEndsTheSendWithoutEnter) {
    struct Case {
        const char* name;
        const char* text;
        bool blockFromStart;
        bool blockAfterErase;
        Notations sent;
    };
    const Case cases[] = {
        {"notation rejected", "{foo}", false, false, {"{backspace}{backspace}", "{foo}"}},
        {"blocked from the start", "Hi", true, false, {"{backspace}{backspace}"}},
        {"blocked after the erase", "Hi", false, true, {"{backspace}{backspace}", "Hi"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.form.Text2.setText("2");
        f.addEntry(LaunchMode::Space, true, "fo", c.text);
        f.keyboard.typeText("fo");
        f.keyboard.blockInjection = c.blockFromStart;
        if (c.blockAfterErase) {
            f.injector.afterSend = [&f](std::string_view) { f.keyboard.blockInjection = true; };
        }
        f.keyboard.tap(vk::Space);
        EXPECT_EQ(f.notations(), c.sent);
        EXPECT_EQ(f.form.Text147.tag, "");
        EXPECT_TRUE(f.form.TimerData.enabled);
        // The next send presses no Enter left over from this one.
        f.injector.afterSend = nullptr;
        f.keyboard.blockInjection = false;
        f.addEntry(LaunchMode::Space, false, "ok", "fine");
        f.keyboard.typeText("ok ");
        EXPECT_EQ(f.notations().back(), "fine");
    }
}

TEST(TextSender, SendRunsAfterTheHookHasReturned) {
    EngineFixture f;
    f.addEntry(LaunchMode::Space, false, "td", "Today");
    f.keyboard.typeText("td");
    EXPECT_EQ(f.hookEvent(vk::Space, 0), 1);
    EXPECT_TRUE(f.keyboard.sent.empty());
    EXPECT_TRUE(f.engine.sender().busy());
    f.pump.runUntilIdle();
    EXPECT_EQ(f.notations(), (Notations{"{backspace}{backspace}", "Today"}));
    EXPECT_EQ(f.keyboard.targetText, "Today");
    EXPECT_FALSE(f.engine.sender().busy());
}

// A launching key that is part of the trigger (".", with Shift recorded by the
// capital) is swallowed: only the letters before it are in the application.
TEST(TextSender, ErasesOnlyTheTriggerCharactersThatReachedTheApplication) {
    struct Case {
        const char* typed;
        Notations sent;
    };
    const Case cases[] = {
        {"ab Td.", {"{backspace}{backspace}", "Hello"}},
        {"ab td. ", {"{backspace}{backspace}{backspace}", "Hello"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EngineFixture f;
        f.addEntry(LaunchMode::Space, false, "td.", "Hello");
        f.keyboard.typeText(c.typed);
        EXPECT_EQ(f.notations(), c.sent);
        EXPECT_EQ(f.keyboard.targetText, "ab Hello");
    }
}
}  // namespace
}  // namespace quorvel
