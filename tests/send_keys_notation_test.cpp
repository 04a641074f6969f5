#include "platform/send_keys_notation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace quorvel {
namespace {

using Strokes = std::vector<KeyStroke>;

// Modifiers written as letters: "S" shift, "C" ctrl, "A" alt.
KeyStroke held(KeyStroke stroke, std::string_view modifiers) {
    stroke.shift = modifiers.find('S') != std::string_view::npos;
    stroke.ctrl = modifiers.find('C') != std::string_view::npos;
    stroke.alt = modifiers.find('A') != std::string_view::npos;
    return stroke;
}

KeyStroke ch(char32_t c, std::string_view modifiers = "") {
    KeyStroke stroke;
    stroke.kind = KeyStroke::Kind::Character;
    stroke.character = c;
    return held(stroke, modifiers);
}

KeyStroke vk(int virtualKey, std::string_view modifiers = "") {
    KeyStroke stroke;
    stroke.kind = KeyStroke::Kind::VirtualKey;
    stroke.virtualKey = static_cast<std::uint8_t>(virtualKey);
    return held(stroke, modifiers);
}

struct Case {
    std::string notation;
    Strokes expected;
};

void expectParses(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE("notation: \"" + c.notation + "\"");
        auto strokes = parseSendKeys(c.notation);
        ASSERT_TRUE(strokes.has_value());
        EXPECT_EQ(*strokes, c.expected);
    }
}

void expectRejected(const std::vector<std::string>& notations) {
    for (const std::string& notation : notations) {
        EXPECT_FALSE(parseSendKeys(notation).has_value()) << "notation: \"" << notation << "\"";
    }
}

constexpr int Enter = 13;
constexpr int Tab = 9;

TEST(SendKeysNotation, PlainTextAndControlBytes) {
    expectParses({
        {"", {}},
        {"ab", {ch('a'), ch('b')}},
        {"A z", {ch('A'), ch(' '), ch('z')}},
        {"\r", {vk(Enter)}},
        {"\t", {vk(Tab)}},
        {"\n", {}},
        {"a\r\nb", {ch('a'), vk(Enter), ch('b')}},
        {"é→😀", {ch(U'é'), ch(U'→'), ch(U'😀')}},
        // Bytes that are no UTF-8 type U+FFFD, one for each broken sequence.
        {"\xE9\xFF\xE2\x82", {ch(0xFFFD), ch(0xFFFD), ch(0xFFFD)}},
        {std::string("a\0b", 3), {ch('a'), ch('\0'), ch('b')}},
        {"[x]", {ch('['), ch('x'), ch(']')}},
        {"~", {vk(Enter)}},
        {"a~~", {ch('a'), vk(Enter), vk(Enter)}},
        // A lone closing brace is not part of any braced key.
        {"}", {ch('}')}},
    });
}

TEST(SendKeysNotation, ModifiersHoldOnlyTheNextKey) {
    expectParses({
        {"+a", {ch('a', "S")}},
        {"^a", {ch('a', "C")}},
        {"%a", {ch('a', "A")}},
        {"+ab", {ch('a', "S"), ch('b')}},
        {"+^a", {ch('a', "SC")}},
        {"%^+a", {ch('a', "SCA")}},
        {"++a", {ch('a', "S")}},
        {"a+", {ch('a')}},
        {"+", {}},
        {"+^%", {}},
        {"+~", {vk(Enter, "S")}},
        {"+\tx", {vk(Tab, "S"), ch('x')}},
        {"^\r", {vk(Enter, "C")}},
        {"+\na", {ch('a', "S")}},
        {"^{v}", {ch('v', "C")}},
        {"+{TAB}a", {vk(Tab, "S"), ch('a')}},
        {"%{F4}", {vk(115, "A")}},
        {"^{+}", {ch('+', "C")}},
        {"+[", {ch('[', "S")}},
        {"+}", {ch('}', "S")}},
    });
}

