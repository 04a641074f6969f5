#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/app_fixture.h"
#include "support/readback.h"
#include "text/utf8_text.h"

namespace quorvel {
namespace {

using testing::AppFixture;
using testing::fileOf;

const std::string TdLine = "{S}{E} \xAF TD \xAF Today is %(date)% at %(Time)%.";
const std::string TdFile = fileOf({TdLine});

class MainWindowStartup : public ::testing::Test, public AppFixture {};

TEST_F(MainWindowStartup, EmptyStoreGivesDefaultsAndAsksTheStartUpQuestion) {
    files.files[defaultFile()] = TdFile;
    MainWindow& f = start();
    EXPECT_EQ(f.calibrationBox.text(), "500");
    EXPECT_EQ(f.clipboardTimer.interval, 500);
    EXPECT_TRUE(f.startUpQuestion.visible);
    ASSERT_EQ(tray.icons.size(), 1u);
    EXPECT_EQ(tray.icons[0].callbackMessage, 0x200u);
    EXPECT_EQ(tray.icons[0].flags, 7u);
    EXPECT_TRUE(dialogs.shown.empty());
    settings.SaveSetting("Quorvel", "Opts", "AutoImort", "0");
    EXPECT_EQ(start().shortcuts.count(), 0u) << "AutoImort 0 reads nothing";
}

// Section names are read in any case. A damaged value counts as the option's
// default; for the import setting that means the shortcuts are loaded, not
// left out and later saved over. Boost is never restored.
TEST_F(MainWindowStartup, StoredOptionsApplyAndDamagedOnesFallBackToTheirDefaults) {
    struct Case {
        std::string truth;  // MenuShow, MenuText (in small letters) and RunMinimized
        const char* calibration;
        const char* autoImport;
        bool applied;
    };
    const Case cases[] = {{"True", "42", "1", true}, {"maybe", "abc", "maybe", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.truth);
        settings = FakeSettingsStore{};
        settings.SaveSetting("Quorvel", "opts", "MenuShow", c.truth);
        settings.SaveSetting("Quorvel", "OPTS", "MenuText", lowerCase(c.truth));
        settings.SaveSetting("Quorvel", "Opts", "RunMinimized", c.truth);
        settings.SaveSetting("Quorvel", "Opts", "AutoImort", c.autoImport);
        settings.SaveSetting("Quorvel", "opts", "Boost", "True");
        settings.SaveSetting("Quorvel 2.1", "options", "text2", c.calibration);
        dialogs = FakeDialogs{};
        MainWindow& f = startOn(TdFile);
        EXPECT_EQ(f.showKeyItem.checked, c.applied);
        EXPECT_EQ(f.commonTextKeyItem.checked, c.applied);
        EXPECT_EQ(f.runMinimizedItem.checked, c.applied);
        EXPECT_EQ(f.visible, !c.applied) << "Run Minimized hides the window";
        EXPECT_EQ(tray.icons.size(), 1u);
        EXPECT_FALSE(f.startUpQuestion.visible);
        const std::string calibration = c.applied ? c.calibration : "500";
        EXPECT_EQ(f.calibrationBox.text(), calibration);
        EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), calibration);
        EXPECT_EQ(dialogs.shown.size(), c.applied ? 0u : 1u) << "the calibration is refused";
        EXPECT_EQ(f.shortcuts.count(), 1u);
        EXPECT_FALSE(f.boostItem.checked);
        EXPECT_EQ(setting("Quorvel", "opts", "Boost"), "False");
    }
}

