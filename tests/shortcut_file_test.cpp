#include "storage/shortcut_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/ansi_text.h"
#include "engine/shortcut_entry.h"
#include "platform/fake/fake_event_pump.h"
#include "platform/fake/fake_files.h"
#include "support/readback.h"

namespace quorvel {
namespace {

constexpr const char* KeysPath = "C:\\Quorvel\\keys.qvb";

// Kept apart from the letters that follow: "\x01" "B" is not "\x01B".
const std::string Sep(1, '\x01');

std::string fileOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + Sep;
    }
    return text + Sep + "\r\n";
}

using testing::entryLines;

struct Importer {
    FakeFiles files;
    FakeEventPump pump;
    ShortcutList list;

    std::size_t import(const std::string& bytes) {
        files.files[KeysPath] = bytes;
        return GetImportFile(KeysPath, list, files).added;
    }
};

// Entry lines as the program writes them, in random modes, with a line break,
// the entry separator or a high ANSI byte in some texts, and leading blanks on
// some lines so that those sort first. Sorted as the list sorts.
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
                              : std::string(1, static_cast<char>(kind == 1 ? pick(0xA0, 0xFF)
                                                                           : pick(' ', '~')));
        }
        lines.push_back(std::move(line));
    }
    std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
        return compareIgnoringCase(a, b) < 0;
    });
    return lines;
}

TEST(ShortcutFile, WritesEveryEntryInListOrderThenAnEmptyRecordAndCrLf) {
    ShortcutList list;
    EXPECT_EQ(formatShortcutFile(list), "\x01\r\n");

    list.add("{T} \xAF zz \xAF Last", "");
    list.add("  {S} \xAF aa \xAF First", "");
    list.add("{S} \xAF mm \xAF Two\r\nlines", "");
    const std::string expected =
        "  {S} \xAF aa \xAF First\x01"
        "{S} \xAF mm \xAF Two\r\nlines\x01"
        "{T} \xAF zz \xAF Last\x01"
        "\x01\r\n";
    EXPECT_EQ(formatShortcutFile(list), expected);

    FakeFiles files;
    ASSERT_TRUE(ExportFile(list, KeysPath, files));
    EXPECT_EQ(files.files.at(KeysPath), expected);
}

