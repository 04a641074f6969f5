#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
            if (fires) {
                EXPECT_EQ(f.keyboard.targetText, "Hello");
                EXPECT_EQ(f.buffer(), "");
                EXPECT_EQ(f.modifierState(), 1);  // a match leaves the modifier
            } else {
                EXPECT_EQ(f.keyboard.targetText, std::string("Td") + key.shows);
                EXPECT_EQ(f.buffer(), key.wordEnd ? "" : "td");
                EXPECT_EQ(f.modifierState(), key.wordEnd ? 0 : 1);
            }
        }
    }
}

// F9 with each recorded modifier against an entry for Ctrl+F9 only.
TEST(TriggerMatcher, CtrlF9AgainstRecordedModifiers) {
    struct Case {
        std::int16_t state;
        const char* buffer;  // before the match clears it
        bool fires;
    };
    const Case cases[] = {
        {0, "{f9}", false},      {1, "{shift}{f9}", false},
        {2, "{ctrl}{f9}", true}, {3, "{ctrl}{shift}{f9}", false},
        {4, "{alt}{f9}", false}, {6, "{f9}", true},  // Ctrl stripped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        EngineFixture f;
        f.addEntry(LaunchMode::FunctionKey, false, "{Ctrl}{F9}", "Control nine");
        f.mainData().ModifierState = c.state;
        EXPECT_EQ(f.keyboard.tap(vk::F9), c.fires);
        EXPECT_EQ(f.form.lastKey, c.buffer);
        if (c.fires) {
            EXPECT_EQ(f.sentKeys(), std::vector<std::string>{"Control nine"});
            EXPECT_EQ(f.keyboard.targetText, "Control nine");
        } else {
            EXPECT_EQ(f.buffer(), c.buffer);
            EXPECT_TRUE(f.keyboard.sent.empty());
        }
    }
}

TEST(TriggerMatcher, CtrlShiftHotKeysShowWindows) {
    struct Case {
        bool menuShow;
        bool menuText;
        int key;
        int mainShown;
        int commonShown;
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

}  // namespace
}  // namespace quorvel
