#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/shortcut_entry.h"
#include "support/app_fixture.h"

namespace quorvel {
namespace {

class MainWindowSearch : public ::testing::Test, public testing::AppFixture {
  protected:
    MainWindowSearch() {
        create();
        for (const auto& [trigger, text] : Rows) {
            form->shortcuts.add(formatEntryLine({LaunchMode::Space, false, trigger, text}));
        }
    }

    // The triggers of the rows shown, in order, and the count beside the box.
    std::string shown() {
        const ShortcutFilter& rows = form->shownRows();
        std::string out;
        for (std::size_t i = 0; i < rows.shownCount(); ++i) {
            out += std::string(splitEntryLine(form->shortcuts.entryLine(rows.listRow(i)))->trigger);
            out += ' ';
        }
        return out + "| " + rows.countCaption();
    }

    static inline const std::vector<std::pair<std::string, std::string>> Rows = {
        {"addr", "12 Main Street\r\nSpringfield"},
        {"café", "Un café au lait, s'il vous plaît"},
        {"grk", "Καλημέρα ΑΒΓ"},
        {"jp", "日本語のテキスト 😀"},
        {"sig", "Best regards,\r\nAnn"},
        {"ty", "Thank you!"},
    };
};

// The row chosen among those shown is the list's row, and stays chosen when the
// search is left; Delete takes that row and no other.
TEST_F(MainWindowSearch, SelectionAndDeleteWorkOnTheRowsShown) {
    form->searchBox.setText("E");  // not "é"
    ASSERT_EQ(shown(), "addr sig | 2 of 6 shortcuts");
    form->selectShownRow(1);
    EXPECT_EQ(form->triggerBox.text(), "sig");
    EXPECT_EQ(form->shortcutText.text(), "Best regards,\r\nAnn");
    EXPECT_EQ(form->shortcuts.selectedIndex(), 4u);

    form->clearSearch();
    EXPECT_EQ(shown(), "addr café grk jp sig ty | 6 shortcuts");
    EXPECT_EQ(form->shownRows().shownRowOf(*form->shortcuts.selectedIndex()), 4u);

    form->searchBox.setText("café");
    form->selectShownRow(0);
    form->selectShownRow(7);  // past the rows shown: nothing changes
    EXPECT_EQ(form->triggerBox.text(), "café");
    dialogs.answers.push_back(MessageAnswer::Yes);
    form->editor.deleteSelected();
    EXPECT_EQ(shown(), "| 0 of 5 shortcuts");
    form->clearSearch();
    EXPECT_EQ(shown(), "addr grk jp sig ty | 5 shortcuts");
}

}  // namespace
}  // namespace quorvel
