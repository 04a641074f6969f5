#include "engine/macro_expander.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/calendar.h"
#include "support/literal_expand.h"

namespace quorvel {
namespace {

using testing::ScriptedClipboard;

const DateTime Morning{2026, 12, 6, 8, 35, 46};

std::vector<std::string> splitAtBars(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, '|');) {
        parts.push_back(part);
    }
    return parts;
}

// The macro rules beyond the rows of tests/golden/text_conversions.txt (blanks,
// case, other names, stray markers, values and clipboard texts that hold
// markers) against the literal expansion.
TEST(MacroExpander, MatchesTheLiteralExpansionOnRandomTexts) {
    testing::GivenLocale markers;
    markers.date = "d/%";
    markers.time = "(t)%";
    markers.month = "M12";
    const EnglishUsLocale us;
    const auto pieces = splitAtBars(
        "%(|%(|%(|)%|)%|)%|%|(|)|a|B| |x|run=|Run=X|date|DaTe|time|now|longdate|"
        "clipboard text|Clipboard Text|%(clipboard text)%");
    const auto clips = splitAtBars(
        "|%(date)%|%(clipboard text)%|(time)%|x%|%(run=c)%|"
        "%(a)%bcdef|%(%(x)%y)%zz|%(%(a))%%x");
    std::mt19937 random(20261206);
    auto pick = [&random](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    auto randomText = [&](std::size_t maxPieces) {
        std::string text;
        for (std::size_t i = pick(maxPieces + 1); i > 0; --i) {
            text += pieces[pick(pieces.size())];
        }
        return text;
    };
    for (int round = 0; round < 8000; ++round) {
        const std::string text = randomText(24);
        std::vector<std::optional<std::string>> clipboard;
        for (std::size_t i = pick(4); i > 0; --i) {
            const std::size_t kind = pick(6);
            clipboard.push_back(kind == 0  ? std::nullopt
                                : kind < 3 ? std::optional(clips[pick(clips.size())])
                                           : std::optional(randomText(12)));
        }
        const Locale& locale = round % 2 == 0 ? static_cast<const Locale&>(markers) : us;

        ScriptedClipboard fast{clipboard};
        ScriptedClipboard slow{clipboard};
        const auto got = expandMacros(text, Morning, fast.reader(), locale);
        const auto expected = testing::literalExpand(text, Morning, slow.reader(), locale);
        ASSERT_EQ(got.kind, expected.kind) << "text: " << text;
        ASSERT_EQ(got.value, expected.value) << "text: " << text;
        ASSERT_EQ(got.clipboardSpans, expected.clipboardSpans) << "text: " << text;
        ASSERT_EQ(fast.reads, slow.reads) << "text: " << text;
        // The approval check may hold a text that starts nothing, never the reverse.
        if (got.kind == MacroExpansion::Kind::Launch) {
            ASSERT_TRUE(mayStartProgram(text)) << "text: " << text;
        }
    }
}

}  // namespace
}  // namespace quorvel
