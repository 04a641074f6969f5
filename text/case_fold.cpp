#include "text/case_fold.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "text/ascii_case.h"
#include "text/utf8.h"

namespace quorvel {

namespace {

struct FoldPair {
    char32_t from;
    char32_t to;
};

constexpr FoldPair FoldPairs[] = {
#include "text/case_folding_pairs.inc"
};

// Two steps instead of a search: the characters in blocks of 128, each block
// that holds a folding character a row of differences, every other block the
// shared row of zeros.
constexpr unsigned BlockBits = 7;
constexpr unsigned BlockSize = 1u << BlockBits;
constexpr std::size_t BlockCount = (FoldPairs[std::size(FoldPairs) - 1].from >> BlockBits) + 1;

constexpr std::size_t foldingBlocks() {
    std::size_t blocks = 0;
    char32_t last = ~char32_t{0};
    for (const FoldPair& pair : FoldPairs) {
        if (pair.from >> BlockBits != last) {
            last = pair.from >> BlockBits;
            ++blocks;
        }
    }
    return blocks;
}

struct FoldTable {
    std::array<std::uint8_t, BlockCount> rowOfBlock{};
    std::array<std::array<std::int32_t, BlockSize>, foldingBlocks() + 1> differences{};
};
static_assert(foldingBlocks() < 256);

constexpr FoldTable makeFoldTable() {
    FoldTable table;
    std::size_t rows = 0;
    for (const FoldPair& pair : FoldPairs) {
        const std::size_t block = pair.from >> BlockBits;
        if (table.rowOfBlock[block] == 0) {
            table.rowOfBlock[block] = static_cast<std::uint8_t>(++rows);
        }
        table.differences[table.rowOfBlock[block]][pair.from & (BlockSize - 1)] =
            static_cast<std::int32_t>(pair.to) - static_cast<std::int32_t>(pair.from);
    }
    return table;
}

constexpr FoldTable Folds = makeFoldTable();

constexpr std::uint64_t EveryByte(std::uint8_t byte) {
    return 0x0101010101010101ull * byte;
}

// Eight ASCII bytes with A to Z lowered: a byte's top bit says it is at least
// "A" and not past "Z", and shifted down it is the 0x20 that lowers it.
std::uint64_t lowerAsciiWord(std::uint64_t bytes) {
    const std::uint64_t fromA = bytes + EveryByte(0x80 - 'A');
    const std::uint64_t pastZ = bytes + EveryByte(0x80 - 'Z' - 1);
    return bytes | (((fromA & ~pastZ) & EveryByte(0x80)) >> 2);
}

// Lowers the ASCII run at the start of `text` onto `out` and returns its length.
std::size_t appendAsciiRun(std::string& out, std::string_view text) {
    std::size_t at = 0;
    while (at + 8 <= text.size()) {
        std::uint64_t bytes;
        std::memcpy(&bytes, text.data() + at, 8);
        if ((bytes & EveryByte(0x80)) != 0) {
            break;
        }
        bytes = lowerAsciiWord(bytes);
        char lowered[8];
        std::memcpy(lowered, &bytes, 8);
        out.append(lowered, 8);
        at += 8;
    }
    for (; at < text.size() && static_cast<unsigned char>(text[at]) < 0x80; ++at) {
        out += asciiLower(text[at]);
    }
    return at;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Two- and three-byte characters, nearly every letter beyond ASCII, read here;
// the rest, and whatever is no character, by the full decoder.
utf8::Decoded decodeCharacter(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const std::size_t left = text.size() - at;
    if (byte(0) >= 0xC2 && byte(0) <= 0xDF && left >= 2 && isContinuation(byte(1))) {
        return {static_cast<char32_t>((byte(0) & 0x1F) << 6 | (byte(1) & 0x3F)), 2, true};
    }
    if (byte(0) >= 0xE1 && byte(0) <= 0xEC && left >= 3 && isContinuation(byte(1)) &&
        isContinuation(byte(2))) {
        return {static_cast<char32_t>((byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 |
                                      (byte(2) & 0x3F)),
                3, true};
    }
    return utf8::decode(text, at);
}

}  // namespace

char32_t foldCharacter(char32_t character) {
    const std::size_t block = character >> BlockBits;
    if (block >= BlockCount) {
        return character;
    }
    const std::int32_t difference =
        Folds.differences[Folds.rowOfBlock[block]][character & (BlockSize - 1)];
    return static_cast<char32_t>(static_cast<std::int32_t>(character) + difference);
}

void appendFolded(std::string& out, std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        at += appendAsciiRun(out, text.substr(at));
        while (at < text.size() && static_cast<unsigned char>(text[at]) >= 0x80) {
            const utf8::Decoded decoded = decodeCharacter(text, at);
            // An invalid sequence has read as U+FFFD, which folds to itself.
            const char32_t folded = foldCharacter(decoded.character);
            if (decoded.valid && folded == decoded.character) {
                out.append(text.substr(at, decoded.length));
            } else {
                utf8::append(out, folded);
            }
            at += decoded.length;
        }
    }
}

void appendAsciiLowered(std::string& out, std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        at += appendAsciiRun(out, text.substr(at));
        for (; at < text.size() && static_cast<unsigned char>(text[at]) >= 0x80; ++at) {
            out += text[at];
        }
    }
}

}  // namespace quorvel
