#pragma once
// Text helpers for the single-byte ANSI text (Windows-1252) that entries are held in.

#include <string>
#include <string_view>

namespace quorvel {

// The character with code 175 (the macron): splits an entry line into mode, trigger and text.
inline constexpr char EntrySeparator = static_cast<char>(0xAF);

// Lower-cases A-Z and the upper-case letters of Windows-1252.
char ansiLower(char c);
std::string ansiLower(std::string_view text);

// Removes leading and trailing blanks (the space character only).
std::string_view trimBlanks(std::string_view text);

// Case-insensitive three-way comparison (by ansiLower), then by the raw bytes.
int compareIgnoringCase(std::string_view a, std::string_view b);
// Equal but for capitals (compareIgnoringCase orders such texts apart).
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Replaces every occurrence of `from` (non-empty) by `to`.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace quorvel
