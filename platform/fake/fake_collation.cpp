#include "platform/fake/fake_collation.h"

#include <algorithm>

namespace quorvel {

namespace {

// The plain lower-case letter of a Windows-1252 letter, accented or not; 0 for
// other characters and for the letters that have no plain one (Æ, ß, Þ...).
char baseLetter(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<char>(c - 'A' + 'a');
    }
    if (c >= 'a' && c <= 'z') {
        return static_cast<char>(c);
    }
    if (c == 0xFF || c == 0x9F) {
        return 'y';  // ÿ Ÿ
    }
    if (c >= 0xC0) {
        // À to ß, and à to ÿ in the same order.
        constexpr std::string_view Bases = "aaaaaa?ceeeeiiii?nooooo?ouuuuy??";
        const char base = Bases[(c - 0xC0) % 0x20];
        return base == '?' ? 0 : base;
    }
    switch (c) {
        case 0x8A: case 0x9A: return 's';  // Š š
        case 0x8E: case 0x9E: return 'z';  // Ž ž
        default: return 0;
    }
}

// Letters weigh as their plain letter; other characters as their code.
unsigned letterWeight(unsigned char c) {
    const char base = baseLetter(c);
    return static_cast<unsigned char>(base != 0 ? base : static_cast<char>(c));
}

// Among equal letters the plain one comes first, then the accented ones by the
// code of their capital.
unsigned accentWeight(unsigned char c) {
    if (baseLetter(c) == 0 || (c < 0x80)) {
        return 0;
    }
    switch (c) {
        case 0x9A: return 0x8A;
        case 0x9E: return 0x8E;
        case 0xFF: return 0x9F;
        default: return c >= 0xE0 && c != 0xF7 ? c - 0x20u : c;
    }
}

int compareBy(std::string_view a, std::string_view b, unsigned (*weight)(unsigned char)) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned x = weight(static_cast<unsigned char>(a[i]));
        const unsigned y = weight(static_cast<unsigned char>(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

int FakeCollation::compare(std::string_view a, std::string_view b) {
    const int byLetters = compareBy(a, b, letterWeight);
    return byLetters != 0 ? byLetters : compareBy(a, b, accentWeight);
}

}  // namespace quorvel
