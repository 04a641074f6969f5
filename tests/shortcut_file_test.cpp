#include "storage/shortcut_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <compare>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/shortcut_entry.h"
#include "storage/shortcut_file_encoding.h"
#include "support/readback.h"
#include "support/transcript.h"
#include "tests/doubles/fake_ansi_code_page.h"
#include "tests/doubles/fake_files.h"
#include "text/utf8.h"
#include "text/utf8_text.h"

namespace quorvel {
namespace {

constexpr const char* KeysPath = "C:\\Quorvel\\keys.qvb";

// Kept apart from the letters that follow: "\x01" "B" is not "\x01B".
const std::string Sep(1, '\x01');

using testing::entryLines;
using testing::fileOf;

const FakeWindows1252 Windows1252;

struct Importer {
    explicit Importer(const AnsiCodePage& page = Windows1252) : codePage(page) {}
    const AnsiCodePage& codePage;
    FakeFiles files;
    ShortcutList list;

    ImportResult import(const std::string& bytes) {
        files.files[KeysPath] = bytes;
        return importShortcutFile(KeysPath, list, files, codePage);
    }
    std::string exported() {
        EXPECT_TRUE(exportShortcutFile(list, "C:\\out.qvb", files, codePage));
        return files.files["C:\\out.qvb"];
    }
    std::string outcome(const ImportResult& result) {
        std::string out =
            "  added " + std::to_string(result.added) +
            (result.repeats > 0 ? ", repeats " + std::to_string(result.repeats) : "") +
            ", unread " + std::to_string(result.unreadLines) +
            (result.readWhole ? ", read whole\n" : ", not read whole\n");
        for (const std::string& line : entryLines(list)) {
            out += "  row: " + testing::printable(line) + "\n";
        }
        return out;
    }
};

// The order in which the ANSI version of the program kept its list: the bytes
// compared with A-Z and the Windows-1252 capitals lower-cased, then as they
// are.
bool ansiListOrder(const std::string& a, const std::string& b) {
    auto lower = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
            return byte + 32;
        }
        if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {
            return byte + 16;  // Š Œ Ž
        }
        return byte == 0x9F ? 0xFF : static_cast<int>(byte);  // Ÿ
    };
    const auto lowered = std::lexicographical_compare_three_way(
        a.begin(), a.end(), b.begin(), b.end(),
        [&](char x, char y) { return lower(x) <=> lower(y); });
    return lowered != 0
               ? lowered < 0
               : std::lexicographical_compare(
                     a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                         return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                     });
}

// Entry lines as the ANSI version wrote them, in random modes, with a line
// break, the entry separator or any byte from 0x80 up in some texts (the five
// Windows-1252 leaves undefined too), and leading blanks on some lines so that
// those sort first, no two the same (an import leaves out a repeat). Sorted as
// that version sorted its list.
std::vector<std::string> randomSortedEntryLines(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    const std::string modes[] = {"{S}", "{T}{E}", "{C}", "{F}", ""};
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<std::string> lines;
    std::set<std::string> made;
    while (lines.size() < count) {
        std::string line = lines.size() % 50 == 0 ? std::string(pick(1, 3), ' ') : "";
        line += modes[pick(0, 4)] + " \xAF ";
        for (int i = pick(2, 4); i > 0; --i) {
            line += static_cast<char>(pick(0, 1) ? pick('a', 'z') : pick('A', 'Z'));
        }
        line += " \xAF ";
        for (int i = pick(0, 80); i > 0; --i) {
            const int kind = pick(0, 40);
            line += kind == 0 ? std::string("\r\n")
                              : std::string(1, static_cast<char>(kind <= 4 ? pick(0x80, 0xFF)
                                                                           : pick(' ', '~')));
        }
        if (made.insert(line).second) {
            lines.push_back(std::move(line));
        }
    }
    std::stable_sort(lines.begin(), lines.end(), ansiListOrder);
    return lines;
}

