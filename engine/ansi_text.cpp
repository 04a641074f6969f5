#include "engine/ansi_text.h"

#include <algorithm>

namespace quorvel {

char ansiLower(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z') {
        return static_cast<char>(byte + 32);
    }
    // Windows-1252: À..Þ except the multiplication sign, and Š Œ Ž Ÿ.
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) {
        return static_cast<char>(byte + 32);
    }
    switch (byte) {
        case 0x8A: return static_cast<char>(0x9A);
        case 0x8C: return static_cast<char>(0x9C);
        case 0x8E: return static_cast<char>(0x9E);
        case 0x9F: return static_cast<char>(0xFF);
        default: return c;
    }
}

std::string ansiLower(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        c = ansiLower(c);
    }
    return lowered;
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
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(ansiLower(a[i]));
        const auto y = static_cast<unsigned char>(ansiLower(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    const int raw = a.compare(b);
    return raw < 0 ? -1 : (raw > 0 ? 1 : 0);
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return ansiLower(x) == ansiLower(y); });
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
