#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

// The wide functions of Windows take and give UTF-16.
TEST(Utf8, Utf16PairsCharactersBeyondTheFirstPlaneAndReplacesBrokenOnes) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    const Case both[] = {
        {"", u""},
        {"a\r\n", u"a\r\n"},
        {"Zażółć", u"Zażółć"},
        {"日本語 → ✓", u"日本語 → ✓"},
        {"😀x\U0010FFFD", u"\xD83D\xDE00x\xDBFF\xDFFD"},
    };
    for (const Case& c : both) {
        EXPECT_EQ(utf8::toUtf16(c.utf8), c.utf16) << c.utf8;
        EXPECT_EQ(utf8::fromUtf16(c.utf16), c.utf8) << c.utf8;
    }
    EXPECT_EQ(utf8::toUtf16("a\xFF\xF0\x9F\x98z"), u"a\uFFFD\uFFFDz");
    const std::u16string halves[] = {u"\xD83D", u"\xDE00", u"\xD83Dx", u"\xDE00\xDE00\xD83D"};
    const char* read[] = {"\uFFFD", "\uFFFD", "\uFFFDx", "\uFFFD\uFFFD\uFFFD"};
    for (std::size_t i = 0; i < std::size(halves); ++i) {
        EXPECT_EQ(utf8::fromUtf16(halves[i]), read[i]) << i;
    }
}

}  // namespace
}  // namespace quorvel
