#pragma once
// Letter case of the ASCII letters alone, for names that are plain ASCII (key
// names, macro names, setting words): no byte of a longer UTF-8 character is
// ASCII, so none can fold into one of them.

#include <cstddef>
#include <string_view>

namespace quorvel {

constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace quorvel
