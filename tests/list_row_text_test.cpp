#include "ui/list_row_text.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(ListRowText, EachLineBreakShowsAsOneMark) {
    const struct {
        const char* row;
        const char* shown;
    } cases[] = {
        {"quiet\r\nzone", "quiet|zone"},
        {"a\nb\rc", "a|b|c"},
        {"a\n\rb", "a||b"},  // LF then CR are two breaks
        {"\r\n\r\nend\r\n", "||end|"},
        {"a\n\nb\r", "a||b|"},
        {"no breaks\t here", "no breaks\t here"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(markLineBreaks(c.row, "|"), c.shown) << c.row;
    }
    // A mark of two bytes, as the pilcrow is in a double-byte code page.
    EXPECT_EQ(markLineBreaks("a\r\nb", "\x81\xF7"),
              "a\x81\xF7"
              "b");
}

// A long row shows its start and an ellipsis, never half a character: a row of
// megabytes was converted whole at every paint and froze the window.
TEST(ListRowText, LongRowShowsItsStart) {
    const std::string ellipsis = "\xE2\x80\xA6";
    const std::string exact(ShownRowBytes, 'x');
    EXPECT_EQ(markLineBreaks(exact, "|"), exact);
    EXPECT_EQ(markLineBreaks(exact + "\r\n" + std::string(1 << 20, 'y'), "|"), exact + ellipsis);
    // "é" is two bytes; one straddles the limit.
    const std::string straddling = std::string(ShownRowBytes - 1, 'x') + "\xC3\xA9" + "tail";
    EXPECT_EQ(markLineBreaks(straddling, "|"), std::string(ShownRowBytes - 1, 'x') + ellipsis);
}

}  // namespace
}  // namespace quorvel
