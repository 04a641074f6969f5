#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>

#include "engine/shortcut_entry.h"
#include "support/app_fixture.h"

namespace quorvel {
namespace {

using testing::AppFixture;

class Form1Startup : public ::testing::Test, public AppFixture {
protected:
    Form1& load() {
        form = std::make_unique<Form1>(services);
        form->Form_Load();
        return *form;
    }
    std::unique_ptr<Form1> form;
};

const std::string TdLine = "{S}{E} \xAF TD \xAF Today is %(date)% at %(Time)%.";

TEST_F(Form1Startup, EmptyStoreGivesDefaultsAndAsksTheStartUpQuestion) {
    files.files[defaultFile()] = TdLine + "\x01\x01\r\n";
    Form1& f = load();
    EXPECT_TRUE(keyboard.hookInstalled());
    EXPECT_EQ(f.List1.count(), 1u);
    EXPECT_EQ(f.CurrentFilePath, defaultFile());
    for (const MenuItem* item : {&f.RunMinimized, &f.MenuBoost, &f.MenuForce, &f.MenuShow,
                                 &f.MenuText}) {
        EXPECT_FALSE(item->checked) << item->caption;
    }
    EXPECT_EQ(f.Text2.text(), "500");
    EXPECT_EQ(f.TimerData.interval, 500);
    EXPECT_EQ(setting("Quorvel", "opts", "Boost"), "False");
    EXPECT_TRUE(f.visible);
    EXPECT_TRUE(f.form2255.visible);
    EXPECT_EQ(f.caption, "Quorvel 2.1 - www.quorvel.example");
    EXPECT_EQ(f.width, 7275);
    ASSERT_EQ(tray.icons.size(), 1u);
    EXPECT_EQ(tray.icons[0].tip, "Quorvel 2.1 - www.quorvel.example");
    EXPECT_EQ(tray.icons[0].callbackMessage, 0x200u);
    EXPECT_EQ(tray.icons[0].flags, 7u);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Form1Startup, StoredOptionsAreApplied) {
    settings.SaveSetting("Quorvel", "opts", "MenuShow", "True");
    settings.SaveSetting("Quorvel", "OPTS", "MenuText", "true");
    settings.SaveSetting("Quorvel", "opts", "RunMinimized", "True");
    settings.SaveSetting("Quorvel", "StartUpQ", "StartUpOpt", "1");
    settings.SaveSetting("Quorvel 2.1", "options", "text2", "42");
    settings.SaveSetting("Quorvel", "opts", "Boost", "True");
    Form1& f = load();
    EXPECT_TRUE(f.MenuShow.checked);
    EXPECT_TRUE(f.MenuText.checked);
    EXPECT_TRUE(f.RunMinimized.checked);
    EXPECT_FALSE(f.MenuBoost.checked) << "Boost is never restored";
    EXPECT_EQ(setting("Quorvel", "opts", "Boost"), "False");
    EXPECT_EQ(f.Text2.text(), "42");
    EXPECT_FALSE(f.visible) << "Run Minimized hides the window";
    EXPECT_EQ(tray.icons.size(), 1u) << "hiding adds the icon again, still one icon";
    EXPECT_FALSE(f.form2255.visible);
}

// Settings of an earlier version may name another file under "File"/"Save":
// the list is saved to the file it was read from, never over the other one.
TEST_F(Form1Startup, AutoImportZeroImportsNothingAndImportSettingNamesTheFile) {
    files.files["D:\\mine.qvb"] = TdLine + "\x01\x01\r\n";
    files.files[defaultFile()] = TdLine + "\x01\x01\r\n";
    settings.SaveSetting("Quorvel", "File", "Import", "D:\\mine.qvb");
    settings.SaveSetting("Quorvel", "File", "Save", "D:\\saved.qvb");
    {
        Form1& f = load();
        EXPECT_EQ(f.List1.count(), 1u);
        EXPECT_EQ(f.CurrentFilePath, "D:\\mine.qvb");
    }
    settings.SaveSetting("Quorvel", "Opts", "AutoImort", "0");
    EXPECT_EQ(load().List1.count(), 0u);
}

// Each sequence runs from a default file holding "d1"; "x" and "y" are files
// holding "x1" and "y1", "s" a file that does not exist yet. Steps: "+t" adds
// the trigger t, "import f" and "saveas f" answer the dialog with file f ("-"
// cancels it, "*.tq" is refused), "save" is File Save, "restart" starts a new
// copy on the same settings and files. Every entry the list ever held must be
// in the list after every step, a final restart included.
TEST_F(Form1Startup, NoSequenceOfImportsSavesCancelsAndRestartsLosesAnEntry) {
    const char* sequences[] = {
        "import x restart +e restart +f",
        "import x restart restart +e",
        "+a import x restart +b",
        "+a saveas s restart +b",
        "+a import - restart +b",
        "+a saveas - restart +b",
        "import - +a restart saveas - save",
        "import x import y restart +b",
        "saveas s import x restart +b",
        "import x saveas s restart import - +b restart import y",
        "+a import x saveas - +b restart import y restart saveas *.tq +c",
    };
    const auto path = [](const std::string& name) -> std::string {
        if (name == "-") {
            return "";
        }
        return name == "*.tq" ? name : "D:\\" + name + ".qvb";
    };
    const auto triggers = [](const ShortcutList& list) {
        std::set<std::string> all;
        for (std::size_t row = 0; row < list.count(); ++row) {
            all.insert(std::string(splitEntryLine(list.entryLine(row))->trigger));
        }
        return all;
    };
    for (const char* sequence : sequences) {
        SCOPED_TRACE(sequence);
        settings = FakeSettingsStore{};
        settings.SaveSetting("Quorvel", "StartUpQ", "StartUpOpt", "1");
        files = FakeFiles{};
        files.files[defaultFile()] = "{S} \xAF d1 \xAF d\x01\x01\r\n";
        files.files[path("x")] = "{S} \xAF x1 \xAF x\x01\x01\r\n";
        files.files[path("y")] = "{S} \xAF y1 \xAF y\x01\x01\r\n";
        std::set<std::string> held = triggers(load().List1);
        std::istringstream steps(std::string(sequence) + " restart");
        for (std::string step; steps >> step;) {
            if (step == "import" || step == "saveas") {
                std::string name;
                steps >> name;
                step += " " + name;
                (step.starts_with("import") ? dialogs.openAnswers : dialogs.saveAnswers) = {
                    path(name)};
                step.starts_with("import") ? form->FileImport_Click() : form->FileSave2_Click();
            } else if (step == "save") {
                form->FileSave_Click();
            } else if (step == "restart") {
                load();
            } else {
                testing::addEntry(*form, step.substr(1), "text");
            }
            const std::set<std::string> now = triggers(form->List1);
            std::string lost;
            for (const std::string& trigger : held) {
                lost += now.contains(trigger) ? "" : " " + trigger;
            }
            if (!lost.empty()) {
                ADD_FAILURE() << "after " << step << " the list lacks" << lost;
                break;
            }
            held.insert(now.begin(), now.end());
        }
    }
    EXPECT_TRUE(dialogs.shown.empty()) << "no save failed";
}

TEST_F(Form1Startup, SecondCopyQuestionEndsTheNewCopyOnNoBeforeAnythingIsInstalled) {
    environment.earlierCopy = true;
    form = std::make_unique<Form1>(services);
    EXPECT_THROW(form->Form_Load(), ProcessEnded);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "There is a copy Quorvel 2.1 currently running.  Are you sure you want to start a "
              "second copy of Quorvel");
    EXPECT_EQ(dialogs.shown[0].caption, "www.quorvel.example");
    EXPECT_FALSE(keyboard.hookInstalled());
    EXPECT_TRUE(tray.icons.empty());

