#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "storage/shortcut_file.h"
#include "support/app_fixture.h"
#include "support/readback.h"

namespace quorvel {
namespace {

class MainWindowCommands : public ::testing::Test, public testing::AppFixture {
  protected:
    MainWindowCommands() { create(); }
};

TEST_F(MainWindowCommands, BoostAndForceAskBeforeTurningOnButNotOffAndAreNeverStored) {
    using Item = std::pair<void (MainWindow::*)(), MenuItem MainWindow::*>;
    for (const auto& [click, item] :
         {Item{&MainWindow::toggleBoost, &MainWindow::boostItem},
          Item{&MainWindow::toggleForceText, &MainWindow::forceTextItem}}) {
        SCOPED_TRACE((*form.*item).caption);
        dialogs = FakeDialogs{};
        (*form.*click)();  // answered No
        EXPECT_FALSE((*form.*item).checked);
        dialogs.answers = {MessageAnswer::Yes};
        (*form.*click)();
        EXPECT_TRUE((*form.*item).checked);
        (*form.*click)();
        EXPECT_FALSE((*form.*item).checked);
        ASSERT_EQ(dialogs.shown.size(), 2u) << "turning off asks nothing";
        EXPECT_EQ(dialogs.shown[1].buttons, MessageButtons::YesNo);
    }
    EXPECT_EQ(settings.size(), 0u);
}

// Only a number the sender can use is stored; anything else puts 500 back.
TEST_F(MainWindowCommands, CalibrationBoxStoresNumbersAndRefusesTheRest) {
    form->calibrationBox.setText("250");
    EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "250");
    form->calibrationBox.setText("");
    EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "250") << "an empty box stores nothing";
    for (const char* bad : {"250x", "99999999999"}) {
        form->calibrationBox.setText(bad);
        EXPECT_EQ(form->calibrationBox.text(), "500") << bad;
        EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "500") << bad;
        EXPECT_EQ(dialogs.shown.back().text, "Value Must be Numberic");
        form->calibrationBox.setText("");
    }
}

const std::string Td = "{S} \xAF TD \xAF Today";
const std::string Sp = "{S} \xAF SP \xAF sample";
const std::string Cu = "{T} \xAF CU \xAF calc";

using testing::fileOf;

// Export writes a copy and nothing else changes: later changes and the next
// start use the working file, and no setting names the copy. The file work of
// each command runs under the busy cursor, which is gone after.
TEST_F(MainWindowCommands, ExportWritesACopyAndTheWorkingFileStaysTheOneInUse) {
    files.files["D:\\mine.qvb"] = fileOf({Cu});
    startOn(fileOf({Td}));
    int idleAccesses = 0;
    files.onReadOrReplace = [&] { idleAccesses += dialogs.busyDepth == 0 ? 1 : 0; };
    dialogs.openAnswers = {"D:\\mine.qvb"};
    form->importFile();
    dialogs.saveAnswers = {"E:\\usb\\copy.qvb"};
    form->exportFile();
    addEntry("SP", "sample");
    EXPECT_EQ(idleAccesses, 0);
    EXPECT_EQ(dialogs.busyDepth, 0);
    EXPECT_EQ(files.files[defaultFile()], fileOf({Sp, Td, Cu}));
    EXPECT_EQ(files.files["E:\\usb\\copy.qvb"], fileOf({Td, Cu}));
    EXPECT_EQ(files.files.size(), 3u) << "nothing else is written";
    EXPECT_EQ(setting("Quorvel", "File", "Import"), "<missing>");
    EXPECT_EQ(setting("Quorvel", "File", "Save"), "<missing>");
    files.onReadOrReplace = nullptr;
    EXPECT_EQ(start().shortcuts.count(), 3u);
}

