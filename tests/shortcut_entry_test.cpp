#include "engine/shortcut_entry.h"

#include <gtest/gtest.h>

#include <string>

#include "text/utf8_text.h"

namespace quorvel {
namespace {

// The field separator with its blanks, kept apart so no hex escape runs into what follows.
const std::string Sep = " " + std::string(EntrySeparator) + " ";

TEST(ShortcutEntry, EveryModeRoundTrips) {
    struct Case {
        LaunchMode mode;
        bool enter;
        const char* tokens;
    };
    const Case cases[] = {
        {LaunchMode::None, false, ""},           {LaunchMode::None, true, "{E}"},
        {LaunchMode::Space, false, "{S}"},       {LaunchMode::Space, true, "{S}{E}"},
        {LaunchMode::Tab, false, "{T}"},         {LaunchMode::Tab, true, "{T}{E}"},
        {LaunchMode::Esc, false, "{C}"},         {LaunchMode::Esc, true, "{C}{E}"},
        {LaunchMode::FunctionKey, false, "{F}"}, {LaunchMode::FunctionKey, true, "{F}{E}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tokens);
        const ShortcutEntry entry{c.mode, c.enter, "ab", "text"};
        EXPECT_EQ(modeTokens(c.mode, c.enter), c.tokens);
        const std::string line = formatEntryLine(entry);
        EXPECT_EQ(line, std::string(c.tokens) + Sep + "ab" + Sep + "text");
        EXPECT_EQ(formatDisplayLine(entry), std::string(c.tokens) + " - ab - text");
        EXPECT_EQ(launchModeOf(c.tokens), c.mode);
        EXPECT_EQ(enterAfterOf(c.tokens), c.enter);
        EXPECT_EQ(parseEntryLine(line), entry);
    }
}

TEST(ShortcutEntry, ModeFieldReading) {
    struct Case {
        const char* line;
        LaunchMode mode;
        bool enter;
    };
    const Case cases[] = {
        {"{E} \xC2\xAF x \xC2\xAF y", LaunchMode::None, true},
        {" \xC2\xAF x \xC2\xAF y", LaunchMode::None, false},
        {"  {T}  \xC2\xAF x \xC2\xAF y", LaunchMode::Tab, false},
        {"{C}{E}   \xC2\xAF x \xC2\xAF y", LaunchMode::Esc, true},
        {"{s} \xC2\xAF x \xC2\xAF y", LaunchMode::None, false},  // tokens are upper-case only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto parsed = parseEntryLine(c.line);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->launchMode, c.mode);
        EXPECT_EQ(parsed->enterAfter, c.enter);
    }
}

TEST(ShortcutEntry, LinesWithFewerThanTwoSeparatorsAreInvalid) {
    const char* invalid[] = {"", "{S} - td - text", "{S} \xC2\xAF td - text", "\xC2\xAF",
                             "td text"};
    for (const char* line : invalid) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(splitEntryLine(line).has_value());
        EXPECT_FALSE(parseEntryLine(line).has_value());
    }
    // The smallest valid line: two separators and nothing else.
    const auto bare = parseEntryLine("\xC2\xAF\xC2\xAF");
    ASSERT_TRUE(bare.has_value());
    EXPECT_EQ(*bare, (ShortcutEntry{LaunchMode::None, false, "", ""}));
}

TEST(ShortcutEntry, TriggerKeyIgnoresBlanksAndCase) {
    EXPECT_EQ(triggerKey("  Vs "), triggerKey("vS"));
    EXPECT_EQ(triggerKey("  Vs "), "vs");
    EXPECT_EQ(triggerKey("{CTRL}{F9}"), "{ctrl}{f9}");
    EXPECT_EQ(triggerKey("ÀB ŻÓŁW ΆΛΦΑ ЁЖ"), "àb żółw άλφα ёж");  // whole characters
    EXPECT_NE(triggerKey("v s"), triggerKey("vs"));
}

TEST(ShortcutEntry, DisplayFromEntryLineReplacesEverySeparator) {
    EXPECT_EQ(displayFromEntryLine("{S} \xC2\xAF td \xC2\xAF a\xC2\xAF"
                                   "b \xC2\xAF c"),
              "{S} - td - a-b - c");
    EXPECT_EQ(displayFromEntryLine("no separator"), "no separator");
    // The character dropped after the second separator is a whole one.
    EXPECT_EQ(parseEntryLine("{S} \xC2\xAF td \xC2\xAF" + std::string("ékept"))->text, "kept");
}

}  // namespace
}  // namespace quorvel
