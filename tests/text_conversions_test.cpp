// What the key notation parser, the macro expander, the UTF-16 conversion and
// the list's row text make of their input. Each case is a row of
// tests/golden/text_conversions.txt, "verb input => output": each row's output is
// made again from its input and compared.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/macro_expander.h"
#include "engine/send_keys_notation.h"
#include "platform/calendar.h"
#include "support/key_strokes.h"
#include "support/literal_expand.h"
#include "text/case_mapping.h"
#include "text/number_text.h"
#include "text/utf8.h"
#include "ui/list_row_text.h"

namespace quorvel {
namespace {

using testing::ScriptedClipboard;

// The golden file writes these bytes as \r, \n, \t, \0 and \\ (and reads any
// byte as \xHH), a piece of up to three bytes said eight times or more in a row
// as "⟨piece⟩×times", and no output as "(nothing)". In a "keys" row, "«text»"
// is text that is data among the notation, as the clipboard's text is.
constexpr char DataOpen = '\x01';
constexpr char DataClose = '\x02';
constexpr std::string_view EscapedBytes("\r\n\t\0\\", 5);
constexpr std::string_view EscapeLetters = "rnt0\\";

std::string unescaped(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i).starts_with("«")) {
            const std::size_t close = text.find("»", i);
            bytes += DataOpen + unescaped(text.substr(i + 2, close - i - 2)) + DataClose;
            i = close + 1;
        } else if (text.substr(i).starts_with("⟨")) {
            const std::size_t close = text.find("⟩×", i);
            const std::string piece = unescaped(text.substr(i + 3, close - i - 3));
            std::size_t digits = 0;
            for (auto times = std::stoul(std::string(text.substr(close + 5)), &digits); times > 0;
                 --times) {
                bytes += piece;
            }
            i = close + 5 + digits - 1;
        } else if (text[i] != '\\' || i + 1 == text.size()) {
            bytes += text[i];
        } else if (const std::size_t named = EscapeLetters.find(text[++i]);
                   named != std::string_view::npos) {
            bytes += EscapedBytes[named];
        } else {
            bytes += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        }
    }
    return bytes;
}

std::string escaped(std::string_view bytes) {
    std::string text;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t period = 1;
        std::size_t times = 0;
        for (; period <= 3 && at + period <= bytes.size(); ++period) {
            const std::string_view piece = bytes.substr(at, period);
            for (times = 1; bytes.substr(at + times * period).starts_with(piece); ++times) {
            }
            if (times >= 8) {
                break;
            }
        }
        if (times >= 8) {
            text += "⟨" + escaped(bytes.substr(at, period)) + "⟩×" + std::to_string(times);
            at += times * period;
        } else if (const std::size_t named = EscapedBytes.find(bytes[at++]);
                   named != std::string_view::npos) {
            text += {'\\', EscapeLetters[named]};
        } else {
            text += bytes[at - 1];
        }
    }
    return text.empty() ? "(nothing)" : text;
}

const DateTime Morning{2026, 12, 6, 8, 35, 46};