// The list is read from the working file. Settings an earlier version left may
// name other files (the last Export's, the last Import's): what those hold is
// added once and saved to the working file, and the settings then name it.
// Another copy's working file is taken over only by a copy without a list yet.
// The other files are never written.
TEST_F(MainWindowStartup, AnUpgradeCarriesTheListOverOnceFromTheFilesTheSettingsName) {
    const std::string Td = "{S} \xAF TD \xAF Today", Sp = "{S} \xAF SP \xAF sample",
                      Cu = "{T} \xAF CU \xAF calc";
    const std::string usb = "E:\\usb\\exported.qvb", team = "D:\\team.qvb",
                      portable = "D:\\Portable\\Quorvel\\defaultkeys.qvb";
    using File = std::optional<std::string>;
    struct Case {
        const char* name;
        const char* import;  // the settings "File"/"Import" and "File"/"Save"; null: missing
        const char* save;
        File working;
        std::map<std::string, std::string> others;  // other files there
        File workingAfter;
        std::vector<std::string> toldStarts;
    };
    const std::string moved = "Quorvel now keeps your shortcuts in " + defaultFile();
    const std::string gone = usb + ", where Quorvel kept your shortcuts before, could not be read.";
    const char* const u = usb.c_str();
    // clang-format off
    const Case cases[] = {
        {"a first start", nullptr, nullptr, {}, {}, {}, {}},
        {"the working file named in other capitals", "C:\\PROGRAM FILES\\Quorvel\\DefaultKeys.qvb",
         nullptr, fileOf({Td}), {}, fileOf({Td}), {}},
        {"an Export moved the list, the working file is gone", u, u,
         {}, {{usb, fileOf({Sp, Td})}}, fileOf({Sp, Td}), {moved}},
        {"an Export moved the list, the working file is older", u, u,
         fileOf({Td}), {{usb, fileOf({Sp, Td})}}, fileOf({Sp, Td}), {moved}},
        {"the file of the last Export is gone", u, u, fileOf({Td}), {}, fileOf({Td}), {gone}},
        {"an imported file an older version read at every start", team.c_str(), nullptr,
         fileOf({Td, Cu}), {{team, fileOf({Cu})}}, fileOf({Td, Cu}), {}},
        {"two files named", team.c_str(), u,
         fileOf({Td}), {{team, fileOf({Cu})}, {usb, fileOf({Sp})}}, fileOf({Sp, Td, Cu}),
         {moved, moved}},
        {"another copy's list, this copy has its own", portable.c_str(), portable.c_str(),
         fileOf({Td}), {{portable, fileOf({Cu})}}, fileOf({Td}), {}},
        {"another copy's list, this copy has none yet", portable.c_str(), portable.c_str(),
         {}, {{portable, fileOf({Cu})}}, fileOf({Cu}), {moved}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        files = FakeFiles{};
        settings = FakeSettingsStore{};
        settings.SaveSetting("Quorvel", "StartUpQ", "StartUpOpt", "1");
        for (const auto& [path, name] : {std::pair{c.import, "Import"}, {c.save, "Save"}}) {
            if (path != nullptr) {
                settings.SaveSetting("Quorvel", "File", name, path);
            }
        }
        if (c.working) {
            files.files[defaultFile()] = *c.working;
        }
        files.files.insert(c.others.begin(), c.others.end());
        dialogs = FakeDialogs{};
        const std::size_t rows = start().shortcuts.count();
        EXPECT_EQ(files.files.contains(defaultFile()) ? File(files.files[defaultFile()]) : File(),
                  c.workingAfter);
        EXPECT_EQ(dialogs.shown.size(), c.toldStarts.size());
        for (std::size_t i = 0; i < std::min(c.toldStarts.size(), dialogs.shown.size()); ++i) {
            EXPECT_TRUE(dialogs.shown[i].text.starts_with(c.toldStarts[i]))
                << dialogs.shown[i].text;
        }
        for (const auto& [path, bytes] : c.others) {
            EXPECT_EQ(files.files[path], bytes) << path;
        }
        for (const char* name : {"Import", "Save"}) {
            const std::string named = setting("Quorvel", "File", name);
            EXPECT_TRUE(named == "<missing>" || equalIgnoringCase(named, defaultFile())) << named;
        }

        dialogs = FakeDialogs{};
        EXPECT_EQ(start().shortcuts.count(), rows);
        EXPECT_TRUE(dialogs.shown.empty()) << "told once";
    }
}

// Where the program's folder cannot be written (a zip unpacked under Program
// Files), the list lives in the user's application data: the user is told once,
// and that file is the one read and saved from then on.
TEST_F(MainWindowStartup, AProgramFolderThatCannotBeWrittenKeepsTheListInApplicationData) {
    const std::string kept = environment.appData + "\\Quorvel\\defaultkeys.qvb";
    files.readOnlyFolders.insert(environment.folder);
    EXPECT_EQ(startOn(TdFile).shortcuts.count(), 1u);
    EXPECT_EQ(files.files[kept], TdFile);
    EXPECT_EQ(testing::shownTexts(dialogs),
              std::vector<std::string>{"Quorvel cannot save files in its own folder, " +
                                       environment.folder + ", so it keeps your shortcuts in " +
                                       kept + "."});
    EXPECT_EQ(setting("Quorvel", "File", "Import"), kept);
    EXPECT_EQ(setting("Quorvel", "File", "Save"), kept);
    addEntry("SP", "sample");
    EXPECT_NE(files.files[kept].find("sample"), std::string::npos);
    EXPECT_EQ(files.files[defaultFile()], TdFile);

    dialogs = FakeDialogs{};
    MainWindow& again = start();
    EXPECT_EQ(again.shortcuts.count(), 2u);
    EXPECT_TRUE(dialogs.shown.empty()) << "told once";
    dialogs.answers = {MessageAnswer::Yes};
    EXPECT_THROW(again.restoreDefaults(), ProcessEnded);
    EXPECT_FALSE(files.files.contains(kept));
}

// A damaged working file is said once: its bytes are copied aside, and the list
// as read is written over it at once, so the next start finds it whole.
TEST_F(MainWindowStartup, ADamagedWorkingFileIsCopiedAsideRepairedAndToldOnce) {
    // Two records that are no shortcut, and an entry the file never closed.
    const std::string damaged = TdLine + "\x01not a shortcut\x01{S} \xAF ok \xAF y\x01" +
                                "{S} \xAF one separator\x01{S} \xAF cut";
    EXPECT_EQ(startOn(damaged).shortcuts.count(), 2u);
    const std::string copy = defaultFile() + ".unread";
    EXPECT_EQ(files.files[copy], damaged);
    EXPECT_EQ(testing::shownTexts(dialogs),
              std::vector<std::string>{"3 lines of " + defaultFile() +
                                       " could not be read; a copy is kept as " + copy + "."});
    const std::string repaired = files.files[defaultFile()];
    EXPECT_NE(repaired, damaged);

    dialogs = FakeDialogs{};
    EXPECT_EQ(start().shortcuts.count(), 2u);
    EXPECT_TRUE(dialogs.shown.empty()) << "told once";
    EXPECT_EQ(files.files[defaultFile()], repaired);
    EXPECT_FALSE(files.files.contains(copy + "2"));
}

TEST_F(MainWindowStartup, SecondCopyQuestionEndsTheNewCopyOnNoBeforeAnythingIsInstalled) {
    environment.earlierCopy = true;
    EXPECT_THROW(create().start(), ProcessEnded);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_FALSE(keyboard.hookInstalled());
    EXPECT_TRUE(tray.icons.empty());

    dialogs.answers = {MessageAnswer::Yes};
    start();
    EXPECT_TRUE(keyboard.hookInstalled());
}

TEST_F(MainWindowStartup, RestoreDefaultsKeepsCalibrationAndOtherFilesButNotTheRest) {
    files.files["D:\\other.qvb"] = "x";
    MainWindow& f = startOn(TdFile);
    f.calibrationBox.setText("77");
    f.restoreDefaults();  // No
    EXPECT_EQ(setting("Quorvel", "StartUpQ", "StartUpOpt"), "1");
    EXPECT_EQ(dialogs.shown.back().buttons, MessageButtons::YesNoDefaultNo);

    dialogs.answers = {MessageAnswer::Yes};
    EXPECT_THROW(f.restoreDefaults(), ProcessEnded);
    EXPECT_EQ(setting("Quorvel", "StartUpQ", "StartUpOpt"), "<missing>");
    EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "77");
    EXPECT_FALSE(files.files.contains(defaultFile()));
    EXPECT_TRUE(files.files.contains("D:\\other.qvb"));
    EXPECT_FALSE(keyboard.hookInstalled());
    EXPECT_TRUE(tray.icons.empty());
}

}  // namespace
}  // namespace quorvel
