#include "engine/macro_expander.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/utf8_text.h"

namespace quorvel {
namespace {

using Kind = MacroExpansion::Kind;

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
            const std::size_t index = static_cast<std::size_t>(reads++);
            if (values.empty()) {
                return std::nullopt;
            }
            return values[index % values.size()];
        };
    }
};

// The expansion exactly as described: each pass looks for the first macro from
// the start of the text and rebuilds the whole text.
MacroExpansion literalExpand(std::string text, const DateTime& now,
                             const std::function<std::optional<std::string>()>& readClipboard,
                             const Locale& locale) {
    for (int count = 0;;) {
        const auto open = text.find("%(");
        if (open == std::string::npos) {
            return {Kind::Text, text};
        }
        const auto close = text.find(")%", open + 2);
        if (close == std::string::npos) {
            return {Kind::Unclosed, {}};
        }
        const std::string name = text.substr(open + 2, close - open - 2);
        const std::string lower = lowerCase(name);
        std::string value;
        if (lower == "now") {
            value = locale.shortDate(now) + " " + locale.longTime(now);
        } else if (lower == "date") {
            value = locale.shortDate(now);
        } else if (lower == "longdate") {
            char year[16];
            std::snprintf(year, sizeof year, "%04d", now.year);
            value = locale.monthName(now.month) + " " + std::to_string(now.day) + ", " + year;
        } else if (lower == "time") {
            value = locale.longTime(now);
        } else if (lower == "clipboard text") {
            const auto clipboard = readClipboard();
            if (!clipboard) {
                return {Kind::ClipboardUnreadable, {}};
            }
            value = *clipboard;
        } else if (lower.starts_with("run=")) {
            return {Kind::Launch, name.substr(4)};
        } else {
            value = name;
        }
        std::string next = text.substr(0, open) + value + text.substr(close + 2);
        if (next.size() > text.size() && next.size() > (std::size_t{16} << 20)) {
            return {Kind::Text, text};
        }
        text = std::move(next);
        if (++count > 1000) {
            return {Kind::Text, text};
        }
    }
}

