#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>
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

// An empty store gives the defaults and asks the start-up question; AutoImort
// 0 reads nothing. Section names are read in any case. A damaged value counts
// as the option's default; for the import setting that means the shortcuts are
// loaded, not left out and later saved over. Boost is never restored.
TEST_F(MainWindowStartup, StoredOptionsApplyAndDamagedOnesFallBackToTheirDefaults) {
    files.files[defaultFile()] = TdFile;
    std::string transcript = run({"start"});
    ASSERT_EQ(tray.icons.size(), 1u);
    EXPECT_EQ(tray.icons[0].callbackMessage, 0x200u);
    EXPECT_EQ(tray.icons[0].flags, 7u);
    settings.write({"Quorvel", "Opts", "AutoImort"}, "0");
    transcript += run({"start"});
    // MenuShow, MenuText (in small letters), RunMinimized, MatchCase; calibration;
    // AutoImort.
    for (const auto& [truth, calibration, autoImport] :
         {std::tuple{"True", "42", "1"}, {"maybe", "abc", "maybe"}}) {
        settings = FakeSettingsStore{};
        settings.write({"Quorvel", "opts", "MenuShow"}, truth);
        settings.write({"Quorvel", "OPTS", "MenuText"}, lowerCase(truth));
        settings.write({"Quorvel", "Opts", "RunMinimized"}, truth);
        settings.write({"Quorvel", "Opts", "MatchCase"}, truth);
        settings.write({"Quorvel", "Opts", "AutoImort"}, autoImport);
        settings.write({"Quorvel", "opts", "Boost"}, "True");
        settings.write({"Quorvel 2.1", "options", "text2"}, calibration);
        settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
        transcript += run({"start"});
        EXPECT_EQ(setting("Quorvel", "opts", "Boost"), "False");
    }
    form->toggleMatchTriggerCase();
    EXPECT_EQ(setting("Quorvel", "Opts", "MatchCase"), "True");
    testing::expectGolden("main_window_stored_options.txt", transcript);
}

// The list is read from the working file. Settings an earlier version left may
// name other files (the last Export's, the last Import's): what those hold is
// added once and saved to the working file, and the settings then name it.
// Another copy's working file is taken over only by a copy without a list yet.
// The other files are never written. Each case starts twice: told once.
TEST_F(MainWindowStartup, AnUpgradeCarriesTheListOverOnceFromTheFilesTheSettingsName) {
    const std::string Td = "{S} \xAF TD \xAF Today", Sp = "{S} \xAF SP \xAF sample",
                      Cu = "{T} \xAF CU \xAF calc";
    const std::string usb = "E:\\usb\\exported.qvb", team = "D:\\team.qvb",
                      portable = "D:\\Portable\\Quorvel\\defaultkeys.qvb";
    using File = std::optional<std::string>;
    struct Case {
        const char* import;  // the settings "File"/"Import" and "File"/"Save"; null: missing
        const char* save;
        File working;
        std::map<std::string, std::string> others;  // other files there
    };
    const char* const u = usb.c_str();
    // clang-format off
    const Case cases[] = {
        {nullptr, nullptr, {}, {}},  // a first start
        {"C:\\PROGRAM FILES\\Quorvel\\DefaultKeys.qvb", nullptr, fileOf({Td}), {}},
        {u, u, {}, {{usb, fileOf({Sp, Td})}}},  // an Export moved the list, the working file is gone
        {u, u, fileOf({Td}), {{usb, fileOf({Sp, Td})}}},  // ... the working file is older
        {u, u, fileOf({Td}), {}},  // the file of the last Export is gone
        // An imported file an older version read at every start.
        {team.c_str(), nullptr, fileOf({Td, Cu}), {{team, fileOf({Cu})}}},
        {team.c_str(), u, fileOf({Td}), {{team, fileOf({Cu})}, {usb, fileOf({Sp})}}},
        // Another copy's list, when this copy has its own and when it has none yet.
        {portable.c_str(), portable.c_str(), fileOf({Td}), {{portable, fileOf({Cu})}}},
        {portable.c_str(), portable.c_str(), {}, {{portable, fileOf({Cu})}}},
    };
    // clang-format on
    std::string transcript;
    for (const Case& c : cases) {
        files = FakeFiles{};
        settings = FakeSettingsStore{};
        settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
        for (const auto& [path, name] : {std::pair{c.import, "Import"}, {c.save, "Save"}}) {
            if (path != nullptr) {
                settings.write({"Quorvel", "File", name}, path);
            }
        }
        if (c.working) {
            files.files[defaultFile()] = *c.working;
        }
        files.files.insert(c.others.begin(), c.others.end());
        transcript += run({"start", "start"});
    }
    testing::expectGolden("main_window_upgrade.txt", transcript);
}

