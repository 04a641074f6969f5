#include "storage/shortcut_file_encoding.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "text/utf8.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

constexpr char AnsiSeparator = '\xAF';
constexpr std::size_t npos = std::string_view::npos;

// The text between two separators; `end` is npos for the last piece.
std::string_view between(std::string_view text, std::size_t start, std::size_t end) {
    return text.substr(start, end == npos ? npos : end - start);
}

bool isSeparatorAt(const char* at, const char* end) {
    return end - at >= 2 && at[0] == EntrySeparator[0] && at[1] == EntrySeparator[1];
}

}  // namespace

bool appendAnsiLine(std::string& text, std::string_view bytes, const AnsiCodePage& codePage) {
    if (utf8::isAscii(bytes)) {
        text.append(bytes);
        return true;
    }
    bool exact = true;
    for (std::size_t start = 0;;) {
        const std::size_t end = bytes.find(AnsiSeparator, start);
        const std::size_t before = text.size();
        const std::string_view piece = between(bytes, start, end);
        if (utf8::isAscii(piece)) {
            text.append(piece);  // the same in every code page Windows uses for text
        } else {
            // A separator from other bytes would come back as the byte 0xAF.
            exact =
                codePage.appendUtf8(text, piece) && findSeparator(text, before) == npos && exact;
        }
        if (end == npos) {
            return exact;
        }
        text.append(EntrySeparator);
        start = end + 1;
    }
}

std::optional<DecodedLine> decodeUtf16File(std::string_view bytes) {
    const bool littleEndian = bytes.starts_with(Utf16LittleEndianMark);
    if (!littleEndian && !bytes.starts_with(Utf16BigEndianMark)) {
        return std::nullopt;
    }
    bytes.remove_prefix(2);
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(littleEndian ? first | second << 8 : first << 8 | second);
    }
    bool whole = true;
    DecodedLine file{utf8::fromUtf16(units, whole), whole && bytes.size() % 2 == 0};
    if (bytes.size() % 2 != 0) {
        utf8::append(file.text, utf8::ReplacementCharacter);
    }
    return file;
}

char* writeAnsiLine(char* out, std::string_view line, const AnsiCodePage& codePage) {
    // Eight ASCII bytes at a time: saving is mostly copying ASCII, over every
    // byte of the list. ASCII is the same in every code page, and no byte of a
    // longer UTF-8 character is ASCII, so only the runs between go through the
    // code page.
    constexpr std::uint64_t HighBits = 0x8080808080808080u;
    const char* in = line.data();
    const char* const end = in + line.size();
    std::string run;
    while (in < end) {
        if (end - in >= 8) {
            // The buffer has room for eight more bytes: the rest of the line
            // is that long, and what is written never outruns what is read.
            std::uint64_t word = 0;
            std::memcpy(&word, in, 8);
            std::memcpy(out, in, 8);
            const std::uint64_t high = word & HighBits;
            const auto ascii = static_cast<std::size_t>(high == 0 ? 8
                                                        : std::endian::native == std::endian::little
                                                            ? std::countr_zero(high) / 8
                                                            : std::countl_zero(high) / 8);
            in += ascii;
            out += ascii;
            if (ascii == 8) {
                continue;
            }
        } else if (static_cast<unsigned char>(*in) < 0x80) {
            *out++ = *in++;
            continue;
        }
        if (isSeparatorAt(in, end)) {
            *out++ = AnsiSeparator;
            in += EntrySeparator.size();
            continue;
        }
        const char* runEnd = in;
        while (runEnd < end && static_cast<unsigned char>(*runEnd) >= 0x80 &&
               !isSeparatorAt(runEnd, end)) {
            ++runEnd;
        }
        const auto length = static_cast<std::size_t>(runEnd - in);
        run.clear();
        // The byte 0xAF always reads back as the separator, so a character the
        // code page writes with it (Ż on a Polish system) does not fit.
        if (!codePage.appendAnsi(run, std::string_view(in, length)) || run.size() > length ||
            std::find(run.begin(), run.end(), AnsiSeparator) != run.end()) {
            return nullptr;
        }
        out = std::copy(run.begin(), run.end(), out);
        in = runEnd;
    }
    return out;
}

}  // namespace quorvel