// A code page whose byte 0xAF is a letter (as Ż is in the Polish one): written
// with that byte, the letter would read back as the entry separator. Its byte
// 0xAE reads as the separator's character, which it would write as 0xAF.
class SeparatorLetterCodePage final : public AnsiCodePage {
  public:
    bool appendUtf8(std::string& utf8, std::string_view ansi) const override {
        std::string text;
        Windows1252.appendUtf8(text, ansi);
        utf8 += replaceAll(replaceAll(text, "\xC2\xAF", "Ż"), "®", "\xC2\xAF");
        return true;
    }
    bool appendAnsi(std::string& ansi, std::string_view utf8) const override {
        return utf8.find("\xC2\xAF") == std::string_view::npos &&
               Windows1252.appendAnsi(ansi, replaceAll(utf8, "Ż", "\xC2\xAF"));
    }
};

// Bytes after the last record, blanks and line breaks aside, and records
// without both field separators are reported as not read; only shortcuts join
// the list. A file that cannot be read adds nothing, and is reported unless it
// is missing. UTF-16 reads as the text it holds. Invalid UTF-8 in a marked
// file, half a UTF-16 surrogate pair or an odd last byte read as U+FFFD, and
// the file counts as not read whole, so it is copied aside before a save
// replaces it. Each file's rows are then exported: ANSI, or UTF-8 with its mark
// when a row needs it (one the code page lacks, or one starting with what a
// mark is in Windows-1252), and the export must read back as the same rows.
TEST(ShortcutFile, ImportAddsEveryShortcutRecordClosedBySeparatorAndExportsItsRows) {
    const std::string A = "{S} \xAF a \xAF one";
    const std::string B = "{S} \xAF b \xAF two";
    const std::string end = Sep + Sep + "\r\n";
    const std::string ansiRow = "{S} ¯ ae ¯ é€üß¯\xC2\x81";
    std::vector<std::string> cases = {
        A + Sep + "   " + Sep + Sep + B + Sep + "{S} \xAF c",
        "  " + A + "  " + Sep,
        B + Sep + A + Sep + " \r\n\r\n",
        // A repeat is left out; a trigger in other letter case is no repeat.
        A + Sep + A + Sep + "{S} \xAF A \xAF one" + Sep + Sep + "\r\n",
        // Only the space is a blank; the others are records, and no shortcuts.
        "\t" + Sep + "\r\n" + Sep + A + Sep,
        A + Sep + " \t",
        "Read me first." + Sep + "{S} \xAF one separator" + Sep,
        Sep + "\r\n",
        "\r\n",
        "Unclosed\r\n",
        "",
        // An ANSI row, alone and beside a row the code page lacks (U+0080 is not
        // the euro sign that byte 0x80 stands for), that row also as a trigger
        // no key can fire.
        fileOf({"{S} \xAF ae \xAF \xE9\x80\xFC\xDF\xAF\x81"}),
        std::string(Utf8Mark) + ansiRow + end,
    };
    // Invalid UTF-8, here a surrogate (the other kinds: the "utf16" rows of
    // tests/golden/text_conversions.txt).
    cases.push_back(std::string(Utf8Mark) + "{S} ¯ t ¯ a\xED\xA0\x80z" + end);
    // A first row starting with what a UTF-16 mark is in Windows-1252 (the UTF-8
    // one, and other rows the code page lacks: fuzz_shortcut_file's seeds).
    for (const char* mark : {"ÿþ", "þÿ"}) {
        cases.push_back(std::string(Utf8Mark) + mark + "{S} ¯ zz ¯ x" + end);
    }
    cases.push_back(std::string(Utf8Mark) + ansiRow + Sep +
                    formatEntryLine({LaunchMode::Space, false, "\xC2\x80", "\xC2\x80"}) + end);
    // What a file reads as, what its rows export as when that is not the file
    // itself, and whether the export reads back as other rows.
    const auto readAndExport = [](const std::string& bytes, const AnsiCodePage& codePage) {
        Importer importer(codePage);
        std::string out = importer.outcome(importer.import(bytes));
        const std::string exported = importer.exported();
        out += exported == bytes ? "" : "  exported: " + testing::printable(exported, true) + "\n";
        Importer reader(codePage);
        if (!reader.import(exported).readWhole ||
            entryLines(reader.list) != entryLines(importer.list)) {
            out += "  the export reads back as other rows\n";
        }
        return out;
    };
    const auto wide = [](const std::u16string& units, bool littleEndian) {
        return testing::utf16File(u"{S} ¯ ae ¯ café\r\n€\x01{T} ¯ zz ¯ x\x01" + units + u"\x01\r\n",
                                  littleEndian);
    };
    // Rows that fit the code page; with one it lacks; with half a pair alone,
    // high in one record and low in another (other halves: the "utf8" rows of
    // tests/golden/text_conversions.txt); an odd last byte. Big-endian reads as
    // the same rows.
    const std::pair<std::u16string, const char*> wideCases[] = {
        {u"", ""},
        {u"{F} ¯ {F9} ¯ Zażółć 😀\x01", ""},
        {u"{S} ¯ t ¯ a\xD83Dz\x01{S} ¯ u ¯ a\xDE00z\x01", ""},
        {u"", "\n"}};
    for (const auto& [units, tail] : wideCases) {
        cases.push_back(wide(units, true) + tail);
        EXPECT_EQ(readAndExport(wide(units, false) + tail, Windows1252),
                  readAndExport(cases.back(), Windows1252));
    }
    std::string transcript;
    const auto importAndExport = [&](const std::vector<std::string>& files,
                                     const AnsiCodePage& codePage) {
        for (const std::string& bytes : files) {
            transcript +=
                "== " + testing::printable(bytes, true) + "\n" + readAndExport(bytes, codePage);
        }
    };
    importAndExport(cases, Windows1252);
    // In an ANSI file 0xAF stays the separator; a letter the code page writes as
    // 0xAF needs UTF-8, and 0xAE, read as the separator's character, would be
    // saved as 0xAF, so a file holding it is not read whole.
    transcript += "== in a code page whose byte 0xAF is a letter:\n";
    importAndExport({fileOf({"{S} \xAF zz \xAF \xE9"}),
                     std::string(Utf8Mark) + "{S} ¯ zz ¯ é" + Sep + "{S} ¯ zz ¯ Żaba" + end,
                     fileOf({"{S} \xAF zz \xAF a\xAE|"})},
                    SeparatorLetterCodePage());
    Importer importer;
    importer.list.add("kept", "kept");
    importer.files.files["C:\\folder"] = "A" + Sep;
    importer.files.folders.insert("C:\\folder");
    importer.files.files["C:\\locked.qvb"] = "A" + Sep;
    importer.files.lockedPaths.insert("C:\\locked.qvb");
    for (const char* path : {"C:\\missing.qvb", "C:\\folder", "C:\\locked.qvb"}) {
        transcript +=
            std::string("== ") + path + "\n" +
            importer.outcome(importShortcutFile(path, importer.list, importer.files, Windows1252));
    }
    testing::expectGolden("shortcut_file_import.txt", transcript);
}

TEST(ShortcutFile, ASortedFileLoadsAndSavesBackByteForByte) {
    for (const std::size_t count : {std::size_t{500}, std::size_t{100000}}) {
        SCOPED_TRACE(count);
        const std::vector<std::string> lines = randomSortedEntryLines(count, 7);
        ASSERT_EQ(lines.front().front(), ' ');  // leading blanks on the first entry
        const std::string bytes = fileOf(lines);

        Importer importer;
        ASSERT_EQ(importer.import(bytes).added, count);
        EXPECT_TRUE(importer.exported() == bytes);
    }
}

}  // namespace
}  // namespace quorvel
