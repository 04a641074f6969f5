#pragma once
// How an entry line is written in a shortcut file. A file without a UTF-8 mark
// holds ANSI text, as the ANSI versions of the program wrote it: the byte 0xAF
// is the entry separator wherever it stands, every other byte is text of the
// system's code page. A file with the mark holds UTF-8.

#include <optional>
#include <string>
#include <string_view>

#include "platform/ansi_code_page.h"

namespace quorvel {

// The UTF-8 byte-order mark that starts a shortcut file written as UTF-8.
inline constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// The UTF-16 byte-order marks, little-endian and big-endian.
inline constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";
inline constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";

// Appends the line's bytes, read in the code page, to `text` as UTF-8. Returns
// false when writing the line back would not give these bytes again (bytes the
// code page has no character for, or not one it writes the same way).
bool appendAnsiLine(std::string& text, std::string_view bytes, const AnsiCodePage& codePage);

struct DecodedLine {
    std::string text;
    bool exact = true;  // as for appendAnsiLine
};

// The text of a file that starts with a UTF-16 mark, as UTF-8 without the mark;
// nothing for a file without one. Half a surrogate pair reads as U+FFFD, and so
// does a last byte without its pair; either makes the text not exact.
std::optional<DecodedLine> decodeUtf16File(std::string_view bytes);

// Writes the line in ANSI text at `out`, where there is room for as many bytes
// as the line has (in no code page is a text longer than in UTF-8), and returns
// where it ends. Nothing, with part of it written, when some character has no
// place there: the code page lacks it, or writes it with the byte 0xAF, which
// would read back as the separator.
char* writeAnsiLine(char* out, std::string_view line, const AnsiCodePage& codePage);

}  // namespace quorvel
