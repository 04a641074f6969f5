#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
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

// F9 with the modifiers held, in their order, against an entry for Ctrl+F9 only.
TEST(TriggerMatcher, ModifierCombinationsAgainstCtrlF9) {
    struct Case {
        const char* name;
        std::vector<int> held;  // pressed in this order and kept down
        int key;
        std::int16_t state;
        const char* lastKey;  // as the matcher saw it
        bool fires;
        bool recordedOnly = false;  // the state recorded, with no key held
    };
    const Case cases[] = {
        {"ctrl then shift", {vk::LCtrl, vk::LShift}, vk::F9, 3, "{ctrl}{shift}{f9}", false},
        {"shift then ctrl", {vk::LShift, vk::LCtrl}, vk::F9, 1, "{shift}{f9}", false},
        {"shift then ctrl, letter", {vk::LShift, vk::LCtrl}, 'A', 1, "a", false},
        {"ctrl alone", {vk::LCtrl}, vk::F9, 2, "{ctrl}{f9}", true},
        {"shift alone", {vk::LShift}, vk::F9, 1, "{shift}{f9}", false},
        {"alt alone", {vk::LAlt}, vk::F9, 4, "{alt}{f9}", false},
        {"right ctrl", {vk::RCtrl}, vk::F9, 2, "{ctrl}{f9}", true},
        {"nothing", {}, vk::F9, 0, "{f9}", false},
        {"Ctrl stripped", {}, vk::F9, 6, "{f9}", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.addEntry(LaunchMode::FunctionKey, false, "{Ctrl}{F9}", "Control nine");
        for (const int key : c.held) {
            f.keyboard.press(key);
        }
        if (c.recordedOnly) {
            f.mainData().ModifierState = c.state;
        }
        EXPECT_EQ(f.keyboard.press(c.key), c.fires);
        EXPECT_EQ(f.modifierState(), c.state);
        if (!c.fires) {
            EXPECT_EQ(f.form.lastKey, c.lastKey);
        }
        EXPECT_EQ(f.buffer(), c.fires ? "" : c.lastKey);
        EXPECT_EQ(f.keyboard.targetText, c.fires ? "Control nine" : "");
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

// Nothing fires for typed text that is not exactly the trigger, nor for a window
// that refuses injected keys: the Space reaches the application, and later keys
// are not held for a send that cannot come.
TEST(TriggerMatcher, NothingFiresForInexactTextOrAWindowClosedToOurKeys) {
    struct Case {
        const char* name;
        std::vector<int> keys;
        const char* bufferBeforeSpace;
        const char* target;
        bool acceptsInput = true;
    };
    const Case cases[] = {
        {"letter before", {'X', 'T', 'D'}, "xtd", "xtd "},
        {"erased letter", {'T', 'X', vk::Backspace, 'D'}, "txd", "td "},
        {"letter after", {'T', 'D', 'X'}, "tdx", "tdx "},
        {"one letter", {'T'}, "t", "t "},
        {"window closed to our keys", {'T', 'D'}, "td", "td ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.addEntry(LaunchMode::Space, true, "td", "Today");
        f.keyboard.acceptsInput = c.acceptsInput;
        for (const int key : c.keys) {
            f.keyboard.tap(key);
        }
        EXPECT_EQ(f.buffer(), c.bufferBeforeSpace);
        EXPECT_FALSE(f.keyboard.tap(vk::Space));
        EXPECT_EQ(f.keyboard.targetText, c.target);
        EXPECT_TRUE(f.keyboard.sent.empty());
        EXPECT_EQ(f.buffer(), "");
        f.keyboard.typeText("x");
        EXPECT_EQ(f.keyboard.targetText, c.target + std::string("x"));
    }
}

// Codes from Space to the keypad name the character of their code (page keys
// and arrows too), then come the function keys, then the punctuation keys;
// modifiers, Enter, Tab and the rest have no name.
TEST(KeyNames, KeyCodesAndTheirNames) {
    struct Case {
        int code;
        const char* name;
    };
    const Case cases[] = {
        {-1, ""},      {0, ""},        {8, ""},        {13, ""},   {27, ""},    {31, ""},
        {32, " "},     {33, "!"},      {40, "("},      {46, "."},  {48, "0"},   {57, "9"},
        {65, "A"},     {90, "Z"},      {91, "["},      {96, "`"},  {97, "a"},   {111, "o"},
        {112, "{F1}"}, {121, "{F10}"}, {123, "{F12}"}, {124, ""},  {160, ""},   {162, ""},
        {185, ""},     {186, ";"},     {187, "="},     {188, ","}, {189, "-"},  {190, "."},
        {191, "/"},    {192, ""},      {218, ""},      {219, "["}, {220, "\\"}, {221, "]"},
        {222, ""},     {255, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keyNameOf(static_cast<std::int16_t>(c.code)), c.name) << "key code " << c.code;
    }
}

}  // namespace
}  // namespace quorvel
