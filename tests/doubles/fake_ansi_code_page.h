#pragma once
// Windows-1252 as the system's ANSI code page, as on a Western Windows.

#include <array>
#include <cstring>

#include "platform/ansi_code_page.h"
#include "text/utf8.h"
#include "text/windows_1252.h"

namespace quorvel {

class FakeWindows1252 final : public AnsiCodePage {
  public:
    bool appendUtf8(std::string& utf8, std::string_view ansi) const override {
        const auto& table = utf8OfBytes();
        std::size_t size = 0;
        for (const char byte : ansi) {
            size += table[static_cast<unsigned char>(byte)].size;
        }
        const std::size_t start = utf8.size();
        // With room for the last fixed-size copy.
        utf8.resize(start + size + 3);
        char* out = utf8.data() + start;
        for (const char byte : ansi) {
            const Utf8OfByte& character = table[static_cast<unsigned char>(byte)];
            std::memcpy(out, character.bytes.data(), character.bytes.size());
            out += character.size;
        }
        utf8.resize(start + size);
        return true;
    }
    bool appendAnsi(std::string& ansi, std::string_view utf8) const override {
        for (std::size_t at = 0; at < utf8.size();) {
            const utf8::Decoded decoded = utf8::decode(utf8, at);
            const auto byte = windows1252::fromUnicode(decoded.character);
            if (!decoded.valid || !byte) {
                return false;
            }
            ansi += static_cast<char>(*byte);
            at += decoded.length;
        }
        return true;
    }

  private:
    // Each byte's character in UTF-8, worked out once: files of 100 MB go through
    // here. Four bytes of room, so that each goes with one fixed-size copy.
    struct Utf8OfByte {
        std::array<char, 4> bytes{};
        std::size_t size = 0;
    };

    static const std::array<Utf8OfByte, 256>& utf8OfBytes() {
        static const std::array<Utf8OfByte, 256> table = [] {
            std::array<Utf8OfByte, 256> all{};
            for (std::size_t byte = 0; byte < all.size(); ++byte) {
                std::string text;
                utf8::append(text, windows1252::toUnicode(static_cast<unsigned char>(byte)));
                text.copy(all[byte].bytes.data(), text.size());
                all[byte].size = text.size();
            }
            return all;
        }();
        return table;
    }
};

}  // namespace quorvel
