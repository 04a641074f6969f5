#include "text/utf8_text.h"

#include <array>
#include <cstdint>

#include "text/ascii_case.h"
#include "text/utf8.h"
#include "text/windows_1252.h"

namespace quorvel {

namespace {

char32_t lowerLatinExtendedA(char32_t c) {
    const bool even = c % 2 == 0;
    if ((c <= 0x12F || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) && even) {
        return c + 1;
    }
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && !even) {
        return c + 1;
    }
    return c == 0x178 ? 0xFF : c;  // Ÿ
}

char32_t lowerGreek(char32_t c) {
    if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB)) {
        return c + 32;
    }
    if (c >= 0x388 && c <= 0x38A) {
        return c + 37;
    }
    if (c >= 0x3D8 && c <= 0x3EF && c % 2 == 0) {
        return c + 1;
    }
    switch (c) {
        case 0x386:
            return 0x3AC;
        case 0x38C:
            return 0x3CC;
        case 0x38E:
            return 0x3CD;
        case 0x38F:
            return 0x3CE;
        default:
            return c;
    }
}

char32_t lowerCyrillic(char32_t c) {
    if (c <= 0x40F) {
        return c + 80;
    }
    if (c <= 0x42F) {
        return c + 32;
    }
    if (c == 0x4C0) {
        return 0x4CF;
    }
    const bool even = c % 2 == 0;
    if (((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || c >= 0x4D0) && even) {
        return c + 1;
    }
    return c >= 0x4C1 && c <= 0x4CE && !even ? c + 1 : c;
}

// Where a character stands in the list's order: by its Windows-1252 code when
// it has one, otherwise after all of those.
std::uint32_t rank(char32_t character) {
    if (character < 0x80) {
        return character;
    }
    const auto byte = windows1252::fromUnicode(character);
    return byte ? *byte : 0x100 + static_cast<std::uint32_t>(character);
}

// Compares the texts character by character, each character first passed
// through `key`.
template <typename Key>
int compareBy(std::string_view a, std::string_view b, Key key) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[j]);
        // Sorted rows share long starts ("{S} ¯ "): equal ASCII needs no key.
        if (x == y && x < 0x80) {
            ++i;
            ++j;
            continue;
        }
        std::uint32_t p = 0;
        std::uint32_t q = 0;
        if (x < 0x80 && y < 0x80) {
            p = key(x);
            q = key(y);
            ++i;
            ++j;
        } else {
            const utf8::Decoded first = utf8::decode(a, i);
            const utf8::Decoded second = utf8::decode(b, j);
            p = key(first.character);
            q = key(second.character);
            i += first.length;
            j += second.length;
        }
        if (p != q) {
            return p < q ? -1 : 1;
        }
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;
    }
    return 0;
}

// The place of each lower-cased character up to U+07FF, the ones that take at
// most two bytes, worked out once: sorting a long list compares them often.
std::uint32_t loweredRank(char32_t c) {
    static const std::array<std::uint32_t, 0x800> ranks = [] {
        std::array<std::uint32_t, 0x800> all{};
        for (char32_t character = 0; character < all.size(); ++character) {
            all[character] = rank(lowerCase(character));
        }
        return all;
    }();
    return c < ranks.size() ? ranks[c] : rank(lowerCase(c));
}

int compareLowered(std::string_view a, std::string_view b) {
    return compareBy(a, b, loweredRank);
}

}  // namespace

char32_t lowerCase(char32_t c) {
    if (c < 0x80) {
        return static_cast<unsigned char>(asciiLower(static_cast<char>(c)));
    }
    if (c < 0x100) {
        return c >= 0xC0 && c <= 0xDE && c != 0xD7 ? c + 32 : c;
    }
    if (c <= 0x17F) {
        return lowerLatinExtendedA(c);
    }
    if (c >= 0x370 && c <= 0x3FF) {
        return lowerGreek(c);
    }
    if (c >= 0x400 && c <= 0x52F) {
        return lowerCyrillic(c);
    }
    return c;
}

std::string lowerCase(std::string_view text) {
    std::string lowered;
    lowered.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            lowered += asciiLower(static_cast<char>(byte));
            ++at;
            continue;
        }
        const utf8::Decoded decoded = utf8::decode(text, at);
        if (decoded.valid) {
            utf8::append(lowered, lowerCase(decoded.character));
        } else {
            lowered.append(text.substr(at, decoded.length));
        }
        at += decoded.length;
    }
    return lowered;
}

std::size_t findSeparator(std::string_view text, std::size_t from) {
    for (std::size_t second = from + 1; second < text.size(); ++second) {
        second = text.find(EntrySeparator[1], second);
        if (second == std::string_view::npos) {
            break;
        }
        if (text[second - 1] == EntrySeparator[0]) {
            return second - 1;
        }
    }
    return std::string_view::npos;
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

int compareIgnoringCase(std::string_view a, std::string_view b) {
    if (const int order = compareLowered(a, b); order != 0) {
        return order;
    }
    if (const int order = compareBy(a, b, rank); order != 0) {
        return order;
    }
    // Only texts with invalid bytes get here unequal: each reads as U+FFFD.
    const int raw = a.compare(b);
    return raw < 0 ? -1 : (raw > 0 ? 1 : 0);
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return compareLowered(a, b) == 0;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    while (true) {
        const auto hit = text.find(from, start);
        if (hit == std::string_view::npos || from.empty()) {
            result.append(text.substr(start));
            return result;
        }
        result.append(text.substr(start, hit - start));
        result.append(to);
        start = hit + from.size();
    }
}

}  // namespace quorvel