    dialogs.answers = {MessageAnswer::Yes};
    load();
    EXPECT_TRUE(keyboard.hookInstalled());
}

TEST_F(Form1Startup, CloseIsRefusedAndExitEndsOnlyOnYes) {
    Form1& f = load();
    EXPECT_TRUE(f.Form_Unload());
    EXPECT_EQ(f.caption, "Hit the Exit Button to Close the Program");
    EXPECT_EQ(f.Command5.backColor, PureRed);

    f.MenuExit_Click();  // answered No
    EXPECT_TRUE(keyboard.hookInstalled());
    EXPECT_EQ(dialogs.shown.back().text,
              "If you close the program the Hotkeys will not work. Are you sure that you would "
              "like to exit the Program?");
    dialogs.answers = {MessageAnswer::Yes};
    EXPECT_THROW(f.Command5_Click(), ProcessEnded);
    EXPECT_FALSE(keyboard.hookInstalled());
    EXPECT_TRUE(tray.icons.empty());
}

TEST_F(Form1Startup, RestoreDefaultsKeepsCalibrationAndTheListButNotTheRest) {
    settings.SaveSetting("Quorvel", "StartUpQ", "StartUpOpt", "1");
    settings.SaveSetting("Quorvel", "Commonkeys", "Number", "0");
    files.files[defaultFile()] = TdLine + "\x01\x01\r\n";
    files.files["D:\\other.qvb"] = "x";
    Form1& f = load();
    f.Text2.setText("77");
    f.RestoreDefaultsM_Click();  // No
    EXPECT_EQ(setting("Quorvel", "StartUpQ", "StartUpOpt"), "1");

    dialogs.answers = {MessageAnswer::Yes};
    EXPECT_THROW(f.RestoreDefaultsM_Click(), ProcessEnded);
    EXPECT_EQ(dialogs.shown.back().text, "Please Restart Quorvel");
    EXPECT_EQ(setting("Quorvel", "StartUpQ", "StartUpOpt"), "<missing>");
    EXPECT_EQ(setting("Quorvel", "Commonkeys", "Number"), "<missing>");
    EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "77");
    EXPECT_FALSE(files.files.contains(defaultFile()));
    EXPECT_TRUE(files.files.contains("D:\\other.qvb"));
    EXPECT_EQ(f.List1.count(), 1u);
    EXPECT_FALSE(keyboard.hookInstalled());

    // The next start asks the start-up question again and finds no shortcuts.
    EXPECT_EQ(load().List1.count(), 0u);
    EXPECT_TRUE(form->form2255.visible);
}

}  // namespace
}  // namespace quorvel
