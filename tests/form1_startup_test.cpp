#include <gtest/gtest.h>

#include "engine/utf8_text.h"
#include "support/app_fixture.h"

namespace quorvel {
namespace {

using testing::AppFixture;

class Form1Startup : public ::testing::Test, public AppFixture {};

const std::string TdLine = "{S}{E} \xAF TD \xAF Today is %(date)% at %(Time)%.";

TEST_F(Form1Startup, EmptyStoreGivesDefaultsAndAsksTheStartUpQuestion) {
    files.files[defaultFile()] = TdLine + "\x01\x01\r\n";
    Form1& f = start();
    EXPECT_EQ(f.Text2.text(), "500");
    EXPECT_EQ(f.TimerData.interval, 500);
    EXPECT_TRUE(f.form2255.visible);
    ASSERT_EQ(tray.icons.size(), 1u);
    EXPECT_EQ(tray.icons[0].callbackMessage, 0x200u);
    EXPECT_EQ(tray.icons[0].flags, 7u);
    EXPECT_TRUE(dialogs.shown.empty());
}

// Section names are read in any case. A damaged value counts as the option's
// default; for the import setting that means the shortcuts are loaded, not
// left out and later saved over. Boost is never restored.
TEST_F(Form1Startup, StoredOptionsApplyAndDamagedOnesFallBackToTheirDefaults) {
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
        files.files[defaultFile()] = TdLine + "\x01\x01\r\n";
        settings.SaveSetting("Quorvel", "opts", "MenuShow", c.truth);
        settings.SaveSetting("Quorvel", "OPTS", "MenuText", lowerCase(c.truth));
        settings.SaveSetting("Quorvel", "Opts", "RunMinimized", c.truth);
        settings.SaveSetting("Quorvel", "Opts", "AutoImort", c.autoImport);
        settings.SaveSetting("Quorvel", "opts", "Boost", "True");
        settings.SaveSetting("Quorvel 2.1", "options", "text2", c.calibration);
        settings.SaveSetting("Quorvel", "StartUpQ", "StartUpOpt", "1");
        dialogs = FakeDialogs{};
        Form1& f = start();
        EXPECT_EQ(f.MenuShow.checked, c.applied);
        EXPECT_EQ(f.MenuText.checked, c.applied);
        EXPECT_EQ(f.RunMinimized.checked, c.applied);
        EXPECT_EQ(f.visible, !c.applied) << "Run Minimized hides the window";
        EXPECT_EQ(tray.icons.size(), 1u);
        EXPECT_FALSE(f.form2255.visible);
        const std::string calibration = c.applied ? c.calibration : "500";
        EXPECT_EQ(f.Text2.text(), calibration);
        EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), calibration);
        EXPECT_EQ(dialogs.shown.size(), c.applied ? 0u : 1u) << "the calibration is refused";
        EXPECT_EQ(f.List1.count(), 1u);
        EXPECT_FALSE(f.MenuBoost.checked);
        EXPECT_EQ(setting("Quorvel", "opts", "Boost"), "False");
    }
}

// Settings of an earlier version may name another file under "File"/"Save":
// the list is saved to the file it was read from, never over the other one.
TEST_F(Form1Startup, AutoImportZeroImportsNothingAndImportSettingNamesTheFile) {
    files.files["D:\\mine.qvb"] = TdLine + "\x01\x01\r\n";
    settings.SaveSetting("Quorvel", "File", "Import", "D:\\mine.qvb");
    settings.SaveSetting("Quorvel", "File", "Save", "D:\\saved.qvb");
    {
        Form1& f = start();
        EXPECT_EQ(f.List1.count(), 1u);
        EXPECT_EQ(f.CurrentFilePath, "D:\\mine.qvb");
    }
    settings.SaveSetting("Quorvel", "Opts", "AutoImort", "0");
    EXPECT_EQ(start().List1.count(), 0u);
}

TEST_F(Form1Startup, SecondCopyQuestionEndsTheNewCopyOnNoBeforeAnythingIsInstalled) {
    environment.earlierCopy = true;
    EXPECT_THROW(create().Form_Load(), ProcessEnded);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_FALSE(keyboard.hookInstalled());
    EXPECT_TRUE(tray.icons.empty());

    dialogs.answers = {MessageAnswer::Yes};
    start();
    EXPECT_TRUE(keyboard.hookInstalled());
}

TEST_F(Form1Startup, CloseIsRefusedAndExitEndsOnlyOnYes) {
    Form1& f = start();
    EXPECT_TRUE(f.Form_Unload());
    f.MenuExit_Click();  // answered No
    EXPECT_TRUE(keyboard.hookInstalled());
    EXPECT_EQ(tray.icons.size(), 1u);

    dialogs.answers = {MessageAnswer::Yes};
    EXPECT_THROW(f.Command5_Click(), ProcessEnded);
    EXPECT_FALSE(keyboard.hookInstalled());
    EXPECT_TRUE(tray.icons.empty());
}

TEST_F(Form1Startup, RestoreDefaultsKeepsCalibrationAndOtherFilesButNotTheRest) {
    settings.SaveSetting("Quorvel", "StartUpQ", "StartUpOpt", "1");
    files.files[defaultFile()] = TdLine + "\x01\x01\r\n";
    files.files["D:\\other.qvb"] = "x";
    Form1& f = start();
    f.Text2.setText("77");
    f.RestoreDefaultsM_Click();  // No
    EXPECT_EQ(setting("Quorvel", "StartUpQ", "StartUpOpt"), "1");
    EXPECT_EQ(dialogs.shown.back().buttons, MessageButtons::YesNoDefaultNo);

    dialogs.answers = {MessageAnswer::Yes};
    EXPECT_THROW(f.RestoreDefaultsM_Click(), ProcessEnded);
    EXPECT_EQ(setting("Quorvel", "StartUpQ", "StartUpOpt"), "<missing>");
    EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "77");
    EXPECT_FALSE(files.files.contains(defaultFile()));
    EXPECT_TRUE(files.files.contains("D:\\other.qvb"));
    EXPECT_FALSE(keyboard.hookInstalled());
    EXPECT_TRUE(tray.icons.empty());
}

}  // namespace
}  // namespace quorvel
