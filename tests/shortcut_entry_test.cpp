#include "engine/shortcut_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "text/utf8_text.h"

namespace quorvel {
namespace {

// Hand-edited lines: blanks around the tokens, which are upper-case only. Two
// separators and nothing else is the smallest entry; fewer is none.
TEST(ShortcutEntry, LinesAreReadAsTheirSeparatorsAndTokensAllow) {
    const std::string S(EntrySeparator);
    const std::pair<std::string, std::optional<ShortcutEntry>> cases[] = {
        {"{E} " + S + " x " + S + " y", ShortcutEntry{LaunchMode::None, true, "x", "y"}},
        {" " + S + " x " + S + " y", ShortcutEntry{LaunchMode::None, false, "x", "y"}},
        {"  {T}  " + S + " x " + S + " y", ShortcutEntry{LaunchMode::Tab, false, "x", "y"}},
        {"{C}{E}   " + S + " x " + S + " y", ShortcutEntry{LaunchMode::Esc, true, "x", "y"}},
        {"{s} " + S + " x " + S + " y", ShortcutEntry{LaunchMode::None, false, "x", "y"}},
        {"{F}{E}" + S + "{F9}" + S + " y",
         ShortcutEntry{LaunchMode::FunctionKey, true, "{F9}", "y"}},
        {"{E}{S} " + S + " x " + S + " y", ShortcutEntry{LaunchMode::None, false, "x", "y"}},
        {S + S, ShortcutEntry{LaunchMode::None, false, "", ""}},
        {"", std::nullopt},
        {"{S} - td - text", std::nullopt},
        {"{S} " + S + " td - text", std::nullopt},
        {S, std::nullopt},
    };
    for (const auto& [line, entry] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(parseEntryLine(line), entry);
        EXPECT_EQ(splitEntryLine(line).has_value(), entry.has_value());
    }
}

// Trigger keys ignore blanks and case, whole characters lowered; display lines
// show every separator as a dash.
TEST(ShortcutEntry, TriggerKeysAndDisplayLines) {
    EXPECT_EQ(triggerKey("  Vs "), "vs");
    EXPECT_EQ(triggerKey("{CTRL}{F9}"), "{ctrl}{f9}");
    EXPECT_EQ(triggerKey("ÀB ŻÓŁW ΆΛΦΑ ЁЖ"), "àb żółw άλφα ёж");
    EXPECT_NE(triggerKey("v s"), triggerKey("vs"));
    EXPECT_EQ(displayFromEntryLine("{S} \xC2\xAF td \xC2\xAF a\xC2\xAF"
                                   "b \xC2\xAF c"),
              "{S} - td - a-b - c");
    EXPECT_EQ(displayFromEntryLine("no separator"), "no separator");
    // The character dropped after the second separator is a whole one.
    EXPECT_EQ(parseEntryLine("{S} \xC2\xAF td \xC2\xAF" + std::string("ékept"))->text, "kept");
}

}  // namespace
}  // namespace quorvel