TEST(ShortcutFile, ImportAddsEveryNonBlankRecordClosedBySeparator) {
    struct Case {
        std::string bytes;
        std::vector<std::string> added;  // in list order
    };
    const Case cases[] = {
        {"A" + Sep + "   " + Sep + Sep + "B" + Sep + "C", {"A", "B"}},
        {"  A  " + Sep, {"  A  "}},
        {"b" + Sep + "a" + Sep + "\r\n", {"a", "b"}},
        {"x" + Sep + "x" + Sep, {"x", "x"}},
        // Only the space is a blank.
        {"\t" + Sep + "\r\n" + Sep, {"\t", "\r\n"}},
        {Sep + "\r\n", {}},
        {"\r\n", {}},
        {"Unclosed", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        Importer importer;
        EXPECT_EQ(importer.import(c.bytes), c.added.size());
        EXPECT_EQ(entryLines(importer.list), c.added);
        for (std::size_t row = 0; row < importer.list.count(); ++row) {
            EXPECT_EQ(importer.list.displayLine(row), importer.list.entryLine(row));
        }
    }
}

TEST(ShortcutFile, AFileThatCannotBeReadAddsNothingAndIsReportedUnlessMissing) {
    Importer importer;
    importer.list.add("kept", "kept");
    importer.files.files["C:\\folder"] = "A" + Sep;
    importer.files.folders.insert("C:\\folder");
    importer.files.files["C:\\locked.qvb"] = "A" + Sep;
    importer.files.lockedPaths.insert("C:\\locked.qvb");
    const std::pair<const char*, bool> cases[] = {
        {"C:\\missing.qvb", true}, {"C:\\folder", false}, {"C:\\locked.qvb", false}};
    for (const auto& [path, readWhole] : cases) {
        SCOPED_TRACE(path);
        const ImportResult result = GetImportFile(path, importer.list, importer.files);
        EXPECT_EQ(result.added, 0u);
        EXPECT_EQ(result.readWhole, readWhole);
    }
    EXPECT_EQ(entryLines(importer.list), std::vector<std::string>{"kept"});
}

TEST(ShortcutFile, BytesAfterTheLastRecordAreReportedAsNotRead) {
    const std::pair<std::string, bool> cases[] = {
        {"A" + Sep + Sep + "\r\n", true},
        {"A" + Sep, true},
        {"A" + Sep + " \r\n\r\n", true},
        {"", true},
        {"A" + Sep + "B", false},
        {"no separator at all\r\n", false},
    };
    for (const auto& [bytes, readWhole] : cases) {
        SCOPED_TRACE(bytes);
        Importer importer;
        importer.files.files[KeysPath] = bytes;
        EXPECT_EQ(GetImportFile(KeysPath, importer.list, importer.files).readWhole, readWhole);
    }
}

TEST(ShortcutFile, ImportingTwiceAddsEveryEntryTwice) {
    Importer importer;
    const std::string bytes = fileOf({"{S} \xAF b \xAF 2", "{S} \xAF a \xAF 1"});
    EXPECT_EQ(importer.import(bytes), 2u);
    EXPECT_EQ(importer.import(bytes), 2u);
    EXPECT_EQ(entryLines(importer.list),
              (std::vector<std::string>{"{S} \xAF a \xAF 1", "{S} \xAF a \xAF 1",
                                        "{S} \xAF b \xAF 2", "{S} \xAF b \xAF 2"}));
}

TEST(ShortcutFile, ASortedFileLoadsAndSavesBackByteForByte) {
    for (const std::size_t count : {std::size_t{500}, std::size_t{100000}}) {
        SCOPED_TRACE(count);
        const std::vector<std::string> lines = randomSortedEntryLines(count, 7);
        ASSERT_EQ(lines.front().front(), ' ');  // leading blanks on the first entry
        const std::string bytes = fileOf(lines);

        Importer importer;
        ASSERT_EQ(importer.import(bytes), count);
        ASSERT_TRUE(ExportFile(importer.list, "C:\\out.qvb", importer.files));
        EXPECT_TRUE(importer.files.files.at("C:\\out.qvb") == bytes);
    }
}

// A save that ran in the middle of an import would write the half-read list
// over the file, so no other event runs until the whole file is read.
TEST(ShortcutFile, ImportLetsNoOtherEventRunMeanwhile) {
    Importer importer;
    bool ran = false;
    importer.pump.post([&] { ran = true; });
    EXPECT_EQ(importer.import(fileOf({"b1", "b2", "b3", "b4"})), 4u);
    EXPECT_FALSE(ran);
    EXPECT_EQ(importer.pump.doEventsCalls(), 0);
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

TEST(FakeFiles, FailsLikeADisk) {
    FakeFiles files;
    files.files["a"] = "A";
    files.folders.insert("dir");

    // Steps are counted from the call, not from the start.
    ASSERT_TRUE(files.replaceAtomically("b", "B"));
    files.failOperation(2);
    EXPECT_TRUE(files.deleteFile("missing"));
    EXPECT_FALSE(files.copyFile("a", "c"));
    EXPECT_TRUE(files.copyFile("a", "c"));
    EXPECT_EQ(files.files.at("c"), "A");
    EXPECT_EQ(files.mutatingSteps, 6);

    EXPECT_FALSE(files.readAll("dir"));
    EXPECT_FALSE(files.replaceAtomically("dir", "x"));
    EXPECT_FALSE(files.files.contains(FakeFiles::temporaryPathFor("dir")));

    files.lockedPaths.insert("a");
    EXPECT_FALSE(files.readAll("a"));
    EXPECT_FALSE(files.replaceAtomically("a", "x"));
    EXPECT_FALSE(files.deleteFile("a"));
    files.lockedPaths.clear();
    EXPECT_EQ(files.readAll("a"), "A");

    files.failAllWrites = true;
    EXPECT_FALSE(files.deleteFile("a"));
    EXPECT_FALSE(files.copyFile("a", "d"));
    EXPECT_EQ(files.readAll("a"), "A");
    EXPECT_FALSE(files.files.contains("d"));
}

}  // namespace
}  // namespace quorvel
