#include "app/insert_popup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/app_fixture.h"

namespace quorvel {
namespace {

class InsertPopupTest : public ::testing::Test, public testing::AppFixture {
  protected:
    InsertPopupTest() {
        settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
        settings.write({"Quorvel", "Commonkeys", "Number"}, "2");
        settings.write({"Quorvel", "Commonkeys", "0"}, "100% {ENTER} %(date)%");
        settings.write({"Quorvel", "Commonkeys", "1"}, "Kind regards");
        start();
        form->calibrationBox.setText("0");
        addEntry("aa", "Alpha text");
        addEntry("bb", "Beta regards");
        addEntry("cc", "Gamma{TAB}text");
        form->visible = false;
    }

    // The popup's rows as shown.
    std::vector<std::string> shown() {
        std::vector<std::string> rows;
        for (const InsertPopup::Row& row : form->popup.rows) {
            rows.push_back(row.shown);
        }
        return rows;
    }
    // Enter in the popup, and the focus back where it was.
    void enter() {
        form->popup.choose();
        form->sendPopupChoice();
        loop.runUntilIdle();
    }
};

TEST_F(InsertPopupTest, MostRecentlyUsedFirstThenListOrderThenCommonText) {
    keyboard.typeText("cc ");
    clock.advanceSeconds(60);
    keyboard.typeText("aa ");
    form->popupKeyPressed();
    ASSERT_TRUE(form->popup.visible);
    EXPECT_EQ(shown(), (std::vector<std::string>{"aa    Alpha text", "cc    Gamma{TAB}text",
                                                 "bb    Beta regards", "    100% {ENTER} %(date)%",
                                                 "    Kind regards"}));
    form->popup.close();

    // The order outlives the program, and a use from the popup counts too.
    start();
    clock.advanceSeconds(1);
    form->popupKeyPressed();
    form->popup.searchBox.setText("beta");
    enter();
    form->popupKeyPressed();
    EXPECT_EQ(shown().front(), "bb    Beta regards");
    EXPECT_EQ(shown().at(1), "aa    Alpha text");
}

TEST_F(InsertPopupTest, WordsInAnyOrderAndKeysChooseTheRow) {
    form->popupKeyPressed();
    form->popup.searchBox.setText("REGARDS b");
    EXPECT_EQ(shown(), (std::vector<std::string>{"bb    Beta regards"}));
    form->popup.searchBox.setText("regards");
    EXPECT_EQ(shown(), (std::vector<std::string>{"bb    Beta regards", "    Kind regards"}));
    form->popup.moveSelection(-1);
    EXPECT_EQ(form->popup.selected, 0u);
    form->popup.moveSelection(+5);
    EXPECT_EQ(form->popup.selected, 1u);
    form->popup.searchBox.setText("nowhere");
    EXPECT_TRUE(shown().empty());
    form->popup.moveSelection(+1);
    form->popup.choose();
    EXPECT_FALSE(form->popupChoice.has_value());
    EXPECT_TRUE(form->popup.visible);
}

TEST_F(InsertPopupTest, CommonTextIsTypedAsItsCharacters) {
    form->popupKeyPressed();
    form->popup.searchBox.setText("100%");
    enter();
    EXPECT_EQ(keyboard.targetText, "100% {ENTER} %(date)%");
}

// (Esc: e2e/popup_e2e.sh.)
TEST_F(InsertPopupTest, ADeletedShortcutAndAHeldProgramTypeNothing) {
    form->popupKeyPressed();
    form->popup.searchBox.setText("alpha");
    form->shortcuts.removeAt(0);  // the row "aa", deleted in the main window meanwhile
    addEntry("aa", "Alpha text, edited");
    form->popup.choose();
    EXPECT_FALSE(form->popupChoice.has_value());
    EXPECT_TRUE(form->popup.visible);
    EXPECT_NE(form->popup.note.caption.find("no longer"), std::string::npos);
    EXPECT_EQ(shown(), (std::vector<std::string>{"aa    Alpha text, edited"}));
    form->sendPopupChoice();
    loop.runUntilIdle();
    EXPECT_EQ(keyboard.targetText, "");

    addEntry("rr", "%(run=tool.exe)%");  // past the window's Add: not approved
    form->popup.close();
    form->popupKeyPressed();
    form->popup.searchBox.setText("rr");
    form->popup.choose();
    EXPECT_FALSE(form->popupChoice.has_value());
    EXPECT_NE(form->popup.note.caption.find("not approved"), std::string::npos);
}

// (A password box: e2e/popup_e2e.sh.)
TEST_F(InsertPopupTest, StaysClosedWhereTriggersStayOutAndSaysWhy) {
    struct Case {
        const char* what;
        void (*set)(InsertPopupTest&);
        const char* told;
    };
    const Case cases[] = {
        {"excluded",
         [](InsertPopupTest& t) {
             t.focus.facts.program = "KeePass.exe";
             t.form->excludeProgram("keepass.exe");
         },
         "KeePass.exe is in Excluded Programs"},
        {"paused", [](InsertPopupTest& t) { t.form->togglePause(); }, "paused"},
        {"composing", [](InsertPopupTest& t) { t.focus.facts.composing = true; }, "composing"},
        {"full screen", [](InsertPopupTest& t) { t.focus.facts.fullScreen = true; }, "full-screen"},
        {"administrator", [](InsertPopupTest& t) { t.keyboard.acceptsInput = false; },
         "administrator"},
    };
    for (const Case& c : cases) {
        start();
        focus.facts = {};
        c.set(*this);
        const std::size_t told = dialogs.shown.size();
        form->popupKeyPressed();
        EXPECT_FALSE(form->popup.visible) << c.what;
        ASSERT_EQ(dialogs.shown.size(), told + 1) << c.what;
        EXPECT_NE(dialogs.shown.back().text.find(c.told), std::string::npos) << c.what;
        keyboard.acceptsInput = true;
    }
}

TEST_F(InsertPopupTest, HotKeyChosenInTheMenuAndATakenKeyToldOnce) {
    EXPECT_EQ(popupKey.held->name, "Ctrl+Shift+Insert");
    EXPECT_TRUE(form->popupCtrlShiftInsertItem.checked);
    form->choosePopupKeyCtrlAltSpace();
    EXPECT_EQ(popupKey.held->name, "Ctrl+Alt+Space");
    EXPECT_FALSE(form->popupCtrlShiftInsertItem.checked);
    EXPECT_TRUE(form->popupCtrlAltSpaceItem.checked);
    form->choosePopupKeyCtrlAltSpace();  // ticked: turned off
    EXPECT_FALSE(popupKey.held.has_value());
    EXPECT_FALSE(form->popupCtrlAltSpaceItem.checked);

    const std::size_t told = dialogs.shown.size();
    start();
    EXPECT_FALSE(popupKey.held.has_value()) << "off, as stored";
    popupKey.takenElsewhere = true;
    form->choosePopupKeyCtrlAltInsert();
    ASSERT_EQ(dialogs.shown.size(), told + 1);
    EXPECT_NE(dialogs.shown.back().text.find("Another program holds Ctrl+Alt+Insert"),
              std::string::npos);
    start();
    EXPECT_EQ(dialogs.shown.size(), told + 2) << "once a run";
}

TEST_F(InsertPopupTest, ClearUsageHistoryAndRestoreDefaultsForgetTheOrder) {
    keyboard.typeText("cc ");
    dialogs.answers.push_back(MessageAnswer::Yes);
    form->clearUsageHistory();
    form->popupKeyPressed();
    EXPECT_EQ(shown().front(), "aa    Alpha text");
    EXPECT_TRUE(settings.keysOf("Quorvel", "Usage").empty());

    form->popup.close();
    keyboard.typeText("cc ");
    EXPECT_EQ(settings.keysOf("Quorvel", "Usage").size(), 1u);
    dialogs.answers.push_back(MessageAnswer::Yes);
    EXPECT_THROW(form->restoreDefaults(), ProcessEnded);
    EXPECT_TRUE(settings.keysOf("Quorvel", "Usage").empty());
}

TEST(InsertPopupRows, FirstLineCutAndBreaksShown) {
    const std::string million(1000000, 'x');
    const std::string row = popupRowText("big", million);
    EXPECT_EQ(row, "big    " + std::string(InsertPopup::ShownTextBytes, 'x') + "\xE2\x80\xA6");
    EXPECT_EQ(popupRowText("nl", "\r\n\r\n"), "nl    \xC2\xB6\xC2\xB6");
    EXPECT_EQ(popupRowText("two", "first\r\nsecond"), "two    first\xE2\x80\xA6");
    // Cut between characters, never inside one.
    std::string greek;
    for (int i = 0; i < 100; ++i) {
        greek += "\xCE\xB1";  // α
    }
    EXPECT_EQ(popupRowText("g", greek), "g    " + greek.substr(0, 120) + "\xE2\x80\xA6");
    EXPECT_EQ(popupRowText("\xF0\x9F\x98\x80", "ok"), "\xF0\x9F\x98\x80    ok");
}

}  // namespace
}  // namespace quorvel
