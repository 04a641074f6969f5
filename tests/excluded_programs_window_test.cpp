#include "app/excluded_programs_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/app_fixture.h"
#include "support/transcript.h"

namespace quorvel {
namespace {

class ExcludedProgramsWindowTest : public ::testing::Test, public testing::AppFixture {
  protected:
    // Opens the window over a stored list and runs the steps, each a word and
    // what follows its first blank: "type <text>" in the name box, "add" the
    // typed name, "front" the program in front, "focus <program>" as the last
    // other program in front, "suggest N", "select N", "remove", "close",
    // "open". The first line has the window's state, each step's line what it
    // changed of it: the stored list, the selected row, whether Remove and each
    // suggestion can be clicked, the name box and whether it has the focus.
    // Under a step, what the window told.
    std::string run(const std::string& stored, const std::vector<std::string>& steps) {
        settings = FakeSettingsStore{};
        settings.write({"Quorvel", "Excluded", "Programs"}, stored);
        dialogs = FakeDialogs{};
        focus.otherProgram.clear();
        start().openExcludedPrograms();
        ExcludedProgramsWindow& w = form->excludedWindow;
        const auto facts = [&]() -> testing::Facts {
            std::string offered;
            for (const auto& suggestion : w.suggestions) {
                offered += suggestion.button.enabled ? '+' : '-';
            }
            return {
                {"stored", "stored [" + setting("Quorvel", "Excluded", "Programs") + "]"},
                {"selected", "selected " + (w.selected ? std::to_string(*w.selected) : "none")},
                {"Remove", w.removeButton.enabled ? "Remove" : ""},
                {"offers", "offers " + offered},
                {"box", "box [" + w.nameBox.text() + "]"},
                {"focused", w.focusedControl == &w.nameBox ? "focused" : ""},
                {"window", w.visible ? "shown" : "hidden"},
            };
        };
        w.focusedControl = nullptr;
        testing::Facts was = facts();
        std::string out = std::string("== ") + (w.visible && w.bringToFront ? "opened, " : "") +
                          testing::changed({}, was) + "\n";
        for (const std::string& step : steps) {
            const std::string word = step.substr(0, step.find(' '));
            const std::string rest = step.size() > word.size() ? step.substr(word.size() + 1) : "";
            const std::size_t told = dialogs.shown.size();
            w.focusedControl = nullptr;
            was = facts();
            if (word == "type") {
                w.nameBox.setText(rest);
            } else if (word == "add") {
                w.addTyped();
            } else if (word == "front") {
                w.addProgramInFront();
            } else if (word == "focus") {
                focus.otherProgram = rest;
            } else if (word == "suggest" || word == "select") {
                word == "suggest" ? w.addSuggestion(std::stoul(rest))
                                  : w.selectRow(std::stoul(rest));
            } else if (word == "remove" || word == "close" || word == "open") {
                word == "remove"  ? w.removeSelected()
                : word == "close" ? w.close()
                                  : form->openExcludedPrograms();
            } else {
                ADD_FAILURE() << "unknown step " << step;
            }
            EXPECT_EQ(setting("Quorvel", "Excluded", "Programs"), form->excludedPrograms.stored())
                << "the engine's list is stored";
            const testing::Facts now = facts();
            out += testing::stepLine(step, testing::changed(was, now)) +
                   testing::toldSince(dialogs, told);
            was = now;
        }
        return out;
    }
};

// A typed name goes by the list's own rules (the file name alone, any case);
// what it refuses is said, and the box keeps the text for the user to mend.
// The program in front is the last other program than Quorvel the focus saw.
// A suggestion listed already cannot be clicked; removing it offers it again.
// Remove takes the selected row and selects the next, or the new last row, so
// that Remove can go on; with no row selected it cannot be pressed. Close
// forgets the half-typed name and the selection.
TEST_F(ExcludedProgramsWindowTest, AddRemoveAndCloseAsTheUserDoes) {
    std::string full;
    for (std::size_t i = 0; i < ExcludedPrograms::MaxNames; ++i) {
        full += (i == 0 ? "" : "|") + std::to_string(i) + ".exe";
    }
    std::string transcript;
    // A plain name and a bad one: e2e/ui/ui_e2e.sh.
    for (const char* typed : {"type   C:\\Tools\\Code.exe ", "type MSTSC.EXE", "type    "}) {
        transcript += run("mstsc.exe", {typed, "add"});
    }
    transcript += run(full, {"type new.exe", "add"});
    transcript += run("", {"front", "focus Notepad.exe", "front", "front"});
    transcript +=
        run("keepass.EXE|Code.exe", {"suggest 4", "suggest 1", "suggest 99", "select 0", "remove"});
    transcript +=
        run("a.exe|b.exe|c.exe|d.exe", {"remove", "select 7", "select 1", "remove", "select 2",
                                        "remove", "select 0", "remove", "remove"});
    transcript += run("a.exe", {"select 0", "type half", "close", "open"});
    testing::expectGolden("excluded_programs_window.txt", transcript);
}

}  // namespace
}  // namespace quorvel
