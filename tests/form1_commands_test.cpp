#include <gtest/gtest.h>

#include <utility>

#include "support/app_fixture.h"

namespace quorvel {
namespace {

class Form1Commands : public ::testing::Test, public testing::AppFixture {
  protected:
    Form1Commands() { create(); }
};

TEST_F(Form1Commands, BoostAndForceAskBeforeTurningOnButNotOffAndAreNeverStored) {
    using Item = std::pair<void (Form1::*)(), MenuItem Form1::*>;
    for (const auto& [click, item] : {Item{&Form1::MenuBoost_Click, &Form1::MenuBoost},
                                      Item{&Form1::MenuForce_Click, &Form1::MenuForce}}) {
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
TEST_F(Form1Commands, CalibrationBoxStoresNumbersAndRefusesTheRest) {
    form->Text2.setText("250");
    EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "250");
    form->Text2.setText("");
    EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "250") << "an empty box stores nothing";
    for (const char* bad : {"250x", "99999999999"}) {
        form->Text2.setText(bad);
        EXPECT_EQ(form->Text2.text(), "500") << bad;
        EXPECT_EQ(setting("Quorvel 2.1", "options", "text2"), "500") << bad;
        EXPECT_EQ(dialogs.shown.back().text, "Value Must be Numberic");
        form->Text2.setText("");
    }
}

// Every save names its file under both file settings.
TEST_F(Form1Commands, ImportAddsToTheListAndBecomesTheFileThatIsSaved) {
    files.files["D:\\mine.qvb"] = "{T} \xAF CU \xAF calc\x01\x01\r\n";
    addEntry("TD", "Today");
    dialogs.openAnswers = {"D:\\mine.qvb"};
    form->Command9_Click();
    // Saved at once: a restart before any change reads the whole list back.
    EXPECT_EQ(files.files["D:\\mine.qvb"],
              "{S} \xAF TD \xAF Today\x01{T} \xAF CU \xAF calc\x01\x01\r\n");
    EXPECT_EQ(setting("Quorvel", "File", "Import"), "D:\\mine.qvb");
    EXPECT_EQ(setting("Quorvel", "File", "Save"), "D:\\mine.qvb");
    addEntry("SP", "sample");
    EXPECT_EQ(
        files.files["D:\\mine.qvb"],
        "{S} \xAF SP \xAF sample\x01{S} \xAF TD \xAF Today\x01{T} \xAF CU \xAF calc\x01\x01\r\n");
}

TEST_F(Form1Commands, CancelledOrRefusedDialogNamesNoFileAndTheNextSaveUsesTheDefault) {
    for (const char* answer : {"", "*.tq", "  "}) {
        files.files.clear();
        const std::string fileRead = setting("Quorvel", "File", "Import");
        dialogs.openAnswers = {answer};
        form->FileImport_Click();
        EXPECT_EQ(form->CurrentFilePath, "") << answer;
        EXPECT_EQ(setting("Quorvel", "File", "Import"), fileRead);
        form->CurrentFilePath = "C:\\Users\\me\\other.qvb";
        dialogs.saveAnswers = {answer};
        form->Command10_Click();
        EXPECT_TRUE(files.files.empty()) << "nothing saved for '" << answer << "'";
        addEntry("TD", answer);
        addEntry("TD", "x");
        EXPECT_TRUE(files.files.contains(defaultFile())) << answer;
    }
}

// Minimize hides the window in the tray; of the icon's mouse messages, only a
// left or a right press brings it back.
TEST_F(Form1Commands, MinimizeHidesAndAPressOnTheIconBringsTheWindowBack) {
    form->Form_Load();
    for (const int message : {0x200, 0x201, 0x202, 0x203, 0x204, 0x206}) {
        form->Command1_Click();
        EXPECT_FALSE(form->visible);
        EXPECT_EQ(tray.icons.size(), 1u);
        form->Form_MouseMove(message * 15);
        EXPECT_EQ(form->visible, message == 0x201 || message == 0x204) << message;
    }
    // Visible but perhaps minimised or covered: each press asks for it again.
    form->Form_MouseMove(0x201 * 15);
    form->bringToFront = false;
    form->Form_MouseMove(0x201 * 15);
    EXPECT_TRUE(form->bringToFront);
}

// What the window loads, and when, is the window's own business.
TEST_F(Form1Commands, CommonTextButtonShowsTheWindowAndRaisesItAgain) {
    form->Command11_Click();
    form->form8.Command3_Click();
    form->Command11_Click();
    EXPECT_TRUE(form->form8.visible);
    form->form8.bringToFront = false;
    form->Command11_Click();
    EXPECT_TRUE(form->form8.bringToFront) << "an open window is raised again";
}

}  // namespace
}  // namespace quorvel
