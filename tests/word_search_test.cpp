#include "text/word_search.h"

#include <gtest/gtest.h>

#include <string>

#include "text/case_fold.h"

namespace quorvel {
namespace {

struct SearchCase {
    const char* query;
    const char* trigger;
    const char* text;
    bool found;
};

TEST(WordSearch, EveryWordInTriggerOrTextInAnyCaseAndScript) {
    const SearchCase cases[] = {
        {"", "td", "anything", true},
        {" \t ", "td", "anything", true},
        {"ADDR", "addr", "12 Main St", true},
        {"main ADDR", "addr", "12 Main St", true},
        {"st main", "addr", "12 Main St", true},
        {"main elm", "addr", "12 Main St", false},
        // A word does not run from the trigger on into the text.
        {"drtw", "addr", "twelve", false},
        {"Été", "x", "un éTÉ chaud", true},
        {"ΑΒΓ", "x", "αβγ", true},
        {"σ", "x", "ΣΟΦΟΣ", true},
        {"ς", "x", "Σ", true},
        {"Привет", "x", "привет", true},
        {"ŁÓDŹ", "x", "z łódź", true},
        {"Ａ", "x", "ａ", true},
        {"k", "x", "\u212A", true},  // the Kelvin sign
        {"日本", "x", "日本語", true},
        {"日", "x", "本", false},
        {"😀", "x", "hi 😀!", true},
        {"😀", "x", "hi 😁!", false},
        // Accents are letters of their own: "e" is not "é".
        {"ete", "x", "été", false},
        // Bytes that are no UTF-8 read as U+FFFD on both sides.
        {"\xFF", "x",
         "a\xFF"
         "b",
         true},
        {"\xC3", "x", "\xC3\xA9", false},
        {"\xC3", "x", "\uFFFD", true},
        {"a", "x", "\xE2\x82", false},
    };
    for (const SearchCase& c : cases) {
        EXPECT_EQ(WordSearch(c.query).matches(c.trigger, c.text), c.found)
            << "query \"" << c.query << "\" in \"" << c.trigger << "\" / \"" << c.text << '"';
    }
}

TEST(WordSearch, FoldsWholeTextsOfEveryLength) {
    // Both sides of the eight-byte steps, and a non-ASCII character at each place.
    const std::string upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ@[`{";
    const std::string lower = "abcdefghijklmnopqrstuvwxyz@[`{";
    for (std::size_t length = 0; length <= upper.size(); ++length) {
        EXPECT_EQ(foldCase(upper.substr(0, length)), lower.substr(0, length));
        const std::string mixed = upper.substr(0, length) + "\xC3\x84" + upper.substr(length);
        EXPECT_EQ(foldCase(mixed), lower.substr(0, length) + "\xC3\xA4" + lower.substr(length));
    }
    EXPECT_EQ(foldCase("\xE2\x84\xAA"), "k");         // shorter than it was
    EXPECT_EQ(foldCase("\xC8\xBA"), "\xE2\xB1\xA5");  // Ⱥ to ⱥ: longer than it was
}

TEST(CaseFold, FollowsUnicodeSimpleFolding) {
    const std::pair<char32_t, char32_t> folds[] = {
        {U'A', U'a'},
        {U'z', U'z'},
        {U'\u00C9', U'\u00E9'},
        {U'\u00DF', U'\u00DF'},
        {U'\u1E9E', U'\u00DF'},
        {U'\u0130', U'\u0130'},
        {U'\u03A3', U'\u03C3'},
        {U'\u03C2', U'\u03C3'},
        {U'\u0401', U'\u0451'},
        {U'\u10A0', U'\u2D00'},
        {U'\u13F8', U'\u13F0'},
        {U'\uFF21', U'\uFF41'},
        {U'\U00010400', U'\U00010428'},
        {U'\U0001E900', U'\U0001E922'},
        {U'\U0001E922', U'\U0001E922'},
        {U'\u65E5', U'\u65E5'},
        {U'\U0001F600', U'\U0001F600'},
        {0x10FFFF, 0x10FFFF},
        {0x110000, 0x110000},
    };
    for (const auto& [from, to] : folds) {
        EXPECT_EQ(static_cast<unsigned>(foldCharacter(from)), static_cast<unsigned>(to))
            << std::hex << static_cast<unsigned>(from);
    }
}

}  // namespace
}  // namespace quorvel
