#pragma once
// Text at the Win32 edge: the program holds UTF-8, the wide (W) functions take
// and give UTF-16. Every conversion goes through here.

#include <string>
#include <string_view>

namespace quorvel {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

// Invalid UTF-8 becomes U+FFFD.
std::wstring wideText(std::string_view utf8);
// Half a surrogate pair on its own becomes U+FFFD.
std::string utf8Text(std::wstring_view wide);
// The text up to its NUL, or up to `capacity` units when it has none.
std::string utf8Text(const wchar_t* wide, std::size_t capacity);

// Writes the text into a buffer of `capacity` units (above 0), cut short when
// it must be but never inside a surrogate pair, and ends it with a NUL.
// Returns the units written before the NUL.
std::size_t copyWideText(std::string_view utf8, wchar_t* buffer, std::size_t capacity);

}  // namespace quorvel
