#include "app/excluded_programs_window.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/app_fixture.h"

namespace quorvel {
namespace {

using Names = std::vector<std::string>;

class ExcludedProgramsWindowTest : public ::testing::Test, public testing::AppFixture {
  protected:
    // The window opened over this stored list, nothing told yet.
    ExcludedProgramsWindow& window(const char* stored) {
        settings.SaveSetting("Quorvel", "Excluded", "Programs", stored);
        start().openExcludedPrograms();
        told();
        return form->excludedWindow;
    }
    std::string stored() { return setting("Quorvel", "Excluded", "Programs"); }
    // The last message shown since the previous call, or "" when none was.
    std::string told() {
        std::string text = dialogs.shown.size() > seen_ ? dialogs.shown.back().text : "";
        seen_ = dialogs.shown.size();
        return text;
    }
    std::vector<bool> suggestionsEnabled(const ExcludedProgramsWindow& w) {
        std::vector<bool> enabled;
        for (const auto& suggestion : w.suggestions) {
            enabled.push_back(suggestion.button.enabled);
        }
        return enabled;
    }

  private:
    std::size_t seen_ = 0;
};

// A typed name goes by the list's own rules; what it refuses is said, and the
// box keeps the text for the user to mend.
TEST_F(ExcludedProgramsWindowTest, TypedNamesAreAddedAndStoredOrRefusedWithAReason) {
    std::string full;
    for (std::size_t i = 0; i < ExcludedPrograms::MaxNames; ++i) {
        full += std::to_string(i) + ".exe|";
    }
    struct Case {
        const char* typed;
        const char* storedAfter;  // nullptr: unchanged
        const char* toldStart;    // "" when nothing is said
        std::string storedBefore = "mstsc.exe";
    };
    const Case cases[] = {
        {"Code.exe", "mstsc.exe|Code.exe", ""},
        {"  C:\\Tools\\Code.exe ", "mstsc.exe|Code.exe", ""},
        {"MSTSC.EXE", nullptr, "MSTSC.EXE is in the list already."},
        {"bad?.exe", nullptr, "\"bad?.exe\" is not a program's file name."},
        {"   ", nullptr, "Please type a program's file name, such as mstsc.exe, in the box."},
        {"new.exe", nullptr, "The list is full: ", full},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ExcludedProgramsWindow& w = window(c.storedBefore.c_str());
        w.nameBox.setText(c.typed);
        w.focusedControl = nullptr;
        w.addTyped();
        const std::string said = told();
        EXPECT_EQ(said.substr(0, std::string(c.toldStart).size()), c.toldStart);
        EXPECT_EQ(said.empty(), *c.toldStart == '\0');
        EXPECT_EQ(stored(), c.storedAfter ? c.storedAfter : c.storedBefore);
        EXPECT_EQ(w.nameBox.text(), c.storedAfter ? "" : c.typed);
        EXPECT_EQ(w.focusedControl, &w.nameBox);
        if (c.storedAfter) {
            EXPECT_EQ(w.selected, 1u) << "the new row is selected";
            EXPECT_TRUE(form->excludedPrograms.contains("code.exe")) << "the engine's list";
        }
    }
}

// The last program other than Quorvel that was in front, by the focus's account.
TEST_F(ExcludedProgramsWindowTest, TheProgramInFrontIsAddedOnceOrWhyNotIsSaid) {
    ExcludedProgramsWindow& w = window("");
    w.addProgramInFront();
    EXPECT_EQ(told().substr(0, 50), "No other program has been in front since Quorvel s");
    EXPECT_EQ(stored(), "");

    focus.otherProgram = "Notepad.exe";
    w.addProgramInFront();
    EXPECT_EQ(told(), "");
    EXPECT_EQ(stored(), "Notepad.exe");
    EXPECT_EQ(w.rows(), Names{"Notepad.exe"});
    w.addProgramInFront();
    EXPECT_EQ(told(), "Notepad.exe is in the list already.");
    EXPECT_EQ(stored(), "Notepad.exe");
}

// A suggestion listed already, in any case, cannot be clicked; removing the
// program offers it again.
TEST_F(ExcludedProgramsWindowTest, SuggestionsAddWithOneClickAndListedOnesAreDisabled) {
    ExcludedProgramsWindow& w = window("keepass.EXE|Code.exe");
    EXPECT_EQ(suggestionsEnabled(w), (std::vector<bool>{false, true, true, true, true}));
    EXPECT_EQ(w.suggestions[4].button.caption, "Remote Desktop");

    w.addSuggestion(4);
    w.addSuggestion(1);
    w.addSuggestion(99);  // no such suggestion: nothing
    EXPECT_EQ(stored(), "keepass.EXE|Code.exe|mstsc.exe|KeePassXC.exe");
    EXPECT_EQ(suggestionsEnabled(w), (std::vector<bool>{false, false, true, true, false}));
    EXPECT_EQ(told(), "");

    w.selectRow(0);
    w.removeSelected();
    EXPECT_EQ(suggestionsEnabled(w), (std::vector<bool>{true, false, true, true, false}));
}

// Remove takes the selected row; the next row takes its place, or the new
// last row when the last went, so that Remove can go on; with no row selected
// it cannot be pressed.
TEST_F(ExcludedProgramsWindowTest, RemoveTakesTheSelectedRowAndSelectsTheNext) {
    ExcludedProgramsWindow& w = window("a.exe|b.exe|c.exe|d.exe");
    EXPECT_FALSE(w.removeButton.enabled);
    w.removeSelected();
    EXPECT_EQ(stored(), "a.exe|b.exe|c.exe|d.exe");
    w.selectRow(7);
    EXPECT_FALSE(w.removeButton.enabled);

    struct Step {
        std::optional<std::size_t> select;  // before Remove; none: as it is
        const char* storedAfter;
        std::optional<std::size_t> selectedAfter;
    };
    const Step steps[] = {
        {1, "a.exe|c.exe|d.exe", 1},
        {2, "a.exe|c.exe", 1},
        {0, "c.exe", 0},
        {std::nullopt, "", std::nullopt},
    };
    for (const Step& step : steps) {
        if (step.select) {
            w.selectRow(*step.select);
        }
        EXPECT_TRUE(w.removeButton.enabled);
        w.removeSelected();
        EXPECT_EQ(stored(), step.storedAfter);
        EXPECT_EQ(w.selected, step.selectedAfter);
        EXPECT_EQ(w.removeButton.enabled, step.selectedAfter.has_value());
    }
    EXPECT_TRUE(form->excludedPrograms.names().empty());
    EXPECT_EQ(told(), "");
}

TEST_F(ExcludedProgramsWindowTest, CloseHidesAndForgetsTheHalfTypedName) {
    ExcludedProgramsWindow& w = window("a.exe");
    EXPECT_TRUE(w.visible);
    EXPECT_TRUE(w.bringToFront);
    w.selectRow(0);
    w.nameBox.setText("half");
    w.close();
    EXPECT_FALSE(w.visible);
    EXPECT_EQ(w.nameBox.text(), "");
    form->openExcludedPrograms();
    EXPECT_FALSE(w.selected.has_value());
    EXPECT_FALSE(w.removeButton.enabled);
    EXPECT_EQ(stored(), "a.exe");
}

}  // namespace
}  // namespace quorvel
