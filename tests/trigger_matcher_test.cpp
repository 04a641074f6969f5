#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/key_names.h"
#include "engine/trigger_matcher.h"
#include "platform/calendar.h"
#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;

const LaunchMode AllModes[] = {LaunchMode::None, LaunchMode::Space, LaunchMode::Tab,
                               LaunchMode::Esc, LaunchMode::FunctionKey};

// Each launch key against an entry of each mode, with a modifier recorded (the
// capital T) so that Enter scans too.
TEST(TriggerMatcher, LaunchKeysAgainstModes) {
    struct Key {
        int code;
        const char* shows;  // what the key puts into the application
        bool wordEnd;
        std::optional<LaunchMode> launches;
    };
    const Key keys[] = {{vk::Space, " ", true, LaunchMode::Space},
                        {vk::Tab, "\t", true, LaunchMode::Tab},
                        {vk::Esc, "", false, LaunchMode::Esc},
                        {vk::Enter, "\r\n", true, std::nullopt}};
    for (const LaunchMode mode : AllModes) {
        for (const Key& key : keys) {
            SCOPED_TRACE(modeTokens(mode, false) + " key " + std::to_string(key.code));
            const bool fires = key.launches == mode;
            EngineFixture f;
            f.addEntry(mode, false, "td", "Hello");
            f.keyboard.typeText("Td");
            ASSERT_EQ(f.modifierState(), "Shift");
            EXPECT_EQ(f.keyboard.tap(key.code), fires);
            EXPECT_EQ(f.keyboard.targetText, fires ? "Hello" : "Td" + std::string(key.shows));
            EXPECT_EQ(f.buffer(), fires || key.wordEnd ? "" : "td");
            // A match leaves the modifier; a word's end without one forgets it.
            EXPECT_EQ(f.modifierState(), !fires && key.wordEnd ? "None" : "Shift");
        }
    }
}

