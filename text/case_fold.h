#pragma once
// Letter case in every script, for comparing texts without regard to it:
// Unicode's simple case folding, one character to one ("É" to "é", "Σ" and "ς"
// to "σ", "Ａ" to "ａ"). Characters without case, CJK and emoji among them,
// fold to themselves.

#include <string>
#include <string_view>

namespace quorvel {

char32_t foldCharacter(char32_t character);

// Appends `text` folded. ASCII goes eight bytes at a time; a byte sequence that
// is no UTF-8 character reads as U+FFFD, as everywhere in the program.
void appendFolded(std::string& out, std::string_view text);

// Appends `text` with only the ASCII letters lowered, by the same eight-byte
// steps: what a plain case-insensitive scan does to the bytes.
void appendAsciiLowered(std::string& out, std::string_view text);

}  // namespace quorvel