TEST(SendKeysNotation, GroupsNestAndTheirModifiersAccumulate) {
    expectParses({
        {"+(ab)c", {ch('a', "S"), ch('b', "S"), ch('c')}},
        {"+(a^(b)c)", {ch('a', "S"), ch('b', "SC"), ch('c', "S")}},
        {"^(+(%(a)b)c)d", {ch('a', "SCA"), ch('b', "SC"), ch('c', "C"), ch('d')}},
        {"(ab)", {ch('a'), ch('b')}},
        {"+((a))", {ch('a', "S")}},
        {"+()", {}},
        {"+()a", {ch('a')}},
        {"+(^a b)", {ch('a', "SC"), ch(' ', "S"), ch('b', "S")}},
        {"+(+a)", {ch('a', "S")}},
        {"+^(a)", {ch('a', "SC")}},
        {"+({ENTER 2})", {vk(Enter, "S"), vk(Enter, "S")}},
        // A modifier with nothing left in its group is dropped at the ")".
        {"(a+)b", {ch('a'), ch('b')}},
        {"+(a)(b)", {ch('a', "S"), ch('b')}},
    });
}

TEST(SendKeysNotation, UnbalancedParenthesesRejectTheWholeText) {
    expectRejected({")", "(", "a)", "(a", "+(", "+(a", "((a)", "(a))", ")(", "+(a^(b)c", "ab)cd"});
    // Braced and balanced parentheses are fine.
    expectParses({
        {"{(}", {ch('(')}},
        {"{)}", {ch(')')}},
        {"({)})", {ch(')')}},
    });
}

TEST(SendKeysNotation, NamedKeysByEveryNameInAnyCase) {
    const std::vector<std::pair<std::string, int>> names = {
        {"BACKSPACE", 8},  {"BS", 8},           {"BKSP", 8},     {"BREAK", 3},   {"CAPSLOCK", 20},
        {"DELETE", 46},    {"DEL", 46},         {"DOWN", 40},    {"END", 35},    {"ENTER", 13},
        {"ESC", 27},       {"HELP", 47},        {"HOME", 36},    {"INSERT", 45}, {"INS", 45},
        {"LEFT", 37},      {"NUMLOCK", 144},    {"PGDN", 34},    {"PGUP", 33},   {"PRTSC", 44},
        {"RIGHT", 39},     {"SCROLLLOCK", 145}, {"TAB", 9},      {"UP", 38},     {"ADD", 107},
        {"SUBTRACT", 109}, {"MULTIPLY", 106},   {"DIVIDE", 111},
    };
    std::vector<Case> cases;
    for (const auto& [name, code] : names) {
        std::string lower;
        for (char c : name) {
            lower += static_cast<char>(c - 'A' + 'a');
        }
        std::string mixed = lower;
        mixed[0] = name[0];
        cases.push_back({"{" + name + "}", {vk(code)}});
        cases.push_back({"{" + lower + "}", {vk(code)}});
        cases.push_back({"{" + mixed + "}", {vk(code)}});
    }
    for (int n = 1; n <= 16; ++n) {
        cases.push_back({"{F" + std::to_string(n) + "}", {vk(111 + n)}});
        cases.push_back({"{f" + std::to_string(n) + "}", {vk(111 + n)}});
    }
    expectParses(cases);
}

TEST(SendKeysNotation, BracedSpecialCharactersTypeThemselves) {
    expectParses({
        {"{+}", {ch('+')}},
        {"{^}", {ch('^')}},
        {"{%}", {ch('%')}},
        {"{~}", {ch('~')}},
        {"{[}", {ch('[')}},
        {"{]}", {ch(']')}},
        {"{ }", {ch(' ')}},
        {"{a}", {ch('a')}},
        {"{A}", {ch('A')}},
        {"{F}", {ch('F')}},
        {"{5}", {ch('5')}},
        {"{{}", {ch('{')}},
        {"{}}", {ch('}')}},
        {"{}}{{}", {ch('}'), ch('{')}},
        {"{é}", {ch(U'é')}},
        {"{😀 2}", {ch(U'😀'), ch(U'😀')}},
        {"a{+}b", {ch('a'), ch('+'), ch('b')}},
    });
}

