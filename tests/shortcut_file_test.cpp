#include "storage/shortcut_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <compare>
#include <random>
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
using testing::utf16File;

const FakeWindows1252 Windows1252;

struct Importer {
    FakeFiles files;
    ShortcutList list;

    ImportResult import(const std::string& bytes) {
        files.files[KeysPath] = bytes;
        return GetImportFile(KeysPath, list, files, Windows1252);
    }
    std::string exported() {
        EXPECT_TRUE(ExportFile(list, "C:\\out.qvb", files, Windows1252));
        return files.files["C:\\out.qvb"];
    }
    // The import's outcome and the rows it added, for a transcript.
    std::string imported(const std::string& bytes) { return outcome(import(bytes)); }
    std::string outcome(const ImportResult& result) {
        std::string out = "  added " + std::to_string(result.added) + ", unread " +
                          std::to_string(result.unreadLines) +
                          (result.readWhole ? ", read whole\n" : ", not read whole\n");
        for (const std::string& line : entryLines(list)) {
            out += "  row: " + testing::printable(line) + "\n";
        }
        return out;
    }
};

// The order in which the ANSI version of the program kept its list: the bytes
// compared with A-Z and the Windows-1252 capitals lower-cased, then as they are.
bool ansiListOrder(const std::string& a, const std::string& b) {
    auto lower = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
            return byte + 32;
        }
        // clang-format off
        switch (byte) {
            case 0x8A: case 0x8C: case 0x8E: return byte + 16;  // Š Œ Ž
            case 0x9F: return 0xFF;                              // Ÿ
            default: return static_cast<int>(byte);
        }
        // clang-format on
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
// those sort first. Sorted as that version sorted its list.
std::vector<std::string> randomSortedEntryLines(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    const std::string modes[] = {"{S}", "{T}{E}", "{C}", "{F}", ""};
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<std::string> lines;
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
        lines.push_back(std::move(line));
    }
    std::stable_sort(lines.begin(), lines.end(), ansiListOrder);
    return lines;
}

TEST(ShortcutFile, AnEmptyListIsWrittenAsAnEmptyRecordAndCrLf) {
    EXPECT_EQ(formatShortcutFile(ShortcutList{}, Windows1252), "\x01\r\n");
}

