#pragma once
#include <cstdint>

#include "platform/collation.h"
#include "text/utf8.h"

namespace quorvel {

// Orders as a Western European locale does, near enough for tests: letters
// without regard to case, each accented Latin-1 letter beside its plain one,
// before the next letter, the accent deciding only between texts equal but for
// accents. Other characters sort by their code point.
class FakeCollation final : public Collation {
  public:
    int compare(std::string_view a, std::string_view b) override {
        const int byLetters = compareBy(a, b, letterWeight);
        return byLetters != 0 ? byLetters : compareBy(a, b, accentWeight);
    }

  private:
    // Letters weigh as their plain small letter (À to ÿ too, save those without
    // one: Æ, Ð, ×, Þ, ß...); other characters as their code point.
    static std::uint32_t letterWeight(char32_t c) {
        if (c >= 'A' && c <= 'Z') {
            return c - 'A' + 'a';
        }
        if (c >= 0xC0 && c <= 0xFF) {
            constexpr std::string_view Bases = "aaaaaa?ceeeeiiii?nooooo?ouuuuy??";
            const char base = c == 0xFF ? 'y' : Bases[(c - 0xC0) % 0x20];
            return base == '?' ? c : static_cast<std::uint32_t>(base);
        }
        return c;
    }

    // Among equal letters the plain one comes first, then the accented ones, a
    // capital and its small letter alike.
    static std::uint32_t accentWeight(char32_t c) {
        if (c < 0xC0 || letterWeight(c) == c) {
            return 0;
        }
        return c >= 0xE0 && c != 0xFF ? c - 0x20 : c;
    }

    static int compareBy(std::string_view a, std::string_view b,
                         std::uint32_t (*weight)(char32_t)) {
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
};

}  // namespace quorvel
