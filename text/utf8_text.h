#pragma once
// Text helpers for the UTF-8 text that entries are held in: the entry
// separator, blanks, letter case and the order of the shortcut list.

#include <string>
#include <string_view>

namespace quorvel {

// The macron, U+00AF: splits an entry line into mode, trigger and text.
inline constexpr std::string_view EntrySeparator = "\xC2\xAF";

// Where the next separator starts, from `from` on, or npos. Quicker than a
// plain search in text full of other Latin-1 characters, which share its
// first byte.
std::size_t findSeparator(std::string_view text, std::size_t from = 0);

// Lower-cases A-Z and the capitals of the Latin, Greek and Cyrillic letters;
// every other character, and any invalid byte, stays as it is.
char32_t lowerCase(char32_t character);
std::string lowerCase(std::string_view text);

// Removes leading and trailing blanks (the space character only).
std::string_view trimBlanks(std::string_view text);

// Case-insensitive three-way comparison, then by the characters themselves.
// Characters of Windows-1252 keep the order of their code there, ahead of all
// others, so a list saved by the ANSI version of the program is in order still.
int compareIgnoringCase(std::string_view a, std::string_view b);
// Equal but for capitals (compareIgnoringCase orders such texts apart).
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Replaces every occurrence of `from` (non-empty) by `to`.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace quorvel