// Bytes after the last record, blanks and line breaks aside, and records without
// both field separators are reported as not read; only shortcuts join the list.
// A file that cannot be read adds nothing, and is reported unless it is missing.
TEST(ShortcutFile, ImportAddsEveryShortcutRecordClosedBySeparator) {
    const std::string A = "{S} \xAF a \xAF one";
    const std::string B = "{S} \xAF b \xAF two";
    const std::string cases[] = {
        A + Sep + "   " + Sep + Sep + B + Sep + "{S} \xAF c",
        "  " + A + "  " + Sep,
        B + Sep + A + Sep + " \r\n\r\n",
        A + Sep + A + Sep + Sep + "\r\n",
        // Only the space is a blank; the others are records, and no shortcuts.
        "\t" + Sep + "\r\n" + Sep + A + Sep,
        "Read me first." + Sep + "{S} \xAF one separator" + Sep,
        Sep + "\r\n",
        "\r\n",
        "Unclosed\r\n",
        "",
    };
    std::string transcript;
    for (const std::string& bytes : cases) {
        transcript += "== " + testing::printable(bytes, true) + "\n" + Importer().imported(bytes);
    }
    Importer importer;
    importer.list.add("kept", "kept");
    importer.files.files["C:\\folder"] = "A" + Sep;
    importer.files.folders.insert("C:\\folder");
    importer.files.files["C:\\locked.qvb"] = "A" + Sep;
    importer.files.lockedPaths.insert("C:\\locked.qvb");
    for (const char* path : {"C:\\missing.qvb", "C:\\folder", "C:\\locked.qvb"}) {
        transcript +=
            std::string("== ") + path + "\n" +
            importer.outcome(GetImportFile(path, importer.list, importer.files, Windows1252));
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

TEST(ShortcutFile, AnEntryTheCodePageLacksMakesTheFileUtf8UntilItIsGone) {
    const std::string ansi = fileOf({"{S} \xAF ae \xAF \xE9\x80\xFC\xDF\xAF\x81"});
    // U+0080 is not the euro sign that byte 0x80 stands for.
    const char* lacked[] = {"Zażółć gęślą jaźń", "Ελληνικά", "日本語", "→ ✓", "😀", "\xC2\x80"};
    for (const char* text : lacked) {
        SCOPED_TRACE(text);
        Importer importer;
        ASSERT_EQ(importer.import(ansi).added, 1u);
        EXPECT_EQ(importer.exported(), ansi);
        // As its trigger too: a row no key can fire still loads and saves back.
        importer.list.add(formatEntryLine({LaunchMode::Space, false, text, text}), "");

        const std::string utf8 = importer.exported();
        EXPECT_TRUE(utf8.starts_with(Utf8Mark));
        Importer reader;
        EXPECT_TRUE(reader.import(utf8).readWhole);
        EXPECT_EQ(reader.exported(), utf8);  // the same rows

        importer.list.removeAt(1);
        EXPECT_EQ(importer.exported(), ansi);
    }
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

TEST(ShortcutFile, BytesThatWouldReadBackAsSomethingElseDoNotFitAnAnsiFile) {
    const SeparatorLetterCodePage codePage;
    ShortcutList list;
    list.add("{S} \xC2\xAF zz \xC2\xAF \xC3\xA9", "");
    EXPECT_EQ(formatShortcutFile(list, codePage), "{S} \xAF zz \xAF \xE9\x01\x01\r\n");
    list.add("{S} \xC2\xAF zz \xC2\xAF Żaba", "");
    EXPECT_TRUE(formatShortcutFile(list, codePage).starts_with(Utf8Mark));
    // Read from an ANSI file, the byte is the separator, as it always was.
    std::string decoded;
    EXPECT_TRUE(appendAnsiLine(decoded, "a\xAF|", codePage));
    EXPECT_EQ(decoded, "a\xC2\xAF|");
    // Another byte read as the separator's character would be saved as 0xAF, so
    // a file holding one is not read whole.
    FakeFiles files;
    files.files[KeysPath] = "a\xAE|" + Sep;
    ShortcutList read;
    EXPECT_FALSE(GetImportFile(KeysPath, read, files, codePage).readWhole);

    // Nor may a file start with what a byte-order mark is in Windows-1252.
    for (const std::string mark : {"ï»¿", "ÿþ", "þÿ"}) {
        SCOPED_TRACE(mark);
        Importer importer;
        importer.list.add(mark + "{S} \xC2\xAF zz \xC2\xAF x", "");
        const std::string file = importer.exported();
        EXPECT_TRUE(file.starts_with(std::string(Utf8Mark) + mark + "{S}"));
        Importer reader;
        reader.import(file);
        EXPECT_EQ(entryLines(reader.list), entryLines(importer.list));
    }
}

// Read as the text it holds; the next save writes ANSI, or UTF-8 with its mark
// when an entry needs it, as for any other file.
TEST(ShortcutFile, AUtf16FileReadsAsItsTextAndSavesAsUsual) {
    const std::vector<std::string> ansiLines = {"{S} \xAF ae \xAF caf\xE9\r\n\x80",
                                                "{T} \xAF zz \xAF x"};
    const std::vector<std::string> lines = {"{S} ¯ ae ¯ café\r\n€", "{T} ¯ zz ¯ x"};
    const std::string wide = "{F} ¯ {F9} ¯ Zażółć 😀";
    for (const bool littleEndian : {true, false}) {
        SCOPED_TRACE(littleEndian ? "little-endian" : "big-endian");
        Importer importer;
        EXPECT_TRUE(
            importer.import(utf16File(utf8::toUtf16(fileOf(lines)), littleEndian)).readWhole);
        EXPECT_EQ(entryLines(importer.list), lines);
        EXPECT_EQ(importer.exported(), fileOf(ansiLines));

        Importer withWide;
        withWide.import(utf16File(utf8::toUtf16(fileOf({wide})), littleEndian));
        EXPECT_EQ(entryLines(withWide.list), std::vector<std::string>{wide});
        EXPECT_EQ(withWide.exported(), std::string(Utf8Mark) + fileOf({wide}));
    }
}

// Invalid UTF-8 in a marked file, half a UTF-16 surrogate pair or an odd last
// byte read as U+FFFD, and the file counts as not read whole, so it is copied
// aside before a save replaces it.
TEST(ShortcutFile, BrokenUnicodeReadsAsReplacementCharacters) {
    const std::string entry = "{S} ¯ t ¯ ";
    const auto marked = [&](const std::string& bytes) {
        return std::string(Utf8Mark) + entry + bytes + Sep + Sep + "\r\n";
    };
    std::vector<std::pair<std::string, std::string>> cases = {
        {marked("a\x80z"), "a\uFFFDz"},                                // a lone continuation byte
        {marked("a\xE2\x82z"), "a\uFFFDz"},                            // a character cut short
        {marked("a\xC0\xAFz"), "a\uFFFD\uFFFDz"},                      // an overlong form of "/"
        {marked("a\xE0\x80\xAFz"), "a\uFFFD\uFFFD\uFFFDz"},            // the same, in three bytes
        {marked("a\xED\xA0\x80z"), "a\uFFFD\uFFFD\uFFFDz"},            // a surrogate
        {marked("a\xF4\x90\x80\x80z"), "a\uFFFD\uFFFD\uFFFD\uFFFDz"},  // past U+10FFFF
        {marked("a\xFFz"), "a\uFFFDz"},
    };
    for (const bool littleEndian : {true, false}) {
        const auto wide = [&](const std::u16string& units) {
            return utf16File(u"{S} ¯ t ¯ " + units + u"\x01\x01\r\n", littleEndian);
        };
        cases.insert(cases.end(),
                     {
                         {wide(u"a\xD83Dz"), "a\uFFFDz"},              // a high half alone
                         {wide(u"a\xDE00z"), "a\uFFFDz"},              // a low half alone
                         {wide(u"a\xDE00\xD83Dz"), "a\uFFFD\uFFFDz"},  // wrong way round
                         {wide(u"a\xD83D"), "a\uFFFD"},  // a high half at a record's end
                         {wide(u"ok") + "\n", "ok"},     // an odd last byte
                     });
    }
    for (const auto& [bytes, read] : cases) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        Importer importer;
        EXPECT_EQ(importer.import(bytes).unreadLines, 1u);
        EXPECT_EQ(entryLines(importer.list), std::vector<std::string>{entry + read});
    }
}

TEST(ShortcutFile, FileNameFromDialogIsUsedUnlessBlankOrThePattern) {
    const std::pair<const char*, bool> cases[] = {
        {"", false},    {"   ", false},  {"*.tq", false}, {" *.tq ", false},
        {"*.TQ", true}, {"*.tqx", true}, {"a.qvb", true}, {" a.qvb", true},
    };
    for (const auto& [name, accepted] : cases) {
        EXPECT_EQ(isAcceptedFileName(name), accepted) << '"' << name << '"';
    }
}

}  // namespace
}  // namespace quorvel