TEST_F(MainWindowCommands, ExportIntoAFolderThatCannotBeWrittenSaysSoAndChangesNothingElse) {
    files.readOnlyFolders.insert("E:\\read-only");
    dialogs.saveAnswers = {"E:\\read-only\\copy.qvb"};
    form->exportFile();
    addEntry("TD", "Today");
    EXPECT_EQ(files.files[defaultFile()], fileOf({Td}));
    EXPECT_EQ(testing::shownTexts(dialogs),
              std::vector<std::string>{"The shortcuts could not be exported to "
                                       "E:\\read-only\\copy.qvb. Choose a folder you may write "
                                       "to, on a drive with room. Nothing else has changed."});
}

// Import adds the chosen file's entries and saves the list to the working file;
// the chosen file is never written, nor copied aside, whatever it holds. A name
// that is not there is refused as Windows refuses it.
TEST_F(MainWindowCommands, ImportOnlyReadsTheChosenFileAndSavesTheListToTheWorkingFile) {
    struct Case {
        const char* chosen;
        std::optional<std::string> bytes;
        std::string saved;  // the working file after the import
        std::vector<std::string> told;
    };
    const Case cases[] = {
        {"D:\\mine.qvb", fileOf({Cu}), fileOf({Td, Cu}), {}},
        {"D:\\README.txt",
         "Read me first.\r\nNo shortcuts here.\r\n",
         fileOf({Td}),
         {"1 line of D:\\README.txt could not be read; that file is not changed."}},
        {"D:\\mistyped.qvb",
         std::nullopt,
         fileOf({Td}),
         {"D:\\mistyped.qvb\nFile not found.\nCheck the file name and try again."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        files = FakeFiles{};
        settings = FakeSettingsStore{};
        if (c.bytes) {
            files.files[c.chosen] = *c.bytes;
        }
        startOn(fileOf({Td}));
        const auto before = files.files;
        dialogs = FakeDialogs{};
        dialogs.openAnswers = {c.chosen};
        form->importFile();
        EXPECT_EQ(testing::shownTexts(dialogs), c.told);
        EXPECT_EQ(files.files[defaultFile()], c.saved);
        addEntry("SP", "sample");
        auto expected = before;
        expected[defaultFile()] = formatShortcutFile(form->shortcuts, codePage);
        EXPECT_TRUE(files.files == expected) << "only the working file changes";
        EXPECT_EQ(setting("Quorvel", "File", "Import"), "<missing>");
    }
}

TEST_F(MainWindowCommands, CancelledOrRefusedDialogsChangeNothing) {
    startOn(fileOf({Td}));
    for (const char* answer : {"", "*.tq", "  "}) {
        dialogs.fileDialogTitles.clear();
        dialogs.openAnswers = {answer};
        form->importFile();
        dialogs.saveAnswers = {answer};
        form->exportFile();
        EXPECT_EQ(files.files.size(), 1u) << "nothing saved for '" << answer << "'";
        EXPECT_EQ(files.files[defaultFile()], fileOf({Td}));
        EXPECT_EQ(dialogs.fileDialogTitles,
                  (std::vector<std::string>{"Import Shortcuts", "Export Shortcuts"}));
    }
    addEntry("SP", "sample");
    EXPECT_EQ(files.files[defaultFile()], fileOf({Sp, Td}));
    EXPECT_TRUE(dialogs.shown.empty());
}

// A save that fails says what was not saved and what to do; the list keeps
// every change, and Exit tries once more before anything is lost.
TEST_F(MainWindowCommands, AFailedSaveIsToldAndTriedAgainAtExit) {
    startOn(fileOf({Td}));
    files.failAllWrites = true;
    addEntry("SP", "sample");
    EXPECT_EQ(files.files[defaultFile()], fileOf({Td}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "The shortcuts could not be saved to " + defaultFile() +
                  ", so your latest changes are not in that file yet. Quorvel keeps them while it "
                  "runs and saves them with your next change, with \"File Save\" and at Exit. "
                  "Check that the file is not read-only or open in another program and that its "
                  "drive has room, or use Export to keep a copy elsewhere.");

    dialogs.answers = {MessageAnswer::Yes, MessageAnswer::No};
    form->exitProgram();
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[2].text, "The shortcuts could not be saved to " + defaultFile() +
                                         ", so your latest changes would be lost. Exit anyway?");
    EXPECT_EQ(dialogs.shown[2].buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_TRUE(keyboard.hookInstalled()) << "No keeps the program running";

    files.failAllWrites = false;
    dialogs.answers = {MessageAnswer::Yes};
    EXPECT_THROW(form->exitProgram(), ProcessEnded);
    EXPECT_EQ(files.files[defaultFile()], fileOf({Sp, Td}));
    EXPECT_EQ(dialogs.shown.size(), 4u);
}

// Two copies on one file: a save keeps what the other copy added since this
// one read the file, and leaves out only what this copy deleted itself.
TEST_F(MainWindowCommands, ASaveKeepsWhatAnotherCopyAddedAndDropsWhatThisOneDeleted) {
    MainWindow& first = startOn(fileOf({Td, Cu}));
    MainWindow second(services);
    second.start();

    first.editor.selectEntry(1);
    dialogs.answers = {MessageAnswer::Yes};
    first.editor.deleteSelected();
    EXPECT_EQ(files.files[defaultFile()], fileOf({Td}));

    second.triggerBox.setText("SP");
    second.shortcutText.setText("sample");
    second.editor.addShortcut();
    EXPECT_EQ(files.files[defaultFile()], fileOf({Sp, Td, Cu})) << "the second still holds CU";

    addEntry("AA", "first's");
    const std::string Aa = "{S} \xAF AA \xAF first's";
    EXPECT_EQ(files.files[defaultFile()], fileOf({Aa, Sp, Td}));
    EXPECT_EQ(formatShortcutFile(first.shortcuts, codePage), fileOf({Aa, Sp, Td}));
    EXPECT_TRUE(dialogs.shown.size() == 1u) << "only the delete's question";
}

// Minimize hides the window in the tray; of the icon's mouse messages, only a
// left press brings it back, and only a right release opens the menu.
TEST_F(MainWindowCommands, MinimizeHidesAndAPressOnTheIconBringsTheWindowBack) {
    form->start();
    for (const int message : {0x200, 0x201, 0x202, 0x203, 0x204, 0x205, 0x206}) {
        form->minimize();
        EXPECT_FALSE(form->visible);
        EXPECT_EQ(tray.icons.size(), 1u);
        const std::size_t menus = tray.menusShown.size();
        form->trayMessage(message * 15);  // the menu, if shown, is dismissed
        EXPECT_EQ(form->visible, message == 0x201) << message;
        EXPECT_EQ(tray.menusShown.size() - menus, message == 0x205 ? 1u : 0u) << message;
    }
    // Visible but perhaps minimised or covered: each press asks for it again.
    form->trayMessage(0x201 * 15);
    form->bringToFront = false;
    form->trayMessage(0x201 * 15);
    EXPECT_TRUE(form->bringToFront);
}

// The icon's menu: its entries as shown, and what each runs. Closing the
// window is refused; Exit ends the program only on Yes. Paused, the icon is
// greyed and says so, under the same identity; Minimize re-adds it as it is;
// unchecking gives the usual look back. Nothing is stored.
TEST_F(MainWindowCommands, IconMenuShowsPausesAndExits) {
    enum : std::size_t { Show, Pause, Exit };
    const auto rightClick = [&](std::optional<std::size_t> choice) {
        tray.menuChoice = choice;
        form->trayMessage(0x204 * 15);
        form->trayMessage(0x205 * 15);
        return tray.menusShown.back();
    };
    form->start();
    const std::size_t settingsBefore = settings.size();
    const TrayIconData usual = tray.icons.at(0);
    EXPECT_TRUE(form->requestClose()) << "closing the window is refused";
    form->minimize();
    const std::vector<TrayMenuEntry> first = rightClick(Show);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[Show].caption, "Show Quorvel");
    EXPECT_EQ(first[Pause].caption, "Pause Expansion");
    EXPECT_EQ(first[Exit].caption, "Exit");
    EXPECT_FALSE(first[Pause].checked);
    EXPECT_TRUE(form->visible);

    rightClick(Pause);
    for (int minimized = 0; minimized < 2; ++minimized) {
        SCOPED_TRACE(minimized);
        ASSERT_EQ(tray.icons.size(), 1u);
        EXPECT_EQ(tray.icons[0].tip, "Quorvel (paused)");
        EXPECT_EQ(tray.icons[0].icon, tray.pausedIcon());
        EXPECT_EQ(tray.icons[0].iconId, usual.iconId);
        form->minimize();
    }
    EXPECT_TRUE(form->expansionPaused);
    EXPECT_TRUE(rightClick(Pause)[Pause].checked) << "the menu showed the pause";
    EXPECT_FALSE(form->expansionPaused);
    ASSERT_EQ(tray.icons.size(), 1u);
    EXPECT_EQ(tray.icons[0].tip, "Quorvel 2.1 - www.quorvel.example");
    EXPECT_EQ(tray.icons[0].icon, usual.icon);
    EXPECT_EQ(settings.size(), settingsBefore);
    EXPECT_TRUE(dialogs.shown.empty());

    dialogs.answers = {MessageAnswer::No};
    rightClick(Exit);
    ASSERT_EQ(dialogs.shown.size(), 1u) << "the Exit of the File menu, with its question";
    EXPECT_EQ(dialogs.shown[0].text,
              "If you close the program the Hotkeys will not work. Are you sure that you would "
              "like to exit the Program?");
    ASSERT_EQ(tray.icons.size(), 1u);
    EXPECT_TRUE(keyboard.hookInstalled());
    dialogs.answers = {MessageAnswer::Yes};
    EXPECT_THROW(rightClick(Exit), ProcessEnded);
    EXPECT_TRUE(tray.icons.empty());
    EXPECT_FALSE(keyboard.hookInstalled());
}

// Paused, every key passes as typed; a trigger begun before the pause is not
// finished after it.
TEST_F(MainWindowCommands, PausedKeysPassUntouchedAndThePauseForgetsTheTypedKeys) {
    form->start();
    addEntry("zq", "expanded");
    form->calibrationBox.setText("0");  // sends start at once
    form->showKeyItem.checked = true;
    form->visible = false;
    form->togglePause();
    constexpr int LShift = 0xA0, LCtrl = 0xA2;
    keyboard.press(LCtrl);
    keyboard.press(LShift);
    keyboard.tap('S');
    keyboard.release(LShift);
    keyboard.release(LCtrl);
    keyboard.typeText("zq ");
    EXPECT_EQ(keyboard.targetText, "zq ");
    EXPECT_EQ(keyboard.swallowedCount, 0);
    EXPECT_TRUE(keyboard.sent.empty());
    EXPECT_EQ(windows.mainWindowShown, 0) << "the hot keys pass too";

    form->togglePause();
    keyboard.targetText.clear();
    keyboard.typeText("z");
    form->togglePause();
    form->togglePause();
    keyboard.typeText("q ");
    EXPECT_EQ(keyboard.targetText, "zq ");
    keyboard.typeText("zq ");
    EXPECT_EQ(keyboard.targetText, "zq expanded");
}

// What the window loads, and when, is the window's own business.
TEST_F(MainWindowCommands, CommonTextButtonShowsTheWindowAndRaisesItAgain) {
    form->openCommonText();
    form->commonText.close();
    form->openCommonText();
    EXPECT_TRUE(form->commonText.visible);
    form->commonText.bringToFront = false;
    form->openCommonText();
    EXPECT_TRUE(form->commonText.bringToFront) << "an open window is raised again";
}

}  // namespace
}  // namespace quorvel
