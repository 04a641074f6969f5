#include "commontext/form8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commontext/common_text_store.h"
#include "tests/doubles/fake_clipboard.h"
#include "tests/doubles/fake_collation.h"
#include "tests/doubles/fake_dialogs.h"
#include "tests/doubles/fake_settings_store.h"

namespace quorvel {
namespace {

using Rows = std::vector<std::string>;

class Form8Test : public ::testing::Test {
  protected:
    void add(const std::string& text) {
        form.Text1.setText(text);
        form.Command1_Click();
    }
    Rows storedRows() {
        Rows rows;
        GetList(store, rows);
        return rows;
    }

    FakeSettingsStore store;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    FakeCollation collation;
    Form8 form{store, dialogs, clipboard, collation};
};

// Sorted as the user's locale orders texts (here the fake's: case ignored,
// accented letters among their plain ones), rows equal but for case in the
// order they had. Each click turns the order; the selection goes, nothing is saved.
TEST_F(Form8Test, SortAlternatesAscendingAndDescendingByTheLocaleWithoutSaving) {
    struct Case {
        Rows rows;
        Rows ascending;
    };
    const Case cases[] = {
        {{"b", "A", "c"}, {"A", "b", "c"}},
        {{"a", "B", "A", "b"}, {"a", "A", "B", "b"}},
        {{"b", "a", "B", "A"}, {"a", "A", "b", "B"}},
        {{"ab", "A", "", "Ab"}, {"", "A", "ab", "Ab"}},
        {{"zebra", "éclair", "École", "eagle"}, {"eagle", "éclair", "École", "zebra"}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        Form8 sorted(store, dialogs, clipboard, collation);
        sorted.List1.rows = c.rows;
        sorted.List1.selected = 0;
        sorted.Command4_Click();
        EXPECT_EQ(sorted.List1.rows, c.ascending);
        EXPECT_EQ(sorted.Command4.caption, "Sort Descending");
        EXPECT_FALSE(sorted.List1.selected.has_value());
        sorted.Command4_Click();
        EXPECT_EQ(sorted.List1.rows, Rows(c.ascending.rbegin(), c.ascending.rend()));
        EXPECT_EQ(sorted.Command4.caption, "Sort Ascending");
    }
    EXPECT_EQ(store.writes, 0);
}

// The row goes to the clipboard alone, other formats cleared; a locked
// clipboard only leaves it uncopied.
TEST_F(Form8Test, RowClickCopiesTheRowAndAddMakesADuplicate) {
    form.show();
    add("first");
    add("two\r\nlines");
    clipboard.putFormat(2, {1, 2, 3});  // a picture

    form.List1_Click(1);
    EXPECT_EQ(form.List1.selected, 1u);
    EXPECT_EQ(form.Text1.text(), "two\r\nlines");
    EXPECT_EQ(clipboard.getText(), "two\r\nlines");
    ASSERT_EQ(clipboard.contents().formats.size(), 1u);

    form.Command1_Click();
    EXPECT_EQ(form.List1.rows, (Rows{"first", "two\r\nlines", "two\r\nlines"}));
    EXPECT_EQ(form.Text1.text(), "");
    EXPECT_EQ(form.focusedControl, &form.Text1);
    EXPECT_EQ(storedRows(), form.List1.rows);

    clipboard.locked = true;
    form.List1_Click(0);
    EXPECT_EQ(form.Text1.text(), "first");
    EXPECT_EQ(form.List1.selected, 0u);
    EXPECT_TRUE(dialogs.shown.empty());
    clipboard.locked = false;
    EXPECT_EQ(clipboard.getText(), "two\r\nlines");

    form.List1_Click(7);  // past the last row: nothing
    EXPECT_EQ(form.List1.selected, 0u);
}

TEST_F(Form8Test, AddWithAnEmptyBoxComplainsAndStillSaves) {
    form.show();
    add("kept");
    store.SaveSetting("Quorvel", "Commonkeys", "Number", "0");

    form.Command1_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Please enter text in Text Box.");
    EXPECT_EQ(dialogs.shown[0].caption, "Quorvel");
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(storedRows(), Rows{"kept"}) << "saved again, over the count of 0";
    EXPECT_EQ(form.focusedControl, &form.Text1);
}

TEST_F(Form8Test, RemoveTakesOnlyTheSelectedRow) {
    form.show();
    add("a");
    add("b");
    add("c");
    const int writes = store.writes;
    form.Command2_Click();
    EXPECT_EQ(form.List1.rows, (Rows{"a", "b", "c"}));
    EXPECT_EQ(store.writes, writes);

    form.List1_Click(1);
    form.Command2_Click();
    EXPECT_EQ(form.List1.rows, (Rows{"a", "c"}));
    EXPECT_FALSE(form.List1.selected.has_value());
    EXPECT_EQ(storedRows(), (Rows{"a", "c"}));
}

TEST_F(Form8Test, StoredListIsReadOnlyAtTheFirstShow) {
    SaveList(store, {"from last run", "second"});
    form.show();
    EXPECT_TRUE(form.visible);
    EXPECT_EQ(form.List1.rows, (Rows{"from last run", "second"}));

    form.Text1.setText("half typed");
    form.Command3_Click();
    EXPECT_FALSE(form.visible);
    EXPECT_EQ(form.Text1.text(), "");

    SaveList(store, {"changed meanwhile"});
    const int reads = store.reads;
    form.show();
    EXPECT_TRUE(form.visible);
    EXPECT_EQ(form.List1.rows, (Rows{"from last run", "second"}));
    EXPECT_EQ(store.reads, reads);
}

}  // namespace
}  // namespace quorvel
