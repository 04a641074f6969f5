#include "engine/send_keys_notation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/key_strokes.h"

namespace quorvel {
namespace {

using Strokes = std::vector<KeyStroke>;
using testing::ch;
using testing::vk;

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
        {"A z", {ch('A'), ch(' '), ch('z')}},
        {"a\r\nb\t", {ch('a'), vk(Enter), ch('b'), vk(Tab)}},
        {"é→😀", {ch(U'é'), ch(U'→'), ch(U'😀')}},
        // Bytes that are no UTF-8 type U+FFFD, one for each broken sequence.
        {"\xE9\xFF\xE2\x82", {ch(0xFFFD), ch(0xFFFD), ch(0xFFFD)}},
        {std::string("a\0b", 3), {ch('a'), ch('\0'), ch('b')}},
        {"a~~", {ch('a'), vk(Enter), vk(Enter)}},
        // A lone closing brace is not part of any braced key.
        {"}", {ch('}')}},
    });
}

TEST(SendKeysNotation, ModifiersHoldOnlyTheNextKey) {
    expectParses({
        {"+ab", {ch('a', "S"), ch('b')}},
        {"%^+a", {ch('a', "SCA")}},
        {"++a", {ch('a', "S")}},
        {"a+", {ch('a')}},
        {"+^%", {}},
        {"+~", {vk(Enter, "S")}},
        {"+\na", {ch('a', "S")}},
        {"^{v}", {ch('v', "C")}},
        {"+{TAB}a", {vk(Tab, "S"), ch('a')}},
        {"^{+}", {ch('+', "C")}},
        {"+}", {ch('}', "S")}},
    });
}

TEST(SendKeysNotation, GroupsNestAndTheirModifiersAccumulate) {
    expectParses({
        {"+(ab)c", {ch('a', "S"), ch('b', "S"), ch('c')}},
        {"^(+(%(a)b)c)d", {ch('a', "SCA"), ch('b', "SC"), ch('c', "C"), ch('d')}},
        {"+()a", {ch('a')}},
        {"+(^a b)", {ch('a', "SC"), ch(' ', "S"), ch('b', "S")}},
        {"+({ENTER 2})", {vk(Enter, "S"), vk(Enter, "S")}},
        // A modifier with nothing left in its group is dropped at the ")".
        {"(a+)b", {ch('a'), ch('b')}},
        {"+(a)(b)", {ch('a', "S"), ch('b')}},
        // Braced parentheses are characters.
        {"({)})", {ch(')')}},
        {"{(}", {ch('(')}},
    });
    expectRejected({")", "(a", "((a)", "(a))", ")(", "ab)cd"});
}

TEST(SendKeysNotation, BracedKeys) {
    expectParses({
        // Names in any case, and their other names.
        {"{BS}{bksp}{Enter}{pgdn}{DIVIDE}", {vk(8), vk(8), vk(Enter), vk(34), vk(111)}},
        {"{F1}{f16}{F10}", {vk(112), vk(127), vk(121)}},
        // Any one character in braces types itself, a brace too.
        {"{+}{~}{ }{F}", {ch('+'), ch('~'), ch(' '), ch('F')}},
        {"{{}", {ch('{')}},
        {"{}}{{}", {ch('}'), ch('{')}},
        {"{é}", {ch(U'é')}},
    });
}

TEST(SendKeysNotation, RepeatCounts) {
    expectParses({
        {"{a 3}", {ch('a'), ch('a'), ch('a')}},
        {"{BS 2}x", {vk(8), vk(8), ch('x')}},
        {"{  3}", {ch(' '), ch(' '), ch(' ')}},
        {"{} 2}", {ch('}'), ch('}')}},
        {"{😀 2}", {ch(U'😀'), ch(U'😀')}},
        {"{a 0}b", {ch('b')}},
        {"{a 007}", Strokes(7, ch('a'))},
        {"+{a 2}b", {ch('a', "S"), ch('a', "S"), ch('b')}},
        // The modifier is spent even when the count types nothing.
        {"+{a 0}b", {ch('b')}},
        {"{x " + std::to_string(MaxSendKeysRepeat) + "}", Strokes(MaxSendKeysRepeat, ch('x'))},
    });
}

TEST(SendKeysNotation, BracesThatBreakTheNotationRejectTheWholeText) {
    expectRejected({
        "{", "ab{ENTER", "{}", "a{}b", "{F17}", "{F0}", "{F01}", "{foo}",
        "{ENTER }",  // a trailing blank is part of the name
        "{a  3}",    // the name before the last blank is "a "
        "{a b}", "{a -1}", "{ab 3}", "{a " + std::to_string(MaxSendKeysRepeat + 1) + "}",
        "{a 99999999999999999999999}",
        "{a 4294967297}",  // wraps to 1 in 32 bits
    });
}

// Text that is data types exactly its characters, line breaks of every kind as
// one Enter each, and none of it joins with notation around it.
TEST(SendKeysNotation, LiteralKeysTypeExactlyTheirCharacters) {
    const std::string specials = "+^%~(){}[] ";
    Strokes typed;
    for (const char c : specials) {
        typed.push_back(ch(static_cast<char32_t>(c)));
    }
    expectParses({
        {literalKeys(specials), typed},
        {literalKeys("{ENTER}{v2}"),
         {ch('{'), ch('E'), ch('N'), ch('T'), ch('E'), ch('R'), ch('}'), ch('{'), ch('v'), ch('2'),
          ch('}')}},
        {literalKeys("a\r\nb\nc\rd\r\r\n\n\t"),
         {ch('a'), vk(Enter), ch('b'), vk(Enter), ch('c'), vk(Enter), ch('d'), vk(Enter), vk(Enter),
          vk(Enter), vk(Tab)}},
        {literalKeys("é😀\xE2\x82}"), {ch(U'é'), ch(U'😀'), ch(0xFFFD), ch('}')}},
        {"+" + literalKeys("ab"), {ch('a', "S"), ch('b')}},
        {"{" + literalKeys("}") + "}", {ch('{'), ch('}'), ch('}')}},
    });
    expectRejected({"{" + literalKeys("ENTER") + "}", "{F" + literalKeys("1") + "}",
                    "{a " + literalKeys("3") + "}", "{" + literalKeys("a") + "}"});
}

TEST(SendKeysNotation, DeepNestingAndLongRunsStayCheap) {
    constexpr std::size_t depth = 100000;
    std::string braced;
    for (std::size_t i = 0; i < depth; ++i) {
        braced += "{{}";
    }
    expectParses({
        {std::string(depth, '(') + "a" + std::string(depth, ')'), {ch('a')}},
        {"+(^(%(" + std::string(depth, '(') + "a" + std::string(depth + 3, ')'), {ch('a', "SCA")}},
        {std::string(depth, '^'), {}},
        {braced, Strokes(depth, ch('{'))},
    });
    expectRejected({std::string(depth, '+') + "(a" + std::string(depth, ')'),
                    std::string(depth, '('), std::string(depth, ')'), std::string(depth, '{')});
}

}  // namespace
}  // namespace quorvel
