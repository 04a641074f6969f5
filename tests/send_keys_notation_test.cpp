#include "engine/send_keys_notation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/key_strokes.h"

namespace quorvel {
namespace {

using testing::keysText;

// Each notation and its strokes as keysText writes them: "+(a)" is Shift
// pressed, a, Shift released.
void expectParses(const std::vector<std::pair<std::string, std::string>>& cases) {
    for (const auto& [notation, expected] : cases) {
        SCOPED_TRACE("notation: \"" + notation + "\"");
        const auto strokes = parseSendKeys(notation);
        ASSERT_TRUE(strokes.has_value());
        EXPECT_EQ(keysText(*strokes), expected);
    }
}

void expectRejected(const std::vector<std::string>& notations) {
    for (const std::string& notation : notations) {
        EXPECT_FALSE(parseSendKeys(notation).has_value()) << "notation: \"" << notation << "\"";
    }
}

TEST(SendKeysNotation, PlainTextAndControlBytes) {
    expectParses({
        {"", ""},
        {"A z", "A z"},
        {"a\r\nb\t", "a{ENTER}b{TAB}"},
        {"é→😀", "é→😀"},
        // Bytes that are no UTF-8 type U+FFFD, one for each broken sequence.
        {"\xE9\xFF\xE2\x82", "\uFFFD\uFFFD\uFFFD"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"a~~", "a{ENTER}{ENTER}"},
        // A lone closing brace is not part of any braced key.
        {"}", "{}}"},
    });
}

TEST(SendKeysNotation, ModifiersHoldOnlyTheNextKey) {
    expectParses({
        {"+ab", "+(a)b"},
        {"%^+a", "+(^(%(a)))"},
        {"++a", "+(a)"},
        {"a+", "a"},
        {"+^%", ""},
        {"+~", "+({ENTER})"},
        {"+\na", "+(a)"},
        {"^{v}", "^(v)"},
        {"+{TAB}a", "+({TAB})a"},
        {"^{+}", "^({+})"},
        {"+}", "+({}})"},
    });
}

TEST(SendKeysNotation, GroupsNestAndTheirModifiersAccumulate) {
    expectParses({
        {"+(ab)c", "+(ab)c"},
        {"^(+(%(a)b)c)d", "^(+(%(a)b)c)d"},
        {"+()a", "a"},
        {"%(+())", ""},  // nothing held for no key
        {"+(^a b)", "+(^(a) b)"},
        {"+(+a)", "+(a)"},  // held already
        {"+({ENTER 2})", "+({ENTER}{ENTER})"},
        // A modifier with nothing left in its group is dropped at the ")".
        {"(a+)b", "ab"},
        {"+(a)(b)", "+(a)b"},
        // Braced parentheses are characters.
        {"({)})", "{)}"},
        {"{(}", "{(}"},
    });
    expectRejected({")", "(a", "((a)", "(a))", ")(", "ab)cd"});
}

TEST(SendKeysNotation, BracedKeysAndRepeatCounts) {
    expectParses({
        // Names in any case, and their other names.
        {"{BS}{bksp}{Enter}{pgdn}{DIVIDE}", "{BACKSPACE}{BACKSPACE}{ENTER}{#34}{#111}"},
        {"{F1}{f16}{F10}", "{F1}{F16}{F10}"},
        // Any one character in braces types itself, a brace too.
        {"{+}{~}{ }{F}{{}{}}{é}", "{+}{~} F{{}{}}é"},
        {"{a 3}{BS 2}x", "aaa{BACKSPACE}{BACKSPACE}x"},
        {"{  3}{} 2}{😀 2}", "   {}}{}}😀😀"},
        {"{a 0}b{a 007}", "baaaaaaa"},
        {"+{a 2}b", "+(aa)b"},
        // The modifier is spent even when the count types nothing.
        {"+{a 0}b", "b"},
        {"{x " + std::to_string(MaxSendKeysRepeat) + "}", std::string(MaxSendKeysRepeat, 'x')},
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
    expectParses({
        {literalKeys("+^%~(){}[] "), "{+}{^}{%}{~}{(}{)}{{}{}}[] "},
        {literalKeys("{ENTER}{v2}"), "{{}ENTER{}}{{}v2{}}"},
        {literalKeys("a\r\nb\nc\rd\r\r\n\n\t"),
         "a{ENTER}b{ENTER}c{ENTER}d{ENTER}{ENTER}{ENTER}{TAB}"},
        {literalKeys("é😀\xE2\x82}"), "é😀\uFFFD{}}"},
        {"+" + literalKeys("ab"), "+(a)b"},
        {"{" + literalKeys("}") + "}", "{{}{}}{}}"},
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
        {std::string(depth, '(') + "a" + std::string(depth, ')'), "a"},
        {"+(^(%(" + std::string(depth, '(') + "a" + std::string(depth + 3, ')'), "+(^(%(a)))"},
        {std::string(depth, '^'), ""},
        {braced, braced},
    });
    expectRejected({std::string(depth, '+') + "(a" + std::string(depth, ')'),
                    std::string(depth, '('), std::string(depth, ')'), std::string(depth, '{')});
}

}  // namespace
}  // namespace quorvel
