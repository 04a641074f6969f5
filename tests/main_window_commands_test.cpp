#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/app_fixture.h"
#include "support/readback.h"

namespace quorvel {
namespace {

class MainWindowCommands : public ::testing::Test, public testing::AppFixture {
  protected:
    MainWindowCommands() { create(); }
};

const std::string Td = "{S} \xAF TD \xAF Today";
const std::string Sp = "{S} \xAF SP \xAF sample";
const std::string Cu = "{T} \xAF CU \xAF calc";

using testing::fileOf;

// Boost and Force ask before they turn on, never when they turn off, and are
// never stored. Only a calibration the sender can use is stored; anything else
// puts 500 back, and an empty box stores nothing.
TEST_F(MainWindowCommands, OptionsAndCalibration) {
    const std::string transcript =
        run({"boost", "yes", "boost", "boost", "force", "yes", "force", "force", "calibration 250",
             "calibration ", "calibration 250x", "calibration ", "calibration 99999999999"});
    EXPECT_EQ(settings.size(), 1u) << "the calibration alone";
    testing::expectGolden("main_window_options.txt", transcript);
}

// Import adds the chosen file's entries and saves the list to the working file;
// it leaves out those the list holds already and the lines it cannot read, and
// says how many of each. The chosen file is never written. A name that is not
// there is refused as Windows refuses it. (Export, and what later saves and
// starts use: e2e/ui/ui_e2e.sh.) A cancelled dialog or the pattern as a name
// does nothing. A save that fails says what was not saved and what to do; the
// list keeps every change, and Exit tries once more before anything is lost.
// The file work of each command runs under the busy cursor.
TEST_F(MainWindowCommands, ImportExportAndFailedSaves) {
    const auto fresh = [&](const std::map<std::string, std::string>& others) {
        files = FakeFiles{};
        files.files.insert(others.begin(), others.end());
        files.files[defaultFile()] = fileOf({Td});
        settings = FakeSettingsStore{};
        settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
        dialogs = FakeDialogs{};
    };
    std::string transcript;
    for (const char* chosen : {"D:\\mine.qvb", "D:\\README.txt", "D:\\mistyped.qvb"}) {
        fresh({{"D:\\mine.qvb", fileOf({Cu, Td, Cu, "Read me first."})},
               {"D:\\README.txt", "Read me first.\r\nNo shortcuts here.\r\n"}});
        transcript += run({"start", "open " + std::string(chosen), "import", "add SP sample"});
    }
    fresh({});
    transcript +=
        run({"start", "open ", "import", "save ", "export", "open *.tq", "import", "save *.tq",
             "export", "open   ", "import", "save   ", "export", "add SP sample"});
    fresh({});
    transcript += run({"start", "fail writes", "add SP sample", "yes", "no", "exit", "writes work",
                       "yes", "exit"});
    testing::expectGolden("main_window_file_commands.txt", transcript);
}

// Two copies on one file: each save takes in what the other copy added, deleted
// or changed since this one last read or wrote the file, and keeps its own
// changes; nothing deleted on one side comes back from the other. A shortcut
// changed differently on both sides keeps both rows, and the user is told once.
// Changes made to the working file by anything else are taken in once it has
// been quiet for a second, without a save here: entries added, changed and
// deleted there; an emptied file takes nothing away and is tried again later;
// the program's own saves are not read back.
TEST_F(MainWindowCommands, TheWorkingFileChangedElsewhereIsReadAgainOnceQuiet) {
    files.files[defaultFile()] = fileOf({Td, Cu});
    settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
    std::string transcript = run(
        {"start", "check 500", "disk TD Today|CU calc|SP sample", "check 500", "check 500",
         "check 500", "disk TD Today, changed", "check 500", "disk", "check 1000", "check 1000",
         "check 5000", "disk TD Today, changed|AA new", "check 1000", "check 1000", "add ZZ mine"});
    const int reads = files.reads;
    transcript += run({"check 1000", "check 1000"});
    EXPECT_EQ(files.reads, reads) << "the program's own save is not read back";
    testing::expectGolden("main_window_file_changed_elsewhere.txt", transcript);
}

// A burst of writes (a sync client, a script) gives one read once the file has
// been quiet for a second; a file written half, up to a record's end, is not
// taken in, and the whole file is, at the next look.
TEST_F(MainWindowCommands, ABurstOfWritesGivesOneReadAndAFileWrittenHalfNone) {
    startOn(fileOf({Td, Cu}));
    std::vector<std::string> burst;
    for (int i = 0; i < 50; ++i) {
        burst.insert(burst.end(),
                     {"disk TD Today|CU calc|N" + std::to_string(i) + " n", "check 20"});
    }
    const int reads = files.reads;
    run(burst);
    EXPECT_EQ(files.reads, reads) << "read while the file was still changing";
    run({"check 1000", "check 1000", "check 1000"});
    EXPECT_EQ(files.reads, reads + 1);
    EXPECT_EQ(form->shortcuts.count(), 3u);
    run({"disk TD Today|CU calc|N49 n|SP sample"});
    const std::string whole = files.files[defaultFile()];
    files.files[defaultFile()] = whole.substr(0, whole.rfind('\x01', whole.size() - 4) + 1);
    run({"check 1000", "check 1000"});
    EXPECT_EQ(form->shortcuts.count(), 3u) << "half a file taken in";
    files.files[defaultFile()] = whole;
    run({"check 1000", "check 1000", "check 5000"});
    EXPECT_EQ(form->shortcuts.count(), 4u);
}

// A copy a sync client left beside the working file is offered once: its
// entries the list lacks are added on Yes (one changed here too keeps both
// rows, told), and it is renamed aside; on No it stays untouched and is not
// offered again. The row chosen stays chosen through a reload. The working
// file moves where the user says, or a shortcut file there takes the list in;
// at the next start it is read from there, and a folder missing then is waited
// for, nothing saved over it meanwhile.
TEST_F(MainWindowCommands, ConflictCopiesAreOfferedOnceAndTheFileLivesWhereTheUserSays) {
    files.files[defaultFile()] = fileOf({Td, Cu});
    settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
    files.folders = {"D:\\Sync", "E:\\Shared"};
    const std::string folder = "C:\\Program Files\\Quorvel\\";
    std::string transcript = run(
        {"start", "put " + folder + "defaultkeys.sync-conflict-20261209-113000-ABCD.qvb: AA mine",
         "no", "check 5000", "check 5000",
         "put " + folder + "defaultkeys (Ann's conflicted copy 2026-12-09).qvb: TD Today|CU other",
         "put " + folder + "defaultkeys-old.qvb.unread: ZZ not a copy", "yes", "check 5000",
         "select 1"});
    const std::string chosen(form->shortcuts.entryLine(1));
    transcript += run({"disk TD Today|CU other|CU calc|SP sample", "check 1000", "check 1000"});
    ASSERT_TRUE(form->shortcuts.selectedIndex());
    EXPECT_NE(*form->shortcuts.selectedIndex(), 1u) << "a row was added before it";
    EXPECT_EQ(form->shortcuts.entryLine(*form->shortcuts.selectedIndex()), chosen);
    EXPECT_EQ(settings.read({"Quorvel", "DeclinedCopies",
                             "defaultkeys.sync-conflict-20261209-113000-ABCD.qvb"},
                            ""),
              "Declined");
    transcript +=
        run({"save D:\\Sync\\keys.qvb", "yes", "location", "start",
             "put E:\\Shared\\keys.qvb: ZZ theirs", "save E:\\Shared\\keys.qvb", "yes", "location",
             "add YY mine", "unmount E:\\Shared", "start", "add XX meanwhile", "retry"});
    folderWatch.watched.clear();
    // A copy whose entries cannot be saved (the file held open) stays where it is.
    transcript += run({"mount", "retry",
                       "put E:\\Shared\\keys.sync-conflict-20261209-120000-EFGH.qvb: BB new",
                       "lock E:\\Shared\\keys.qvb", "yes", "check 5000", "unlock"});
    EXPECT_EQ(settings.read({"Quorvel", "File", "Location"}, ""), "E:\\Shared\\keys.qvb");
    EXPECT_EQ(folderWatch.watched, "E:\\Shared") << "the folder watched once it came";
    testing::expectGolden("main_window_shared_file.txt", transcript);
}

TEST_F(MainWindowCommands, ASaveMergesBothCopiesChangesAndNothingDeletedComesBack) {
    files.files[defaultFile()] = fileOf({Td, Cu});
    settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
    testing::expectGolden(
        "main_window_two_copies.txt",
        run({"start", "copy", "copy", "select 1", "yes", "delete", "copy", "add SP sample", "copy",
             "add AA first's", "copy", "add SP changed in one", "copy", "add TD changed in two",
             "copy", "add TD changed in one", "file save", "copy", "file save"}));
}

// Minimize hides the window in the tray; of the icon's mouse messages, only a
// left press brings it back, and only a right release opens the menu (here
// dismissed). Paused, the icon is greyed and says so, under the same identity,
// and the menu ticks Pause; Minimize re-adds it as it is; unpausing gives the
// usual look back. Nothing is stored. (The menu's Show and Exit, and the close
// box: e2e/pause_and_wake_e2e.sh, e2e/ui/ui_e2e.sh.)
TEST_F(MainWindowCommands, TheIconItsMenuAndPause) {
    std::string transcript = run({"start"});
    const std::size_t stored = settings.size();
    std::vector<std::string> steps;
    for (const char* message : {"0x200", "0x201", "0x202", "0x203", "0x204", "0x205", "0x206"}) {
        steps.insert(steps.end(), {"minimize", std::string("mouse ") + message});
    }
    steps.insert(steps.end(), {"mouse 0x201", "menu 1", "minimize", "menu 1"});
    transcript += run(steps);
    EXPECT_EQ(settings.size(), stored);
    testing::expectGolden("main_window_icon.txt", transcript);
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

// Setup closes the program as Exit does (and a list that cannot be saved keeps
// it running, told: e2e/install_e2e.sh). A send under way ends first, and the
// keys typed during it reach the target before the program ends, the hook gone.
TEST_F(MainWindowCommands, SetupClosesTheProgramAsExitDoes) {
    // The request arrives at each pass of the loop until the send and its
    // replay are over.
    for (int arrival = 1;; ++arrival) {
        SCOPED_TRACE("request at pass " + std::to_string(arrival));
        testing::AppFixture desk;
        MainWindow& program = desk.start();
        desk.addEntry("zq", "expanded");
        program.calibrationBox.setText("0");
        desk.keyboard.targetText.clear();
        desk.keyboard.typeText("zq");
        desk.loop.atPass(1, [&] { desk.keyboard.typeText("ab"); });
        bool arrived = false;
        desk.loop.atPass(arrival, [&] {
            arrived = true;
            program.closeForSetup();
        });
        bool ended = false;
        try {
            desk.keyboard.typeText(" ");
        } catch (const ProcessEnded&) {
            ended = true;
        }
        if (!arrived) {
            EXPECT_GT(arrival, 3) << "a send and its replay take a few passes";
            break;
        }
        EXPECT_TRUE(ended);
        EXPECT_EQ(desk.keyboard.targetText, "expandedab");
        EXPECT_FALSE(desk.keyboard.hookInstalled());
    }
}

// Import from Another Program: a list changed while the preview shows is
// previewed again before anything is added; then the list is saved, and Undo
// Import takes the rows back and saves again (the plain import and its undo:
// e2e/import_e2e.sh). A file that cannot be read is told of. Export as CSV
// writes the list, which the import reads back without a change.
TEST_F(MainWindowCommands, ImportFromAnotherProgramAndExportAsCsv) {
    files.files[defaultFile()] = fileOf({Td});
    files.files["D:\\hot.ahk"] = "::td::today\r\n::ty::thank you\r\n";
    settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
    std::string transcript =
        run({"start", "open D:\\hot.ahk", "other import", "add zz zed", "other confirm",
             "other confirm", "save E:\\list.csv", "other csv", "open E:\\list.csv", "other import",
             "open D:\\gone.ahk", "other import", "other undo"});
    transcript += "the preview of E:\\list.csv:\n";
    for (const ImportPreview::Row& row : form->importPreview.rows()) {
        transcript += "  " + testing::printable(row.line) + "\n";
    }
    testing::expectGolden("main_window_import_other.txt", transcript);
}

// A program starts only from an entry the user wrote here, loaded as a sample,
// or had in the list when approvals began; an entry imported, or changed in the
// working file by another program, is held and told once a run, and stays held
// after a restart. Approvals outlive the restart. A click on the balloon that
// named an entry opens it for approval; one that has gone opens nothing.
TEST_F(MainWindowCommands, ProgramsStartOnlyFromEntriesWrittenHereOrApproved) {
    files.files[defaultFile()] = fileOf({"{S} \xAF RU \xAF %(run=own.exe)%"});
    settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
    // A command line too long for a balloon is not cut short there: it is left
    // to the window.
    const std::string shared =
        "put D:\\shared.qvb: TD %(run=powershell -c \"x\")%|HI hello|LB %(run=cmd /c \"echo "
        "a\r\necho\tb\")%|LG %(run=tool.exe " +
        std::string(250, 'x') + ")%";
    const std::string transcript = run({
        "start",
        "type ru ",
        "add ED %(run=editor.exe \"a b\")%",
        "type ed ",
        shared,
        "open D:\\shared.qvb",
        "import",
        "mouse 0x405",
        "type td ",
        "type td hi ",
        "type lg ",
        "mouse 0x405",
        "type lb ",
        "mouse 0x404",
        "mouse 0x405",
        "type lb ",
        "mouse 0x405",
        "held approve 2",
        "type td ",
        "held remove 0",
        "disk RU %(run=own.exe --changed)%|ED %(run=editor.exe \"a b\")%",
        "check 1000",
        "check 1000",
        "type ru ",
        "start",
        "type ed ru td ",
        "add TD %(run=powershell -c \"x\")%",
        "type td ",
    });
    testing::expectGolden("main_window_program_approval.txt", transcript);
}

}  // namespace
}  // namespace quorvel
