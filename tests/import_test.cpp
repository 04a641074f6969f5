#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/import_preview.h"
#include "engine/send_keys_notation.h"
#include "storage/import_file.h"
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
