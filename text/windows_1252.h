#pragma once
// The Windows-1252 code page (Western European), the ANSI code page of a
// Western Windows. The five bytes it leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) stand for the control characters of the same codes, as Windows reads
// them, so every byte has a character and comes back as itself.

#include <optional>

namespace quorvel::windows1252 {

char32_t toUnicode(unsigned char byte);
std::optional<unsigned char> fromUnicode(char32_t character);

}  // namespace quorvel::windows1252
