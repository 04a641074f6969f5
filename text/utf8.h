#pragma once
// UTF-8, the form every text takes inside the program: decoding one character,
// encoding one, and checking or repairing a whole text. Bad input never stops a
// reader: a byte sequence that is no character reads as U+FFFD.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::utf8 {

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

struct Decoded {
    char32_t character = ReplacementCharacter;
    std::size_t length = 1;  // bytes taken, at least 1
    bool valid = false;
};

// The character that starts at byte `at` (below text.size()). An invalid or
// cut-short sequence reads as U+FFFD and takes its longest valid-looking start,
// so that the next character is read from where a correct text would go on.
Decoded decode(std::string_view text, std::size_t at);

// Appends the character; a surrogate or a value past U+10FFFF appends U+FFFD.
void append(std::string& text, char32_t character);

bool isValid(std::string_view text);

// The text with every invalid sequence replaced by U+FFFD.
std::string repaired(std::string_view text);

// The number of characters, an invalid sequence counting as one.
std::size_t length(std::string_view text);

// UTF-16, as the wide functions of Windows take and give text: characters
// beyond U+FFFF as a surrogate pair. An invalid sequence becomes U+FFFD, and so
// does half a pair on its own.
std::u16string toUtf16(std::string_view text);
std::string fromUtf16(std::u16string_view text);
// The same, telling whether every unit was read as it stands (no half pair).
std::string fromUtf16(std::u16string_view text, bool& whole);

// Where the first byte from 0x80 up is, or the size when there is none.
std::size_t firstNonAscii(std::string_view text, std::size_t from = 0);

inline bool isAscii(std::string_view text) {
    return firstNonAscii(text) == text.size();
}

}  // namespace quorvel::utf8