// Scripts of keys against a Space entry, F10 and Ctrl+F9, each row ending in what the
// target shows, the typed keys and the recorded modifier (Shift 1, Ctrl 2, Ctrl+Shift
// 3, Alt 4). Modifiers count in the order pressed; another program's count as the
// user's, though its keys never reach the matcher; a modifier our own send holds is
// not the user's, even while the key state lags a few events behind the hook, and
// the user's own press makes it theirs again. A click or a move of the focus
// forgets the letters typed, not the modifiers.
TEST(TriggerMatcher, KeyScripts) {
    struct Case {
        const char* script;
        const char* outcome;
        std::size_t keyStateLag = 0;
    };
    const Case cases[] = {
        {"{+LCtrl}{+LShift}{+F9}", " | {ctrl}{shift}{f9} | Ctrl+Shift"},
        {"{+LShift}{+LCtrl}{+F9}", " | {shift}{f9} | Shift"},
        {"{+LShift}{+LCtrl}{+A}", " | a | Shift"},
        {"{+LCtrl}{+F9}", "Control nine |  | Ctrl"},
        {"{+RCtrl}{+F9}", "Control nine |  | Ctrl"},
        {"{+LShift}{+F9}", " | {shift}{f9} | Shift"},
        {"{+LAlt}{+F9}", " | {alt}{f9} | Alt"},
        {"{+F9}", " | {f9} | None"},
        // Ctrl+Alt, let go where the hook could not see it: the entry matched with Ctrl left out.
        {"{+LCtrl}{+LAlt}{unseen -LAlt}{unseen -LCtrl}{+F9}", "Control nine |  | Ctrl+Alt"},
        {"{+LCtrl}{theirs Space}", " |  | Ctrl"},
        {"{+LCtrl}{theirs Space}{theirs LShift}", " |  | Shift"},
        // The release of the trigger key inside our send, or after it with the
        // state lagging; the state catches up before the user types on. Our own
        // keys reach the target as typed.
        {"{+F10}{ours +LShift}{-F10}{ours F}{ours -LShift}{F10}", "plainFplain |  | None"},
        {"{+Space}{ours +LShift}{-Space}{ours F}{ours -LShift}{F10}", " Fplain |  | None"},
        {"{+K}{ours +LCtrl}{-K}{ours F}{ours -LCtrl}{F10}", "kplain |  | None"},
        {"{+F10}{ours +LAlt}{-F10}{ours F}{ours -LAlt}{F10}", "plainplain |  | None"},
        {"{+F10}{ours +LShift}{-F10}{ours F}{ours -LShift}{ours Space}{ours Space}{F10}",
         "plainF  plain |  | None", 2},
        {"{+F10}{ours +LShift}{ours F}{ours -LShift}{-F10}{ours Space}{F10}",
         "plainF plain |  | None", 1},
        {"{+F10}{ours +LCtrl}{ours F}{ours -LCtrl}{-F10}{ours Space}{ours Space}{ours Space}{F10}",
         "plain   plain |  | None", 3},
        {"{ours +LShift}{+LShift}{+F9}", " | {shift}{f9} | Shift"},
        {"{ours LShift}{+LShift}{+F9}", " | {shift}{f9} | Shift"},
        // Nothing fires for typed text that is not exactly the trigger.
        {"xtd ", "xtd  |  | None"},
        {"tx{Bksp}d ", "td  |  | None"},
        {"tdx ", "tdx  |  | None"},
        {"t x", "t x | x | None"},
        // Letters typed before a click or a change of focus were typed elsewhere
        // (a click alone: e2e/engine_e2e.sh).
        {"t{focus}d ", "td  |  | None"},
        {"x{click}{focus}td ", "xToday\r\n |  | None"},
        {"T{click}d", "Td | d | Shift"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        EngineFixture f;
        f.addEntry(LaunchMode::Space, true, "td", "Today");
        f.addEntry(LaunchMode::FunctionKey, false, "{F10}", "plain");
        f.addEntry(LaunchMode::FunctionKey, false, "{Ctrl}{F9}", "Control nine");
        f.keyboard.keyStateLag = c.keyStateLag;
        f.keys(c.script);
        EXPECT_EQ(
            f.keyboard.targetText + " | " + f.buffer() + " | " + std::string(f.modifierState()),
            c.outcome);
    }
}

TEST(TriggerMatcher, CtrlShiftHotKeysShowWindows) {
    struct Case {
        bool menuShow, menuText;
        int key, mainShown, commonShown;
        bool shift = true;
    };
    const Case cases[] = {
        {true, false, 'S', 1, 0}, {false, false, 'S', 0, 0},      {false, true, 'S', 0, 0},
        {false, true, 'C', 0, 1}, {false, false, 'C', 0, 0},      {true, false, 'C', 0, 0},
        {true, true, 'X', 0, 0},  {true, true, 'S', 0, 0, false},  // Ctrl alone is no hot key
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, static_cast<char>(c.key)) + (c.menuShow ? " show" : "") +
                     (c.menuText ? " text" : "") + (c.shift ? "" : " no shift"));
        EngineFixture f;
        f.option(&EngineOptions::showWindowHotKey, c.menuShow);
        f.option(&EngineOptions::commonTextHotKey, c.menuText);
        f.keyboard.typeText("q");
        f.keyboard.press(vk::LCtrl);
        if (c.shift) {
            f.keyboard.press(vk::LShift);
        }
        EXPECT_FALSE(f.keyboard.tap(c.key));
        EXPECT_EQ(f.windows.mainWindowShown, c.mainShown);
        EXPECT_EQ(f.windows.commonTextShown, c.commonShown);
        EXPECT_EQ(f.buffer(), "q" + std::string(1, static_cast<char>(c.key + 32)));
    }
}