// Where the program's folder cannot be written (a zip unpacked under Program
// Files), the list lives in the user's application data, and that file is the
// one Restore Defaults removes (told once, read and saved there:
// e2e/install_e2e.sh). A damaged working file is said once: its bytes are copied aside,
// and the list as read is written over it at once, so the next start finds it
// whole. A second copy asks first, and ends on No before anything is installed.
TEST_F(MainWindowStartup, ReadOnlyFolderDamagedFileAndSecondCopy) {
    // Two records that are no shortcut, and an entry the file never closed.
    files.files[defaultFile()] = TdLine + "\x01not a shortcut\x01{S} \xAF ok \xAF y\x01" +
                                 "{S} \xAF one separator\x01{S} \xAF cut";
    std::string transcript = run({"start", "start"});
    files = FakeFiles{};
    settings = FakeSettingsStore{};
    files.files[defaultFile()] = TdFile;
    files.readOnlyFolders.insert(environment.folder);
    transcript += run({"start", "yes", "restore"});
    files = FakeFiles{};
    environment.earlierCopy = true;
    transcript += run({"start", "yes", "start"});
    testing::expectGolden("main_window_startup.txt", transcript);
}

// A working file another program holds at logon (a sync tool, a virus scanner)
// is said once; nothing is saved over it, and what the user adds meanwhile is
// kept. Once it can be read, its entries join the list and both are saved.
TEST_F(MainWindowStartup, AWorkingFileHeldAtStartIsReadLaterAndNeverSavedOver) {
    files.files[defaultFile()] = fileOf({TdLine, "{S} \xAF SP \xAF sample"});
    settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
    const std::string transcript =
        run({"lock", "start", "add SP sample", "add CU calc", "retry", "unlock", "retry", "retry"});
    testing::expectGolden("main_window_held_file.txt", transcript);
}

// The session's end saves what a failed save left unsaved, asking nothing, and
// gives Windows the reason while it cannot; a file never read is not saved over.
TEST_F(MainWindowStartup, TheSessionsEndSavesAsExitDoesOrSaysWhyItCannot) {
    startOn(TdFile);
    std::string transcript = run({"session end", "fail writes", "add SP sample", "session end",
                                  "writes work", "session end", "session end"});
    files.lockedPaths.insert(defaultFile());
    transcript += run({"start", "add CU calc", "session end", "unlock", "session end"});
    testing::expectGolden("main_window_session_end.txt", transcript);
}

// A program folder every user may write holds one user's file: another user
// keeps their own list in their application data. One who ran the program
// before may have shared that file, and takes its entries over once.
TEST_F(MainWindowStartup, AnotherUsersFileBesideTheProgramStaysTheirs) {
    std::string transcript;
    for (const char* ranBefore : {"", "0"}) {
        files = FakeFiles{};
        settings = FakeSettingsStore{};
        files.files[defaultFile()] = TdFile;
        files.otherUsersFiles.insert(defaultFile());
        if (*ranBefore != '\0') {
            settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, ranBefore);
        }
        transcript += run({"start", "add SP sample", "start"});
    }
    testing::expectGolden("main_window_other_user.txt", transcript);
}

// Restore Defaults asks first; Yes removes the settings but the calibration,
// and the working file but no other file, and ends the program. A list that
// comes back afterwards is not taken as the user's own: its programs are held.
TEST_F(MainWindowStartup, RestoreDefaultsKeepsCalibrationAndOtherFilesButNotTheRest) {
    files.files["D:\\other.qvb"] = "x";
    files.files[defaultFile()] = TdFile;
    settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
    std::string transcript = run({"start", "calibration 77", "restore"});
    EXPECT_EQ(setting("Quorvel", "StartUpQ", "StartUpOpt"), "1");
    transcript += run({"yes", "restore"});
    EXPECT_EQ(setting("Quorvel", "StartUpQ", "StartUpOpt"), "<missing>");
    transcript += run({"disk RU %(run=own.exe)%", "start", "type ru "});
    testing::expectGolden("main_window_restore.txt", transcript);
}

}  // namespace
}  // namespace quorvel
