#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/key_names.h"
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
            ASSERT_EQ(f.modifierState(), 1);
            EXPECT_EQ(f.keyboard.tap(key.code), fires);
            EXPECT_EQ(f.keyboard.targetText, fires ? "Hello" : "Td" + std::string(key.shows));
            EXPECT_EQ(f.buffer(), fires || key.wordEnd ? "" : "td");
            // A match leaves the modifier; a word's end without one forgets it.
            EXPECT_EQ(f.modifierState(), !fires && key.wordEnd ? 0 : 1);
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
        std::int16_t recorded = 0;  // a modifier recorded with no key held
    };
    const Case cases[] = {
        {"{+LCtrl}{+LShift}{+F9}", " | {ctrl}{shift}{f9} | 3"},
        {"{+LShift}{+LCtrl}{+F9}", " | {shift}{f9} | 1"},
        {"{+LShift}{+LCtrl}{+A}", " | a | 1"},
        {"{+LCtrl}{+F9}", "Control nine |  | 2"},
        {"{+RCtrl}{+F9}", "Control nine |  | 2"},
        {"{+LShift}{+F9}", " | {shift}{f9} | 1"},
        {"{+LAlt}{+F9}", " | {alt}{f9} | 4"},
        {"{+F9}", " | {f9} | 0"},
        {"{+F9}", "Control nine |  | 6", 0, 6},  // Ctrl+Alt, the entry matched with Ctrl left out
        {"{+LCtrl}{theirs Space}", " |  | 2"},
        {"{+LCtrl}{theirs Space}{theirs LShift}", " |  | 1"},
        // The release of the trigger key inside our send, or after it with the
        // state lagging; the state catches up before the user types on. Our own
        // keys reach the target as typed.
        {"{+F10}{ours +LShift}{-F10}{ours F}{ours -LShift}{F10}", "plainFplain |  | 0"},
        {"{+Space}{ours +LShift}{-Space}{ours F}{ours -LShift}{F10}", " Fplain |  | 0"},
        {"{+K}{ours +LCtrl}{-K}{ours F}{ours -LCtrl}{F10}", "kplain |  | 0"},
        {"{+F10}{ours +LAlt}{-F10}{ours F}{ours -LAlt}{F10}", "plainplain |  | 0"},
        {"{+F10}{ours +LShift}{-F10}{ours F}{ours -LShift}{ours Space}{ours Space}{F10}",
         "plainF  plain |  | 0", 2},
        {"{+F10}{ours +LShift}{ours F}{ours -LShift}{-F10}{ours Space}{F10}", "plainF plain |  | 0",
         1},
        {"{+F10}{ours +LCtrl}{ours F}{ours -LCtrl}{-F10}{ours Space}{ours Space}{ours Space}{F10}",
         "plain   plain |  | 0", 3},
        {"{ours +LShift}{+LShift}{+F9}", " | {shift}{f9} | 1"},
        {"{ours LShift}{+LShift}{+F9}", " | {shift}{f9} | 1"},
        // Nothing fires for typed text that is not exactly the trigger.
        {"xtd ", "xtd  |  | 0"},
        {"tx{Bksp}d ", "td  |  | 0"},
        {"tdx ", "tdx  |  | 0"},
        {"t x", "t x | x | 0"},
        // Letters typed before a click or a change of focus were typed elsewhere.
        {"t{click}d ", "td  |  | 0"},
        {"t{focus}d ", "td  |  | 0"},
        {"x{click}{focus}td ", "xToday\r\n |  | 0"},
        {"T{click}d", "Td | d | 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        EngineFixture f;
        f.addEntry(LaunchMode::Space, true, "td", "Today");
        f.addEntry(LaunchMode::FunctionKey, false, "{F10}", "plain");
        f.addEntry(LaunchMode::FunctionKey, false, "{Ctrl}{F9}", "Control nine");
        f.keyboard.keyStateLag = c.keyStateLag;
        f.mainData().ModifierState = c.recorded;
        f.keys(c.script);
        EXPECT_EQ(
            f.keyboard.targetText + " | " + f.buffer() + " | " + std::to_string(f.modifierState()),
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
        f.form.showKeyItem.checked = c.menuShow;
        f.form.commonTextKeyItem.checked = c.menuText;
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
