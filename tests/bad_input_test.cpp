// Damaged, huge and odd inputs: each has a defined outcome, start-up never
// fails, and shortcuts the program could not read are never written over.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "commontext/common_text_store.h"
#include "commontext/common_text_window.h"
#include "engine/shortcut_entry.h"
#include "support/app_fixture.h"
#include "support/readback.h"

namespace quorvel {
namespace {

// Sanitized builds run many times slower; they get a hundredth of the garbage.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t GarbageSize = (20u << 20) / 100;
#else
constexpr std::size_t GarbageSize = 20u << 20;
#endif

class BadInput : public ::testing::Test, public testing::AppFixture {};

// A file the program could not read whole must not be replaced by the list,
// which lacks what was not read: the bytes have to survive the next save, in
// the file or in a copy beside it. Whatever the file, start-up goes on and the
// program works. How long a huge file takes to load is measured in bench/.
TEST_F(BadInput, StartUpSurvivesAnyShortcutFileAndWhatItCouldNotReadSurvivesTheNextSave) {
    std::mt19937 random(7);
    std::string garbage(GarbageSize, '\0');
    for (char& c : garbage) {
        c = static_cast<char>(random() & 0xFF);
    }
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t rows;
        bool locked = false;
        bool folder = false;
    };
    const Case cases[] = {
        // Only records with both field separators are shortcuts.
        {"binary garbage", garbage,
         static_cast<std::size_t>(std::ranges::count_if(
             testing::closedRecords(garbage),
             [](const std::string& record) { return splitEntryLine(record).has_value(); }))},
        {"locked at start-up, free by the next save",
         "{S} \xAF td \xAF today\x01{S} \xAF sig \xAF Ann\x01\x01\r\n", 0, true},
        {"zero bytes", "", 0},
        {"a folder", "", 0, false, true},
    };
    ASSERT_GT(cases[0].rows, 100u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        files = FakeFiles{};
        if (c.folder) {
            files.folders.insert(defaultFile());
        } else {
            files.files[defaultFile()] = c.bytes;
        }
        if (c.locked) {
            files.lockedPaths.insert(defaultFile());
        }
        MainWindow& f = start();
        EXPECT_EQ(f.shortcuts.count(), c.rows);
        EXPECT_TRUE(f.visible);

        files.lockedPaths.clear();
        addEntry("qq", "fine");
        keyboard.targetText.clear();
        keyboard.typeText("qq ");
        EXPECT_EQ(keyboard.targetText, "fine");
        if (c.locked) {
            EXPECT_EQ(f.shortcuts.count(), 3u) << "the file read late is not in the list saved";
        } else if (!c.bytes.empty()) {
            // Some file still holds exactly these bytes.
            EXPECT_TRUE(std::ranges::any_of(files.files, [&](const auto& file) {
                return file.second == c.bytes;
            })) << "the user's file was overwritten";
        }
        if (!c.bytes.empty()) {
            EXPECT_NE(files.files[defaultFile()].find("fine"), std::string::npos);
        }
    }
}

// A file not read whole whose copy aside fails (as start-up writes the file
// again) is not saved over; the next change copies it aside under a free name
// and saves, and later saves make no more copies.
TEST_F(BadInput, AnUnreadFileThatCannotBeCopiedAsideIsNotSavedOver) {
    files.files[defaultFile() + ".unread"] = "an earlier copy";
    files.files[defaultFile()] = "{S} \xAF a \xAF one\x01{S} \xAF b \xAF unclosed";
    settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
    files.failOperation(1);
    testing::expectGolden(
        "bad_input_unread_copy.txt",
        run({"start", "add zz new entry", "add yy another entry", "add xx a third entry"}));
}

// A count past the limit over a full list reads the full list, which takes no
// more rows: a longer list would read back short and lose its last row at the
// next start. (Over fewer rows: CommonTextStore.BadCountsHaveADefinedOutcome.)
TEST_F(BadInput, CommonTextCountPastTheLimitReadsTheStoredRows) {
    FakeSettingsStore store;
    store.write({"Quorvel", "Commonkeys", "0"}, "kept row");
    store.write({"Quorvel", "Commonkeys", "Number"}, "99999999999");
    const auto full = static_cast<std::size_t>(MaxCommonTextRows);
    for (std::size_t row = 1; row < full; ++row) {
        store.write({"Quorvel", "Commonkeys", std::to_string(row)}, "");
    }
    CommonTextWindow window(store, dialogs, clipboard, collation);
    window.show();
    ASSERT_EQ(window.texts.rows.size(), full);
    EXPECT_EQ(window.texts.rows[0], "kept row");

    window.entryBox.setText("added");
    window.addText();
    EXPECT_EQ(window.texts.rows.size(), full);
    EXPECT_EQ(testing::toldSince(dialogs), "  told (Ok, Quorvel): The Common Text list is full.\n");
    TextRows reread;
    loadCommonText(store, reread);
    EXPECT_TRUE(testing::rowTexts(reread) == testing::rowTexts(window.texts.rows));
}

}  // namespace
}  // namespace quorvel
