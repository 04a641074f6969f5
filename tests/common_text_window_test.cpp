#include "commontext/common_text_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commontext/common_text_store.h"
#include "tests/doubles/fake_clipboard.h"
#include "tests/doubles/fake_collation.h"
#include "tests/doubles/fake_dialogs.h"
#include "tests/doubles/fake_settings_store.h"
#include "tests/support/readback.h"

namespace quorvel {
namespace {

using Rows = std::vector<std::string>;

class CommonTextWindowTest : public ::testing::Test {
  protected:
    void add(const std::string& text) {
        form.entryBox.setText(text);
        form.addText();
    }
    Rows storedRows() {
        TextRows rows;
        GetList(store, rows);
        return testing::rowTexts(rows);
    }

    FakeSettingsStore store;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    FakeCollation collation;
    CommonTextWindow form{store, dialogs, clipboard, collation};
};

// Sorted as the user's locale orders texts (here the fake's: case ignored,
// accented letters among their plain ones), rows equal but for case in the
// order they had. Each click turns the order; the selection goes, nothing is saved.
TEST_F(CommonTextWindowTest, SortAlternatesAscendingAndDescendingByTheLocaleWithoutSaving) {
    struct Case {
        TextRows rows;
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
        CommonTextWindow sorted(store, dialogs, clipboard, collation);
        sorted.texts.rows = c.rows;
        sorted.texts.selected = 0;
        const auto shown = sorted.texts.rows.revision();  // what a view last drew
        sorted.sortTexts();
        EXPECT_NE(sorted.texts.rows.revision(), shown);
        EXPECT_EQ(testing::rowTexts(sorted.texts.rows), c.ascending);
        EXPECT_EQ(sorted.sortButton.caption, "Sort Descending");
        EXPECT_FALSE(sorted.texts.selected.has_value());
        sorted.sortTexts();
        EXPECT_EQ(testing::rowTexts(sorted.texts.rows),
                  Rows(c.ascending.rbegin(), c.ascending.rend()));
        EXPECT_EQ(sorted.sortButton.caption, "Sort Ascending");
    }
    EXPECT_EQ(store.writes, 0);
}

// The row goes to the clipboard alone, other formats cleared; a locked
// clipboard only leaves it uncopied.
TEST_F(CommonTextWindowTest, RowClickCopiesTheRowAndAddMakesADuplicate) {
    form.show();
    add("first");
    add("two\r\nlines");
    clipboard.putFormat(2, {1, 2, 3});  // a picture

    form.copyRow(1);
    EXPECT_EQ(form.texts.selected, 1u);
    EXPECT_EQ(form.entryBox.text(), "two\r\nlines");
    EXPECT_EQ(clipboard.getText(), "two\r\nlines");
    ASSERT_EQ(clipboard.contents().formats.size(), 1u);

    form.addText();
    EXPECT_EQ(testing::rowTexts(form.texts.rows), (Rows{"first", "two\r\nlines", "two\r\nlines"}));
    EXPECT_EQ(form.entryBox.text(), "");
    EXPECT_EQ(form.focusedControl, &form.entryBox);
    EXPECT_EQ(storedRows(), testing::rowTexts(form.texts.rows));

    clipboard.locked = true;
    form.copyRow(0);
    EXPECT_EQ(form.entryBox.text(), "first");
    EXPECT_EQ(form.texts.selected, 0u);
    EXPECT_TRUE(dialogs.shown.empty());
    clipboard.locked = false;
    EXPECT_EQ(clipboard.getText(), "two\r\nlines");

    form.copyRow(7);  // past the last row: nothing
    EXPECT_EQ(form.texts.selected, 0u);
}

TEST_F(CommonTextWindowTest, AddWithAnEmptyBoxComplainsAndSavesAndRemoveTakesTheSelectedRow) {
    form.show();
    add("a");
    add("b");
    add("c");
    store.SaveSetting("Quorvel", "Commonkeys", "Number", "0");
    form.addText();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Please enter text in Text Box.");
    EXPECT_EQ(dialogs.shown[0].caption, "Quorvel");
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(storedRows(), (Rows{"a", "b", "c"})) << "saved again, over the count of 0";
    EXPECT_EQ(form.focusedControl, &form.entryBox);

    const int writes = store.writes;
    form.removeText();  // nothing selected
    EXPECT_EQ(testing::rowTexts(form.texts.rows), (Rows{"a", "b", "c"}));
    EXPECT_EQ(store.writes, writes);
    form.copyRow(1);
    const auto shown = form.texts.rows.revision();  // what a view last drew
    form.removeText();
    EXPECT_NE(form.texts.rows.revision(), shown);
    EXPECT_EQ(testing::rowTexts(form.texts.rows), (Rows{"a", "c"}));
    EXPECT_FALSE(form.texts.selected.has_value());
    EXPECT_EQ(storedRows(), (Rows{"a", "c"}));
}

TEST_F(CommonTextWindowTest, StoredListIsReadOnlyAtTheFirstShow) {
    SaveList(store, {"from last run", "second"});
    form.show();
    EXPECT_TRUE(form.visible);
    EXPECT_EQ(testing::rowTexts(form.texts.rows), (Rows{"from last run", "second"}));

    form.entryBox.setText("half typed");
    form.close();
    EXPECT_FALSE(form.visible);
    EXPECT_EQ(form.entryBox.text(), "");

    SaveList(store, {"changed meanwhile"});
    const int reads = store.reads;
    form.show();
    EXPECT_TRUE(form.visible);
    EXPECT_EQ(testing::rowTexts(form.texts.rows), (Rows{"from last run", "second"}));
    EXPECT_EQ(store.reads, reads);
}

}  // namespace
}  // namespace quorvel
