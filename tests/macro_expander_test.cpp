#include "engine/macro_expander.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/calendar.h"
#include "support/literal_expand.h"

namespace quorvel {
namespace {

using Kind = MacroExpansion::Kind;
using testing::literalExpand;

const DateTime Morning{2026, 12, 6, 8, 35, 46};

// Values holding marker pieces, so that a value can join with its neighbours.
class MarkerLocale final : public Locale {
  public:
    std::string shortDate(const DateTime&) const override { return "d/%"; }
    std::string longTime(const DateTime&) const override { return "(t)%"; }
    std::string monthName(int month) const override { return "M" + std::to_string(month); }
};

// Hands out the given values in turn, over and over, and counts the reads.
struct ScriptedClipboard {
    std::vector<std::optional<std::string>> values;
    int reads = 0;

    std::function<std::optional<std::string>()> reader() {
        return [this]() -> std::optional<std::string> {
            const auto index = static_cast<std::size_t>(reads++);
            return values.empty() ? std::nullopt : values[index % values.size()];
        };
    }
};

std::string repeat(const std::string& piece, int times) {
    std::string result;
    while (times-- > 0) {
        result += piece;
    }
    return result;
}

std::vector<std::string> splitAtBars(std::string_view text) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t bar = text.find('|', start);
        parts.emplace_back(text.substr(start, bar - start));
        if (bar == std::string_view::npos) {
            return parts;
        }
        start = bar + 1;
    }
}

struct Case {
    std::string text;
    Kind kind;
    std::string value;
};

void expectCases(const std::vector<Case>& cases, const Locale& locale,
                 std::vector<std::optional<std::string>> clipboard = {"clip"}) {
    for (const auto& c : cases) {
        ScriptedClipboard board{clipboard};
        const auto result = expandMacros(c.text, Morning, board.reader(), locale);
        EXPECT_EQ(result.kind, c.kind) << c.text;
        EXPECT_EQ(result.value, c.value) << c.text;
    }
}

// The values of the known names; the rest of the rules (blanks, case, other
// names, stray markers) is checked against the literal expansion below.
TEST(MacroExpander, KnownNamesGiveTheirValuesOthersLoseTheirMarkers) {
    const EnglishUsLocale us;
    expectCases({{"On %(date)% at %(Time)%.", Kind::Text, "On 12/6/2026 at 8:35:46 AM."},
                 {"%(NOW)%", Kind::Text, "12/6/2026 8:35:46 AM"},
                 {"%(longdate)%", Kind::Text, "December 6, 2026"},
                 {"%(Clipboard Text)%", Kind::Text, "clip"},
                 {")%(date)%", Kind::Text, ")12/6/2026"}},
                us);
    EXPECT_EQ(expandMacros("%(LongDate)%", {987, 3, 1, 0, 0, 0}, {}, us).value, "March 1, 0987");
    EXPECT_EQ(us.longTime({2026, 12, 6, 12, 0, 5}), "12:00:05 PM");
    EXPECT_EQ(us.longTime({2026, 12, 6, 0, 7, 0}), "12:07:00 AM");
}

TEST(MacroExpander, StopsAfterMaxExpansions) {
    const EnglishUsLocale us;
    const std::string clip = "%(clipboard text)%";
    ScriptedClipboard board{{"c"}};
    auto result = expandMacros(repeat(clip, 1002), Morning, board.reader(), us);
    EXPECT_EQ(result.kind, Kind::Text);
    EXPECT_EQ(result.value, repeat("c", 1001) + clip);
    EXPECT_EQ(board.reads, MaxMacroExpansions);
    EXPECT_EQ(result.clipboardSpans, (std::vector<TextSpan>{{0, 1001}}));

    const std::string x = "%(x)%";
    expectCases({{repeat(x, 1000), Kind::Text, repeat("x", 1000)},
                 {repeat(x, 1001), Kind::Text, repeat("x", 1001)},
                 {repeat(x, 1002), Kind::Text, repeat("x", 1001) + x},
                 {repeat(x, 1000) + "%(", Kind::Unclosed, ""},
                 {repeat(x, 1001) + "%(", Kind::Text, repeat("x", 1001) + "%("},
                 {repeat(x, 1001) + "%(run=a)%", Kind::Text, repeat("x", 1001) + "%(run=a)%"}},
                us);
}

// However large, the clipboard's text goes in whole: with a part of it, or with
// the marker left, the send would type something else.
TEST(MacroExpander, AClipboardOfAnySizeGoesInWhole) {
    const EnglishUsLocale us;
    const std::string big(std::size_t{5} << 20, 'z');
    ScriptedClipboard board{{big}};
    const auto result = expandMacros("<%(clipboard text)%>", Morning, board.reader(), us);
    EXPECT_EQ(result.kind, Kind::Text);
    EXPECT_TRUE(result.value == "<" + big + ">");
    EXPECT_EQ(result.clipboardSpans, (std::vector<TextSpan>{{1, 1 + big.size()}}));
}

TEST(MacroExpander, MatchesLiteralExpansionOnRandomTexts) {
    const MarkerLocale markers;
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
            if (kind == 0) {
                clipboard.push_back(std::nullopt);
            } else {
                clipboard.push_back(kind < 3 ? clips[pick(clips.size())] : randomText(12));
            }
        }
        const Locale& locale = round % 2 == 0 ? static_cast<const Locale&>(markers) : us;

        ScriptedClipboard fast{clipboard};
        ScriptedClipboard slow{clipboard};
        const auto got = expandMacros(text, Morning, fast.reader(), locale);
        const auto expected = literalExpand(text, Morning, slow.reader(), locale);
        ASSERT_EQ(got.kind, expected.kind) << "text: " << text;
        ASSERT_EQ(got.value, expected.value) << "text: " << text;
        ASSERT_EQ(got.clipboardSpans, expected.clipboardSpans) << "text: " << text;
        ASSERT_EQ(fast.reads, slow.reads) << "text: " << text;
    }
}

}  // namespace
}  // namespace quorvel