std::string repeat(std::string_view piece, int times) {
    std::string result;
    result.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) {
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

TEST(MacroExpander, KnownNamesGiveTheirValues) {
    const EnglishUsLocale us;
    expectCases({{"%(date)%", Kind::Text, "12/6/2026"},
                 {"%(time)%", Kind::Text, "8:35:46 AM"},
                 {"%(now)%", Kind::Text, "12/6/2026 8:35:46 AM"},
                 {"%(longdate)%", Kind::Text, "December 6, 2026"},
                 {"%(clipboard text)%", Kind::Text, "clip"},
                 {"On %(date)% at %(time)%.", Kind::Text, "On 12/6/2026 at 8:35:46 AM."}},
                us);

    struct LongDateCase {
        DateTime when;
        std::string expected;
    };
    const std::vector<LongDateCase> longDates = {
        {{2026, 1, 5, 0, 0, 0}, "January 5, 2026"},
        {{2031, 9, 30, 0, 0, 0}, "September 30, 2031"},
        {{987, 3, 1, 0, 0, 0}, "March 1, 0987"},
    };
    for (const auto& c : longDates) {
        EXPECT_EQ(expandMacros("%(LongDate)%", c.when, {}, us).value, c.expected);
    }
}

// Names ignore case but not blanks; other names lose only their markers, and a
// close marker in front of an open one is text.
TEST(MacroExpander, OtherNamesLoseOnlyTheirMarkers) {
    const EnglishUsLocale us;
    expectCases({{"%(DATE)%", Kind::Text, "12/6/2026"},
                 {"%(tImE)%", Kind::Text, "8:35:46 AM"},
                 {"%(LONGDATE)%", Kind::Text, "December 6, 2026"},
                 {"%(Clipboard Text)%", Kind::Text, "clip"},
                 {"%( date)%", Kind::Text, " date"},
                 {"%(date )%", Kind::Text, "date "},
                 {"%(long date)%", Kind::Text, "long date"},
                 {"%(clipboard  text)%", Kind::Text, "clipboard  text"},
                 {"%(clipboardtext)%", Kind::Text, "clipboardtext"},
                 {"%(dates)%", Kind::Text, "dates"},
                 {"%(\xC9"
                  "date)%",
                  Kind::Text,
                  "\xC9"
                  "date"},
                 {"%()%", Kind::Text, ""},
                 {"a%(Foo Bar)%b", Kind::Text, "aFoo Barb"},
                 {"%(%)%", Kind::Text, "%"},
                 {"%(x)%)%", Kind::Text, "x)%"},
                 {"%(a)%%(b)%", Kind::Text, "ab"},
                 {"%%(x)%%", Kind::Text, "%x%"},
                 {"%)%", Kind::Text, "%)%"},
                 {"plain text", Kind::Text, "plain text"},
                 {"", Kind::Text, ""},
                 {"x)% and %(time)%", Kind::Text, "x)% and 8:35:46 AM"},
                 {")%%(date)%", Kind::Text, ")%12/6/2026"},
                 {")%(date)%", Kind::Text, ")12/6/2026"}},
                us);
}

TEST(MacroExpander, UnclosedMarkerTypesNothing) {
    const EnglishUsLocale us;
    expectCases({{"%(date", Kind::Unclosed, ""},
                 {"%(", Kind::Unclosed, ""},
                 {"%()", Kind::Unclosed, ""},
                 {"%(%", Kind::Unclosed, ""},
                 {"%(date)% then %(time", Kind::Unclosed, ""},
                 // The clipboard's own marker is unclosed once it is in the text.
                 {"%(clipboard text)%", Kind::Unclosed, ""}},
                us, {"open %(here"});
}

TEST(MacroExpander, RunMacroEndsExpansionAtOnce) {
    const EnglishUsLocale us;
    expectCases({{"%(Run=Calc.exe /x)%", Kind::Launch, "Calc.exe /x"},
                 {"Hello %(RUN=notepad)% world %(date)%", Kind::Launch, "notepad"},
                 {"%(date)% %(run=a)% %(run=b)% %(unclosed", Kind::Launch, "a"},
                 {"%(run=)%", Kind::Launch, ""},
                 {"%(run= x )%", Kind::Launch, " x "},
                 {"%(run =x)%", Kind::Text, "run =x"},
                 {"%(runx)%", Kind::Text, "runx"},
                 {"%(clipboard text)%", Kind::Launch, "Cmd.exe"}},
                us, {"%(rUn=Cmd.exe)%"});
}

TEST(MacroExpander, ValuesAreExpandedAgain) {
    const EnglishUsLocale us;
    // A value's own macro.
    expectCases({{"<%(clipboard text)%>", Kind::Text, "<12/6/2026>"}}, us, {"%(date)%"});
    // A '%' in front of the macro and a "(" starting its value make a new marker.
    expectCases({{"%%(clipboard text)%", Kind::Text, "12/6/2026"},
                 {"a%%(clipboard text)%", Kind::Text, "a12/6/2026"},
                 {"%%%(clipboard text)%", Kind::Text, "%12/6/2026"}},
                us, {"(date)%"});
    // A value ending in "%" with a "(" behind the macro.
    expectCases({{"%(clipboard text)%(time)%", Kind::Text, "x8:35:46 AM"}}, us, {"x%"});
    // Nested markers: the first "%(" pairs with the first ")%" after it.
    expectCases({{"%(a%(date)%b)%", Kind::Text, "adateb"}}, us);
}

TEST(MacroExpander, NameEndingInParenthesisClosesWithFollowingPercent) {
    // Taking off the outer markers of "%(%(a))%" leaves "%(a)" in front of the '%'
    // behind it, which closes the inner macro.
    const EnglishUsLocale us;
    const std::vector<Case> cases = {{"%(%(a))%%x", Kind::Text, "ax"},
                                     {"%(%(date))%%x", Kind::Text, "12/6/2026x"},
                                     {"<%(clipboard text)%>", Kind::Text, "<ax>"},
                                     {"%(clipboard text)%y", Kind::Text, "axy"}};
    expectCases(cases, us, {"%(%(a))%%x"});
}

TEST(MacroExpander, StopsAfterMaxExpansions) {
    const EnglishUsLocale us;
    ScriptedClipboard board{{"%(clipboard text)%"}};
    auto result = expandMacros("a%(clipboard text)%b", Morning, board.reader(), us);
    EXPECT_EQ(result.kind, Kind::Text);
    EXPECT_EQ(result.value, "a%(clipboard text)%b");
    EXPECT_EQ(board.reads, MaxMacroExpansions);

    const std::string x = "%(x)%";
    expectCases({{repeat(x, 1000), Kind::Text, repeat("x", 1000)},
                 {repeat(x, 1001), Kind::Text, repeat("x", 1001)},
                 {repeat(x, 1002), Kind::Text, repeat("x", 1001) + x},
                 {repeat(x, 1000) + "%(", Kind::Unclosed, ""},
                 {repeat(x, 1001) + "%(", Kind::Text, repeat("x", 1001) + "%("},
                 {repeat(x, 1001) + "%(run=a)%", Kind::Text, repeat("x", 1001) + "%(run=a)%"}},
                us);
}

TEST(MacroExpander, StopsGrowingPastFourMebibytes) {
    const EnglishUsLocale us;
    const std::string marker = "%(clipboard text)%";
    const std::string mebibyte(std::size_t{1} << 20, 'z');
    ScriptedClipboard board{{marker + mebibyte}};
    const auto result = expandMacros(marker, Morning, board.reader(), us);
    EXPECT_EQ(result.kind, Kind::Text);
    // Three passes fit; the fourth would pass 4 MiB.
    EXPECT_EQ(result.value.size(), marker.size() + 3 * mebibyte.size());
    EXPECT_TRUE(result.value.starts_with(marker));
    EXPECT_EQ(result.value.find_first_not_of('z', marker.size()), std::string::npos);

    // A text already past that size still expands where it does not grow.
    const std::string big(std::size_t{5} << 20, 'a');
    const auto shrunk =
        expandMacros(big + "%(unknown macro)%%(clipboard text)%%(time)%", Morning, {}, us);
    EXPECT_EQ(shrunk.value, big + "unknown macro%(time)%");
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
    // Clipboard texts leave out the last piece, the whole clipboard macro, so that
    // few of them bring themselves back a thousand times.
    auto randomText = [&](std::size_t maxPieces, std::size_t kinds) {
        std::string text;
        for (std::size_t i = pick(maxPieces + 1); i > 0; --i) {
            text += pieces[pick(kinds)];
        }
        return text;
    };
    for (int round = 0; round < 8000; ++round) {
        const std::string text = randomText(24, pieces.size());
        std::vector<std::optional<std::string>> clipboard;
        for (std::size_t i = pick(4); i > 0; --i) {
            const std::size_t kind = pick(6);
            if (kind == 0) {
                clipboard.push_back(std::nullopt);
            } else {
                clipboard.push_back(kind < 3 ? clips[pick(clips.size())]
                                             : randomText(12, pieces.size() - 1));
            }
        }
        const Locale& locale = round % 2 == 0 ? static_cast<const Locale&>(markers) : us;

        ScriptedClipboard fast{clipboard};
        ScriptedClipboard slow{clipboard};
        const auto got = expandMacros(text, Morning, fast.reader(), locale);
        const auto expected = literalExpand(text, Morning, slow.reader(), locale);
        ASSERT_EQ(got.kind, expected.kind) << "text: " << text;
        ASSERT_EQ(got.value, expected.value) << "text: " << text;
        ASSERT_EQ(fast.reads, slow.reads) << "text: " << text;
    }
}

TEST(MacroExpander, LargeTextsExpandLikeSmallOnes) {
    const EnglishUsLocale us;
    struct BigCase {
        const char* what;
        std::string text;
        std::string expected;
    };
    std::vector<BigCase> cases;

    // 1 MB with 10,000 macros; only the first 1001 are expanded.
    const std::string filler(90, '.');
    std::string text;
    std::string expected;
    for (int i = 0; i < 10000; ++i) {
        const bool isDate = i % 2 == 0;
        text += filler + (isDate ? "%(date)%" : "%(name)%");
        expected += filler + (i >= MaxMacroExpansions ? (isDate ? "%(date)%" : "%(name)%")
                                                      : (isDate ? "12/6/2026" : "name"));
    }
    cases.push_back({"10,000 macros in 1 MB", text, expected});

    // Nested markers: each pass takes off the outermost pair.
    const int deep = 250000;
    cases.push_back(
        {"1 MB of nested markers", repeat("%(", deep) + "x" + repeat(")%", deep),
         repeat("%(", deep - MaxMacroExpansions) + "x" + repeat(")%", deep - MaxMacroExpansions)});

    // Nested names full of ')' that is not followed by '%'.
    cases.push_back({"1 MB of nested markers with parentheses",
                     repeat("%()(", deep) + "x" + repeat(")%", deep),
                     repeat(")(", MaxMacroExpansions) + repeat("%()(", deep - MaxMacroExpansions) +
                         "x" + repeat(")%", deep - MaxMacroExpansions)});

    // Macros at both ends of a long text.
    const std::string middle(std::size_t{1} << 20, '-');
    cases.push_back({"1 MB between macros", repeat("%(time)%", 500) + middle + repeat("%(y)%", 502),
                     repeat("8:35:46 AM", 500) + middle + repeat("y", 501) + "%(y)%"});

    for (const auto& c : cases) {
        const auto result = expandMacros(c.text, Morning, {}, us);
        EXPECT_EQ(result.kind, Kind::Text) << c.what;
        EXPECT_TRUE(result.value == c.expected) << c.what;
    }

    // The nested case at a size the literal expansion handles quickly.
    const std::string nested = repeat("%(", 3000) + "%(date)%" + repeat(")%", 2999);
    EXPECT_EQ(expandMacros(nested, Morning, {}, us).value,
              literalExpand(nested, Morning, {}, us).value);
}

}  // namespace
}  // namespace quorvel
