#include "text/utf8.h"

#include <cstdint>
#include <cstring>

namespace quorvel::utf8 {

namespace {

// The well-formed sequences: how many bytes follow a lead byte, and the range
// the first of them must fall in (the others are all 0x80..0xBF). The narrow
// ranges keep out overlong forms, surrogates and values past U+10FFFF.
struct Lead {
    std::size_t following;
    unsigned char low;
    unsigned char high;
};

constexpr Lead leadOf(unsigned char byte) {
    switch (byte) {
        case 0xE0:
            return {2, 0xA0, 0xBF};
        case 0xED:
            return {2, 0x80, 0x9F};
        case 0xF0:
            return {3, 0x90, 0xBF};
        case 0xF4:
            return {3, 0x80, 0x8F};
        default:
            break;
    }
    if (byte >= 0xC2 && byte <= 0xDF) {
        return {1, 0x80, 0xBF};
    }
    if (byte >= 0xE1 && byte <= 0xEF) {
        return {2, 0x80, 0xBF};
    }
    if (byte >= 0xF1 && byte <= 0xF3) {
        return {3, 0x80, 0xBF};
    }
    return {0, 0, 0};  // a continuation byte, C0, C1 or F5..FF: no lead at all
}

}  // namespace

Decoded decode(std::string_view text, std::size_t at) {
    const auto first = static_cast<unsigned char>(text[at]);
    if (first < 0x80) {
        return {first, 1, true};
    }
    const Lead lead = leadOf(first);
    if (lead.following == 0) {
        return {};
    }
    char32_t character = first & (0x3F >> lead.following);
    for (std::size_t i = 1; i <= lead.following; ++i) {
        if (at + i >= text.size()) {
            return {ReplacementCharacter, i, false};
        }
        const auto byte = static_cast<unsigned char>(text[at + i]);
        const unsigned char low = i == 1 ? lead.low : 0x80;
        const unsigned char high = i == 1 ? lead.high : 0xBF;
        if (byte < low || byte > high) {
            return {ReplacementCharacter, i, false};
        }
        character = (character << 6) | (byte & 0x3F);
    }
    return {character, lead.following + 1, true};
}

void append(std::string& text, char32_t character) {
    if ((character >= 0xD800 && character <= 0xDFFF) || character > 0x10FFFF) {
        character = ReplacementCharacter;
    }
    if (character < 0x80) {
        text += static_cast<char>(character);
    } else if (character < 0x800) {
        text += static_cast<char>(0xC0 | (character >> 6));
        text += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        text += static_cast<char>(0xE0 | (character >> 12));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (character >> 18));
        text += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (character & 0x3F));
    }
}

bool isValid(std::string_view text) {
    for (std::size_t at = firstNonAscii(text); at < text.size(); at = firstNonAscii(text, at)) {
        const Decoded decoded = decode(text, at);
        if (!decoded.valid) {
            return false;
        }
        at += decoded.length;
    }
    return true;
}

std::string repaired(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = decode(text, at);
        if (decoded.valid) {
            result.append(text.substr(at, decoded.length));
        } else {
            append(result, ReplacementCharacter);
        }
        at += decoded.length;
    }
    return result;
}

std::size_t firstNonAscii(std::string_view text, std::size_t from) {
    // Eight bytes at a time: a saved shortcut file is mostly ASCII.
    constexpr std::uint64_t HighBits = 0x8080808080808080u;
    std::size_t at = from;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, 8);
        if ((word & HighBits) != 0) {
            break;
        }
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) {
        ++at;
    }
    return at;
}

std::size_t length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += decode(text, at).length) {
        ++count;
    }
    return count;
}

std::u16string toUtf16(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = decode(text, at);
        const char32_t c = decoded.character;
        if (c < 0x10000) {
            wide += static_cast<char16_t>(c);
        } else {
            wide += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            wide += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
        at += decoded.length;
    }
    return wide;
}

std::string fromUtf16(std::u16string_view wide, bool& whole) {
    std::string text;
    text.reserve(wide.size());
    whole = true;
    for (std::size_t at = 0; at < wide.size(); ++at) {
        const char32_t unit = wide[at];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && at + 1 < wide.size() && wide[at + 1] >= 0xDC00 && wide[at + 1] <= 0xDFFF) {
            append(text, 0x10000 + ((unit - 0xD800) << 10) + (wide[at + 1] - 0xDC00));
            ++at;
        } else {
            whole = whole && (unit < 0xD800 || unit > 0xDFFF);
            append(text, unit);  // a surrogate on its own appends U+FFFD
        }
    }
    return text;
}

std::string fromUtf16(std::u16string_view wide) {
    bool whole = true;
    return fromUtf16(wide, whole);
}

}  // namespace quorvel::utf8
