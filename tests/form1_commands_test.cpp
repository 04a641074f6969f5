#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace quorvel {
namespace {

class Form1Commands : public ::testing::Test, public testing::AppFixture {
protected:
    Form1 form{services};
    void addEntry(const std::string& trigger, const std::string& text) {
        testing::addEntry(form, trigger, text);
    }
};

TEST_F(Form1Commands, StoredOptionItemsFlipAndStoreTheirState) {
    struct Case {
        void (Form1::*click)();
        MenuItem Form1::*item;
        const char* key;
    };
    const Case cases[] = {{&Form1::RunMinimized_Click, &Form1::RunMinimized, "RunMinimized"},
                          {&Form1::MenuShow_Click, &Form1::MenuShow, "MenuShow"},
                          {&Form1::MenuText_Click, &Form1::MenuText, "MenuText"}};
    for (const Case& c : cases) {
        (form.*c.click)();
        EXPECT_TRUE((form.*c.item).checked) << c.key;
        EXPECT_EQ(setting("Quorvel", "Opts", c.key), "True") << c.key;
        (form.*c.click)();
        EXPECT_FALSE((form.*c.item).checked) << c.key;
        EXPECT_EQ(setting("Quorvel", "opts", c.key), "False") << c.key;
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Form1Commands, BoostAndForceAskBeforeTurningOnButNotOff) {
    form.MenuBoost_Click();  // No
    EXPECT_FALSE(form.MenuBoost.checked);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.shown[0].text.substr(0, 68),
              "The Boost option will put the text into your clipboard and then past");
    dialogs.answers = {MessageAnswer::Yes};
    form.MenuBoost_Click();
    EXPECT_TRUE(form.MenuBoost.checked);
    form.MenuBoost_Click();
    EXPECT_FALSE(form.MenuBoost.checked);
    EXPECT_EQ(dialogs.shown.size(), 2u) << "turning off asks nothing";

    dialogs.answers = {MessageAnswer::Yes};
    form.MenuForce_Click();
    EXPECT_TRUE(form.MenuForce.checked);
    EXPECT_EQ(dialogs.shown.back().text,
              "The Force option will force the text into a window, it should not be used unless "
              "the standard text sending is not working. This feature needs to re enabled when "
              "the program is started.");
    EXPECT_EQ(settings.size(), 0u) << "Boost and Force are never stored";
}

TEST_F(Form1Commands, CalibrationBoxStoresNumbersAndRefusesTheRest) {
    form.MenuCalibration_Click();
    EXPECT_TRUE(form.FrameCalibration.visible);
    form.Text2.setText("250");
    EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "250");
    form.Text2.setText("");
    EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "250") << "an empty box stores nothing";
    for (const char* bad : {"250x", "abc", "1e999", "99999999999"}) {
        form.Text2.setText(bad);
        EXPECT_EQ(form.Text2.text(), "500") << bad;
        EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "500") << bad;
        EXPECT_EQ(dialogs.shown.back().text, "Value Must be Numberic");
        form.Text2.setText("");
    }
    form.Command14_Click();
    EXPECT_FALSE(form.FrameCalibration.visible);
}

TEST_F(Form1Commands, EveryEditorChangeIsSavedToTheCurrentFile) {
    addEntry("TD", "Today");
    EXPECT_EQ(form.CurrentFilePath, defaultFile()) << "an empty path falls back to the default";
    EXPECT_EQ(files.files[defaultFile()], "{S} \xAF TD \xAF Today\x01\x01\r\n");

    dialogs.answers = {MessageAnswer::Yes};
    form.editor.deleteAll();
    EXPECT_EQ(files.files[defaultFile()], "\x01\r\n");
}

TEST_F(Form1Commands, ImportAddsToTheListAndBecomesTheFileThatIsSaved) {
    files.files["D:\\mine.qvb"] = "{T} \xAF CU \xAF calc\x01\x01\r\n";
    addEntry("TD", "Today");
    dialogs.openAnswers = {"D:\\mine.qvb"};
    form.Command9_Click();
    EXPECT_EQ(form.List1.count(), 2u);
    EXPECT_EQ(setting("Quorvel", "File", "Import"), "D:\\mine.qvb");
    EXPECT_EQ(form.CurrentFilePath, "D:\\mine.qvb");
    addEntry("SP", "sample");
    EXPECT_EQ(files.files["D:\\mine.qvb"],
              "{S} \xAF SP \xAF sample\x01{S} \xAF TD \xAF Today\x01{T} \xAF CU \xAF calc\x01\x01\r\n");
}

TEST_F(Form1Commands, CancelledOrRefusedDialogNamesNoFileAndTheNextSaveUsesTheDefault) {
    for (const char* answer : {"", "*.tq", "  "}) {
        files.files.clear();
        const std::string fileRead = setting("Quorvel", "File", "Import");
        dialogs.openAnswers = {answer};
        form.FileImport_Click();
        EXPECT_EQ(form.CurrentFilePath, "") << answer;
        EXPECT_EQ(setting("Quorvel", "File", "Import"), fileRead);
        dialogs.saveAnswers = {answer};
        form.Command10_Click();
        EXPECT_TRUE(files.files.empty()) << "nothing saved for '" << answer << "'";
        addEntry("TD", answer);
        addEntry("TD", "x");
        EXPECT_TRUE(files.files.contains(defaultFile())) << answer;
    }
}

TEST_F(Form1Commands, SaveAsWritesTheChosenFileWhichTheNextStartReads) {
    addEntry("TD", "Today");
    dialogs.saveAnswers = {"E:\\copy.qvb"};
    form.FileSave2_Click();
    EXPECT_EQ(files.files["E:\\copy.qvb"], "{S} \xAF TD \xAF Today\x01\x01\r\n");
    addEntry("SP", "x");
    EXPECT_NE(files.files["E:\\copy.qvb"].find("SP"), std::string::npos);
    EXPECT_EQ(setting("Quorvel", "File", "Import"), "E:\\copy.qvb");
    EXPECT_EQ(setting("Quorvel", "File", "Save"), "E:\\copy.qvb");
}

TEST_F(Form1Commands, MinimizeHidesAndTheIconBringsTheWindowBack) {
    form.Form_Load();
    form.Command1_Click();
    EXPECT_FALSE(form.visible);
    EXPECT_EQ(tray.icons.size(), 1u);
    for (int message : {0x200, 0x202, 0x203, 0x206}) {
        form.Form_MouseMove(message * 15);
        EXPECT_FALSE(form.visible) << message;
    }
    form.Form_MouseMove(0x201 * 15);
    EXPECT_TRUE(form.visible);
    form.Command1_Click();
    form.Form_MouseMove(0x204 * 15);
    EXPECT_TRUE(form.visible);
}

TEST_F(Form1Commands, CommonTextButtonShowsTheWindowAndLoadsItOnce) {
    settings.SaveSetting("Quorvel", "Commonkeys", "Number", "1");
    settings.SaveSetting("Quorvel", "Commonkeys", "0", "hello");
    form.Command11_Click();
    form.form8.Command3_Click();
    form.Command11_Click();
    EXPECT_TRUE(form.form8.visible);
    EXPECT_EQ(form.form8.List1.rows.size(), 1u);
}

}  // namespace
}  // namespace quorvel