TEST(SendKeysNotation, RepeatCounts) {
    expectParses({
        {"{a 3}", {ch('a'), ch('a'), ch('a')}},
        {"{BS 2}", {vk(8), vk(8)}},
        {"{backspace 2}x", {vk(8), vk(8), ch('x')}},
        {"{ENTER 1}", {vk(Enter)}},
        {"{  3}", {ch(' '), ch(' '), ch(' ')}},
        {"{{ 2}", {ch('{'), ch('{')}},
        {"{} 2}", {ch('}'), ch('}')}},
        {"{+ 2}", {ch('+'), ch('+')}},
        {"{a 0}", {}},
        {"{a 0}b", {ch('b')}},
        {"{a 007}", Strokes(7, ch('a'))},
        {"+{a 2}b", {ch('a', "S"), ch('a', "S"), ch('b')}},
        // The modifier is spent even when the count types nothing.
        {"+{a 0}b", {ch('b')}},
        {"{F12 2}", {vk(123), vk(123)}},
    });
    const std::string maxRepeat = "{x " + std::to_string(MaxSendKeysRepeat) + "}";
    auto strokes = parseSendKeys(maxRepeat);
    ASSERT_TRUE(strokes.has_value());
    EXPECT_EQ(strokes->size(), static_cast<std::size_t>(MaxSendKeysRepeat));
    EXPECT_EQ(strokes->back(), ch('x'));
}

TEST(SendKeysNotation, BracesThatBreakTheNotationRejectTheWholeText) {
    expectRejected({
        "{",
        "{a",
        "ab{ENTER",
        "{}",
        "{}a",
        "{}a}",
        "a{}b",
        "{F17}",
        "{F0}",
        "{F01}",
        "{FF}",
        "{foo}",
        "{ENTERX}",
        "{ENTER }",  // a trailing blank is part of the name
        "{a  3}",    // the name before the last blank is "a "
        "{a b}",
        "{a -1}",
        "{a 3x}",
        "{ab 3}",
        "{a " + std::to_string(MaxSendKeysRepeat + 1) + "}",
        "{a 99999999999999999999999}",
        "{a 4294967297}",  // wraps to 1 in 32 bits
        "ok text then {nope}",
    });
}

TEST(SendKeysNotation, DeepNestingAndLongRunsStayCheap) {
    constexpr std::size_t depth = 100000;
    const std::string nested = std::string(depth, '(') + "a" + std::string(depth, ')');
    auto strokes = parseSendKeys(nested);
    ASSERT_TRUE(strokes.has_value());
    EXPECT_EQ(*strokes, Strokes{ch('a')});

    const std::string shifted = std::string(depth, '+') + "(a" + std::string(depth, ')');
    EXPECT_FALSE(parseSendKeys(shifted).has_value());
    const std::string modifiedGroups =
        "+(^(%(" + std::string(depth, '(') + "a" + std::string(depth + 3, ')');
    strokes = parseSendKeys(modifiedGroups);
    ASSERT_TRUE(strokes.has_value());
    EXPECT_EQ(*strokes, Strokes{ch('a', "SCA")});

    EXPECT_FALSE(parseSendKeys(std::string(depth, '(')).has_value());
    EXPECT_FALSE(parseSendKeys(std::string(depth, ')')).has_value());
    EXPECT_FALSE(parseSendKeys(std::string(depth, '{')).has_value());
    strokes = parseSendKeys(std::string(depth, '^'));
    ASSERT_TRUE(strokes.has_value());
    EXPECT_TRUE(strokes->empty());

    std::string braced;
    for (std::size_t i = 0; i < depth; ++i) {
        braced += "{{}";
    }
    strokes = parseSendKeys(braced);
    ASSERT_TRUE(strokes.has_value());
    EXPECT_EQ(strokes->size(), depth);
}

// Random texts without braces or parentheses can never be rejected, and
// type one key per character other than modifiers and line feeds.
TEST(SendKeysNotation, RandomTextsWithoutGroupsOrBracesAlwaysParse) {
    const std::string alphabet[] = {"a",  "b",  " ", "+", "^", "%", "~", "\r",
                                    "\n", "\t", "[", "]", "}", "é", "😀"};
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int size = length(random);
        std::size_t keys = 0;
        for (int i = 0; i < size; ++i) {
            const std::string& c = alphabet[pick(random)];
            text += c;
            if (c != "+" && c != "^" && c != "%" && c != "\n") {
                ++keys;
            }
        }
        auto strokes = parseSendKeys(text);
        ASSERT_TRUE(strokes.has_value()) << "text: \"" << text << "\"";
        EXPECT_EQ(strokes->size(), keys) << "text: \"" << text << "\"";
    }
}

}  // namespace
}  // namespace quorvel
