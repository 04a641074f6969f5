#pragma once
// What a list or the dialogs hold, read back as plain strings for comparison.

#include <string>
#include <string_view>
#include <vector>

#include "commontext/text_rows.h"
#include "engine/shortcut_list.h"
#include "storage/shortcut_file.h"
#include "storage/shortcut_file_encoding.h"
#include "text/utf8.h"
#include "text/utf8_text.h"
#include "text/windows_1252.h"

namespace quorvel::testing {

inline std::vector<std::string> entryLines(const ShortcutList& list) {
    std::vector<std::string> lines;
    for (std::size_t row = 0; row < list.count(); ++row) {
        lines.emplace_back(list.entryLine(row));
    }
    return lines;
}

// A shortcut file holding the entry lines in the order given.
inline std::string fileOf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\x01";
    }
    return bytes + "\x01\r\n";
}

inline std::vector<std::string> rowTexts(const TextRows& rows) {
    std::vector<std::string> texts;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        texts.emplace_back(rows[row]);
    }
    return texts;
}

// The bytes of UTF-16 code units after the mark, as Notepad saves "Unicode".
inline std::string utf16File(std::u16string_view units, bool littleEndian) {
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t unit : units) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

// The records a shortcut file closes with a separator that hold more than
// blanks, as text: UTF-8 after the mark (invalid bytes as U+FFFD), UTF-16 after
// its marks (half a pair, or a last odd byte, as U+FFFD), otherwise one
// Windows-1252 character per byte.
inline std::vector<std::string> closedRecords(std::string_view bytes) {
    const bool littleEndian = bytes.starts_with("\xFF\xFE");
    std::string fromUtf16;
    if (littleEndian || bytes.starts_with("\xFE\xFF")) {
        std::u16string units;
        for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
            const auto first = static_cast<unsigned char>(bytes[at]);
            const auto second = static_cast<unsigned char>(bytes[at + 1]);
            units +=
                static_cast<char16_t>(littleEndian ? second * 256 + first : first * 256 + second);
        }
        fromUtf16 = std::string(Utf8Mark) + utf8::fromUtf16(units);
        if (bytes.size() % 2 != 0) {
            utf8::append(fromUtf16, utf8::ReplacementCharacter);
        }
        bytes = fromUtf16;
    }
    const bool marked = bytes.starts_with(Utf8Mark);
    if (marked) {
        bytes.remove_prefix(Utf8Mark.size());
    }
    std::vector<std::string> records;
    std::size_t start = 0;
    for (std::size_t end = bytes.find(RecordSeparator); end != std::string_view::npos;
         start = end + 1, end = bytes.find(RecordSeparator, start)) {
        const std::string_view piece = bytes.substr(start, end - start);
        if (trimBlanks(piece).empty()) {
            continue;
        }
        std::string text;
        if (marked) {
            text = utf8::repaired(piece);
        } else {
            for (const char c : piece) {
                utf8::append(text, windows1252::toUnicode(static_cast<unsigned char>(c)));
            }
        }
        records.push_back(std::move(text));
    }
    return records;
}

}  // namespace quorvel::testing