// The matcher as a function: which events reach it (key-downs with or without
// Alt, releases of extended keys; never an injected event or a plain release;
// only the codes it knows), what each leaves typed and recorded, and that every
// event is stamped with its own time. The user's held right Ctrl records Ctrl;
// the right-hand Ctrl+Shift pair is recorded on the right Shift's event (flags
// 0x81). Each row: key, flags, the typed keys after "t" and the modifier after.
TEST(TriggerMatcher, AsAFunctionOfStateAndEvent) {
    const std::tuple<int, std::uint32_t, const char*, const char*> cases[] = {
        {'D', 0x00, "td", "Ctrl"},
        {'D', 0x20, "td", "Ctrl"},
        {'D', 0x81, "td", "Ctrl"},
        {'D', 0x01, "t", "Ctrl"},
        {'D', 0x80, "t", "Ctrl"},
        {'D', 0x10, "t", "Ctrl"},
        {'D', 0x11, "t", "Ctrl"},
        {'D', 0x30, "t", "Ctrl"},
        {'D', 0x90, "t", "Ctrl"},
        {'D', 0xA0, "t", "Ctrl"},
        {vk::Backspace, 0, "t", "Ctrl"},
        {vk::Tab, 0, "", "None"},
        {198, 0, "t", "Ctrl"},
        {199, 0, "t", "Ctrl"},
        {219, 0, "t", "Ctrl"},
        {186, 0, "t;", "Ctrl"},
        {vk::F9, 0, "{ctrl}{f9}", "Ctrl"},
        {vk::RShift, 0x81, "t", "Ctrl+Shift"}};
    ShortcutList none;
    for (const auto& [code, flags, typed, recorded] : cases) {
        SCOPED_TRACE(std::to_string(code) + " flags " + std::to_string(flags));
        MatcherEvent event;
        event.virtualKey = static_cast<std::uint32_t>(code);
        event.flags = flags;
        event.held.set(vk::RCtrl);
        event.time = DateTime{2026, 12, 9, 10, 0, 7};
        MatcherState typedT;
        typedT.typed = "t";
        const MatcherStep step = matchKey(typedT, event, none, {});
        EXPECT_EQ(step.state.typed, typed);
        EXPECT_EQ(nameOf(step.state.recorded), recorded);
        EXPECT_EQ(step.state.lastKeyTime, event.time);
        EXPECT_FALSE(step.match);
    }
}

// The modifier tick forgets the modifier a second after the last unmatched key,
// and nothing without one; the pause tick forgets letters and modifier after more
// than five seconds either way (the clock may be set back), or with no key time.
// Each row: the tick, whether the key times are missing, the seconds since the
// key, and whether it forgets.
TEST(TriggerMatcher, TicksForgetWhatWasTypedAfterItsTime) {
    const std::tuple<const char*, bool, int, bool> cases[] = {
        {"modifier", false, 0, false},  {"modifier", false, 1, true},
        {"modifier", true, 100, false}, {"pause", false, 0, false},
        {"pause", false, 5, false},     {"pause", false, 6, true},
        {"pause", false, -5, false},    {"pause", false, -3600, true},
        {"pause", true, 0, true},
    };
    const DateTime keyTime{2026, 12, 9, 10, 0, 0};
    for (const auto& [tick, noKeyTime, seconds, forgets] : cases) {
        SCOPED_TRACE(std::string(tick) + " " + std::to_string(seconds));
        MatcherState state;
        state.typed = "td";
        state.recorded = modifiers::Shift;
        if (!noKeyTime) {
            state.lastKeyTime = state.lastUnmatchedKeyTime = keyTime;
        }
        const DateTime now = dateTimeFromSeconds(secondsSinceEpoch(keyTime) + seconds);
        const bool modifierTick = std::string(tick) == "modifier";
        const MatcherState after =
            modifierTick ? afterModifierTick(state, now) : afterPauseTick(state, now);
        EXPECT_EQ(after.recorded, forgets ? modifiers::None : modifiers::Shift);
        // The letters are the pause tick's business.
        EXPECT_EQ(after.typed, forgets && !modifierTick ? "" : "td");
        EXPECT_EQ(after.lastUnmatchedKeyTime.has_value(), !noKeyTime && !(forgets && modifierTick));
    }
}

// Codes from Space to the keypad name the character of their code (page keys
// and arrows too), then come the function keys, then the punctuation keys;
// modifiers, Enter, Tab and the rest have no name.
TEST(KeyNames, KeyCodesAndTheirNames) {
    const std::pair<int, const char*> cases[] = {
        {-1, ""},      {0, ""},        {8, ""},        {13, ""},   {27, ""},    {31, ""},
        {32, " "},     {33, "!"},      {40, "("},      {46, "."},  {48, "0"},   {57, "9"},
        {65, "A"},     {90, "Z"},      {91, "["},      {96, "`"},  {97, "a"},   {111, "o"},
        {112, "{F1}"}, {121, "{F10}"}, {123, "{F12}"}, {124, ""},  {160, ""},   {162, ""},
        {185, ""},     {186, ";"},     {187, "="},     {188, ","}, {189, "-"},  {190, "."},
        {191, "/"},    {192, ""},      {218, ""},      {219, "["}, {220, "\\"}, {221, "]"},
        {222, ""},     {255, ""},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(keyNameOf(static_cast<std::int16_t>(code)), name) << "key code " << code;
    }
}

}  // namespace
}  // namespace quorvel
