#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/import_preview.h"
#include "editor/samples.h"
#include "engine/send_keys_notation.h"
#include "storage/csv_shortcuts.h"
#include "storage/import_file.h"
#include "support/app_fixture.h"
#include "support/transcript.h"
#include "tests/doubles/fake_ansi_code_page.h"
#include "tests/doubles/fake_keyboard_layout.h"

namespace quorvel {
namespace {

std::string goldenInput(const std::string& name) {
    std::ifstream in(std::filesystem::path(QUORVEL_GOLDEN_DIR) / "import" / name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The entries as the engine reads them (a trigger trimmed, which can move its
// row), in one order.
std::vector<std::string> entriesOf(const ShortcutList& list) {
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < list.count(); ++i) {
        entries.push_back(testing::printable(
            formatEntryLine(parseEntryLine(list.entryLine(i)).value_or(ShortcutEntry{}))));
    }
    std::ranges::sort(entries);
    return entries;
}

std::vector<std::string> linesOf(const ShortcutList& list) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < list.count(); ++i) {
        lines.emplace_back(list.entryLine(i));
    }
    return lines;
}

// Each file's preview against a list that holds "btw" and "hi" already, on a
// German layout (where ";" has no key of its own): every shortcut of the file
// has a line, and each entry added is the one that types what the other
// program typed.
TEST(Import, EachFormatGivesItsRowsAndPreview) {
    const FakeWindows1252 codePage;
    const FakeGermanLayout layout;
    std::string transcript;
    for (const char* name :
         {"ahk_v1.ahk", "ahk_v2.ahk", "beeftext.json", "beeftext.csv", "utf8_bom.csv",
          "ansi_semicolon.csv", "utf16.csv", "utf16be.csv", "broken.csv"}) {
        ShortcutList list;
        list.add(formatEntryLine({LaunchMode::Space, false, "BTW", "between the wars"}));
        list.add(formatEntryLine({LaunchMode::Space, false, "hi", "Hello,\r\nhow are you?"}));
        ImportPreview preview;
        preview.open(name, readOtherProgramFile(name, goldenInput(name), codePage), list, layout);
        transcript += "== " + preview.summary.caption + "\n";
        for (const ImportPreview::Row& row : preview.rows()) {
            transcript += "  " + testing::printable(row.line) + "\n";
            if (row.outcome == ImportPreview::Outcome::Added ||
                row.outcome == ImportPreview::Outcome::Exists) {
                const std::string& text = row.source.entry.text;
                if (text.find("%(") == std::string::npos) {
                    EXPECT_TRUE(parseSendKeys(text)) << name << ": " << text;
                }
            }
        }
    }
    testing::expectGolden("import_preview.txt", transcript);
}

// What the CSV export writes, the CSV import reads back to the same entries:
// the samples (function keys, macros, notation, line breaks, the separator's
// "-") and texts in several scripts with the characters CSV quotes.
TEST(Import, CsvExportReadsBackToTheSameList) {
    ShortcutList list;
    for (const ShortcutEntry& sample : sampleEntries()) {
        list.add(formatEntryLine(sample));
    }
    for (const ShortcutEntry& entry : std::vector<ShortcutEntry>{
             {LaunchMode::Esc, true, "zz",
              "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87, \"g\xC4\x99\xC5\x9Bl\xC4\x85\";"},
             {LaunchMode::None, false, "gr",
              "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC\n"},
             {LaunchMode::Tab, false, " jp ",
              "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x98\x80 "},
         }) {
        list.add(formatEntryLine(entry));
    }
    const CsvExport csv = formatCsvShortcuts(list);
    EXPECT_EQ(csv.leftOut, 0u);
    const ImportedFile read = readOtherProgramFile("back.csv", csv.bytes, FakeWindows1252{});
    ShortcutList back;
    for (const ImportRow& row : read.rows) {
        EXPECT_FALSE(row.skipped()) << row.sourceLine << ": " << row.skipReason;
        back.add(formatEntryLine(row.entry));
    }
    EXPECT_EQ(entriesOf(back), entriesOf(list));
}

// Each choice for a trigger that exists (the rows it added and took away), then
// the import taken back: the list is as before, but a row the user edited since stays as the user
// left it.
TEST(Import, ChoicesForExistingTriggersAndUndo) {
    const std::string script = "::btw::by the way\n::ty::thank you\n::new::fresh\n";
    const std::string edited = "{S} \xC2\xAF new \xC2\xAF fresher";
    std::string transcript;
    for (int choice = 0; choice < 3; ++choice) {
        for (const bool editedSince : {false, true}) {
            ShortcutList list;
            list.add("{S} \xC2\xAF btw \xC2\xAF between the wars");
            list.add("{S} \xC2\xAF ty \xC2\xAF thank you ");
            std::vector<std::string> expected = linesOf(list);
            ImportPreview preview;
            preview.open("x.ahk", readOtherProgramFile("x.ahk", script, FakeWindows1252{}), list,
                         FakeGermanLayout{});
            choice == 0   ? preview.chooseKeep()
            : choice == 1 ? preview.chooseReplace()
                          : preview.chooseKeepBoth();
            const ImportChange change = preview.apply(list);
            if (!editedSince) {
                transcript += "== choice " + std::to_string(choice) + "\n";
                for (const std::string& line : linesOf(list)) {
                    const bool was = std::ranges::find(expected, line) != expected.end();
                    transcript += was ? "" : "  + " + line + "\n";
                }
                for (const std::string& line : expected) {
                    const auto now = linesOf(list);
                    transcript +=
                        std::ranges::find(now, line) != now.end() ? "" : "  - " + line + "\n";
                }
            }
            if (editedSince) {
                const auto lines = linesOf(list);
                list.removeAt(std::ranges::find(lines, "{S} \xC2\xAF new \xC2\xAF fresh ") -
                              lines.begin());
                list.add(edited);
                expected.insert(expected.begin() + 1, edited);
            }
            const std::size_t stayed = undoImport(change, list);
            EXPECT_EQ(stayed, editedSince ? 1u : 0u);
            EXPECT_EQ(linesOf(list), expected) << choice;
        }
    }
    testing::expectGolden("import_choices.txt", transcript);
}

}  // namespace
}  // namespace quorvel
