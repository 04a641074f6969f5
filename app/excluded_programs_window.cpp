#include "app/excluded_programs_window.h"

#include <utility>

#include "platform/product_info.h"
#include "text/utf8_text.h"

namespace quorvel {

ExcludedProgramsWindow::ExcludedProgramsWindow(const ExcludedPrograms& programs, Change exclude,
                                               Change include, FocusInspector& focus,
                                               Dialogs& dialogs)
    : suggestions{{{"KeePass.exe", Button{"KeePass"}},
                   {"KeePassXC.exe", Button{"KeePassXC"}},
                   {"1Password.exe", Button{"1Password"}},
                   {"Bitwarden.exe", Button{"Bitwarden"}},
                   {"mstsc.exe", Button{"Remote Desktop"}}}},
      programs_(programs),
      exclude_(std::move(exclude)),
      include_(std::move(include)),
      focus_(focus),
      dialogs_(dialogs) {
    syncButtons();
}

void ExcludedProgramsWindow::show() {
    visible = true;
    bringToFront = true;
    selected.reset();
    syncButtons();
    focusedControl = &nameBox;
}

void ExcludedProgramsWindow::close() {
    nameBox.setText("");
    visible = false;
}

void ExcludedProgramsWindow::tell(const std::string& message) {
    dialogs_.showMessage(message, MessageButtons::Ok, product::ApplicationTitle);
}

void ExcludedProgramsWindow::add(std::string_view typed) {
    const std::string_view name = ExcludedPrograms::fileName(typed);
    if (name.empty()) {
        tell("\"" + std::string(typed) +
             "\" is not a program's file name. Type the name of the program's file alone, "
             "such as mstsc.exe: no folder, and none of the characters < > : \" | ? *");
    } else if (programs_.contains(name)) {
        tell(std::string(name) + " is in the list already.");
    } else if (programs_.names().size() >= ExcludedPrograms::MaxNames) {
        tell("The list is full: it holds " + std::to_string(ExcludedPrograms::MaxNames) +
             " programs. Remove one to add another.");
    } else if (exclude_(name)) {
        selected = programs_.names().size() - 1;
    }
    syncButtons();
}

void ExcludedProgramsWindow::addTyped() {
    if (trimBlanks(nameBox.text()).empty()) {
        tell("Please type a program's file name, such as mstsc.exe, in the box.");
    } else {
        const std::size_t before = programs_.names().size();
        add(nameBox.text());
        if (programs_.names().size() != before) {
            nameBox.setText("");
        }
    }
    focusedControl = &nameBox;
}

void ExcludedProgramsWindow::addProgramInFront() {
    const std::string program = focus_.lastOtherProgram();
    if (program.empty()) {
        tell(
            "No other program has been in front since Quorvel started. Click into the program, "
            "then come back and choose \"Add the program in front\" again.");
        return;
    }
    add(program);
}

void ExcludedProgramsWindow::addSuggestion(std::size_t which) {
    if (which < suggestions.size()) {
        add(suggestions[which].program);
    }
}

void ExcludedProgramsWindow::selectRow(std::size_t row) {
    if (row < rows().size()) {
        selected = row;
    }
    syncButtons();
}

void ExcludedProgramsWindow::removeSelected() {
    if (!selected || *selected >= rows().size()) {
        return;
    }
    const std::size_t row = *selected;
    include_(std::string(rows()[row]));
    // The next row takes its place, so that Remove can go on down the list.
    if (row < rows().size()) {
        selected = row;
    } else if (!rows().empty()) {
        selected = rows().size() - 1;
    } else {
        selected.reset();
    }
    syncButtons();
}

void ExcludedProgramsWindow::syncButtons() {
    removeButton.enabled = selected.has_value() && *selected < rows().size();
    for (Suggestion& suggestion : suggestions) {
        suggestion.button.enabled = !programs_.contains(suggestion.program);
    }
}

}  // namespace quorvel
