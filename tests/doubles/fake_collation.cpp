#include "tests/doubles/fake_collation.h"

#include <cstdint>

#include "text/utf8.h"

namespace quorvel {

namespace {

// The plain lower-case letter of a Latin letter, accented or not; 0 for other
// characters and for the letters that have no plain one (Æ, ß, Þ, Œ, Ŋ...).
char baseLetter(char32_t c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<char>(c - 'A' + 'a');
    }
    if (c >= 'a' && c <= 'z') {
        return static_cast<char>(c);
    }
    if (c >= 0xC0 && c <= 0xFF) {
        // À to ß, and à to ÿ in the same order.
        constexpr std::string_view Bases = "aaaaaa?ceeeeiiii?nooooo?ouuuuy??";
        const char base = c == 0xFF ? 'y' : Bases[(c - 0xC0) % 0x20];
        return base == '?' ? 0 : base;
    }
    if (c >= 0x100 && c <= 0x17F) {
        // Ā to ſ: mostly capital and small letter side by side.
        constexpr std::string_view Bases =
            "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii??jjkk?llllllllllnnnnnn???"
            "oooooo??rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
        const char base = Bases[c - 0x100];
        return base == '?' ? 0 : base;
    }
    return 0;
}

// The same code for a capital and its small letter, among the accented ones.
char32_t foldAccented(char32_t c) {
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return c - 0x20;
    }
    if (c == 0xFF) {
        return 0x178;  // ÿ Ÿ
    }
    if (c >= 0x100 && c <= 0x17F && c != 0x178) {
        // Capitals stand at even codes, except from Ĺ to ň and from Ź to ž.
        const bool capitalOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool odd = c % 2 != 0;
        return odd != capitalOdd ? c - 1 : c;
    }
    return c;
}

// Letters weigh as their plain letter; other characters as their code point.
std::uint32_t letterWeight(char32_t c) {
    const char base = baseLetter(c);
    return base != 0 ? static_cast<std::uint32_t>(base) : static_cast<std::uint32_t>(c);
}

// Among equal letters the plain one comes first, then the accented ones.
std::uint32_t accentWeight(char32_t c) {
    return c < 0x80 || baseLetter(c) == 0 ? 0 : static_cast<std::uint32_t>(foldAccented(c));
}

int compareBy(std::string_view a, std::string_view b, std::uint32_t (*weight)(char32_t)) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const utf8::Decoded x = utf8::decode(a, i);
        const utf8::Decoded y = utf8::decode(b, j);
        const std::uint32_t p = weight(x.character);
        const std::uint32_t q = weight(y.character);
        if (p != q) {
            return p < q ? -1 : 1;
        }
        i += x.length;
        j += y.length;
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;
    }
    return 0;
}

}  // namespace

int FakeCollation::compare(std::string_view a, std::string_view b) {
    const int byLetters = compareBy(a, b, letterWeight);
    return byLetters != 0 ? byLetters : compareBy(a, b, accentWeight);
}

}  // namespace quorvel