// "keys": the strokes of a notation as keysText writes them, or "rejected".
// "macro": the expansion's kind and text at Morning (or at "macro@Y-M-DTh:m:s"),
// the clipboard holding "clip" (or the text after " <= "), and how often the
// clipboard was read and where its text went. "utf16": the UTF-16 units of a
// text; "utf8": the text of UTF-16 units. "whole:N" and "clamp:N": a whole
// number up to N, refused or N past it; "decimal": a decimal number. "row": a list row with "|" (or
// the mark after "row") for each line break. "capitals" and "first": the text in
// capitals, or with its first letter in title case.
std::string outcome(const std::string& verb, const std::string& input) {
    if (verb == "keys") {
        KeyStrokeBuilder builder;
        for (std::size_t at = 0; at < input.size();) {
            const bool data = input[at] == DataOpen;
            const std::size_t end =
                std::min(input.find(data ? DataClose : DataOpen, at), input.size());
            const std::string_view piece = std::string_view(input).substr(at, end - at);
            data ? builder.addText(piece.substr(1)) : void(builder.addNotation(piece));
            at = end + (data ? 1 : 0);
        }
        const auto strokes = builder.finish();
        return strokes ? escaped(testing::keysText(*strokes)) : "rejected";
    }
    if (verb.starts_with("macro")) {
        DateTime at = Morning;
        std::sscanf(verb.c_str(), "macro@%d-%d-%dT%d:%d:%d", &at.year, &at.month, &at.day, &at.hour,
                    &at.minute, &at.second);
        const std::size_t clipAt = input.find(" <= ");
        ScriptedClipboard board{{clipAt == std::string::npos ? "clip" : input.substr(clipAt + 4)}};
        const auto result =
            expandMacros(input.substr(0, clipAt), at, board.reader(), EnglishUsLocale());
        const char* kinds[] = {"text", "launch", "unclosed", "unreadable"};
        std::string shown = kinds[static_cast<int>(result.kind)] +
                            (result.value.empty() ? "" : " " + escaped(result.value));
        if (board.reads > 0) {
            shown += " (clipboard read " + std::to_string(board.reads) + ", at";
            for (const TextSpan& span : result.clipboardSpans) {
                shown += " " + std::to_string(span.begin) + "-" + std::to_string(span.end);
            }
            shown += ")";
        }
        return shown;
    }
    if (verb == "utf16") {
        const std::u16string wide = utf8::toUtf16(input);
        std::ostringstream units;
        units << std::hex << std::uppercase << std::setfill('0');
        for (const char16_t unit : wide) {
            units << ' ' << std::setw(4) << static_cast<unsigned>(unit);
        }
        return wide.empty() ? "(nothing)" : units.str().substr(1);
    }
    if (verb == "utf8") {
        std::u16string wide;
        std::istringstream units(input);
        for (unsigned unit = 0; units >> std::hex >> unit;) {
            wide += static_cast<char16_t>(unit);
        }
        return escaped(utf8::fromUtf16(wide));
    }
    if (verb.starts_with("whole:") || verb.starts_with("clamp:")) {
        const auto number = wholeNumber(input, std::stoul(verb.substr(6)),
                                        verb[0] == 'c' ? Beyond::Highest : Beyond::Refused);
        return number ? std::to_string(*number) : "refused";
    }
    if (verb == "decimal") {
        const auto number = decimalNumber(input);
        return number ? (std::ostringstream() << *number).str() : "refused";
    }
    if (verb == "capitals" || verb == "first") {
        CaseConversion conversion(verb == "first" ? TextCase::FirstCapital : TextCase::AllCapitals);
        std::string converted;
        for (std::size_t at = 0; at < input.size();) {
            const utf8::Decoded decoded = utf8::decode(input, at);
            for (const char32_t c : conversion.convert(decoded.character)) {
                utf8::append(converted, c);
            }
            at += decoded.length;
        }
        return escaped(converted);
    }
    if (verb.starts_with("row")) {
        return escaped(markLineBreaks(input, verb == "row" ? "|" : verb.substr(3)));
    }
    return "unknown verb";
}

TEST(TextConversions, EachRowOfTheGoldenFileGivesItsOutput) {
    const auto path = std::filesystem::path(QUORVEL_GOLDEN_DIR) / "text_conversions.txt";
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path;
    int rows = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t verbEnd = line.find(' ');
        const std::size_t arrow = line.find(" => ");
        ASSERT_NE(arrow, std::string::npos) << line;
        const std::string input = unescaped(line.substr(verbEnd + 1, arrow - verbEnd - 1));
        EXPECT_EQ(outcome(line.substr(0, verbEnd), input), line.substr(arrow + 4)) << line;
        ++rows;
    }
    EXPECT_GT(rows, 90);
}

}  // namespace
}  // namespace quorvel
