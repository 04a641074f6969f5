#include "app/held_programs_window.h"

#include <algorithm>
#include <utility>

#include "engine/macro_expander.h"
#include "engine/program_approval.h"
#include "engine/shortcut_entry.h"

namespace quorvel {

HeldProgramsWindow::HeldProgramsWindow(const ShortcutList& list, ProgramApprovals& approvals,
                                       Clock& clock, const Locale& locale, RemoveEntry removeEntry)
    : list_(list),
      approvals_(approvals),
      clock_(clock),
      locale_(locale),
      removeEntry_(std::move(removeEntry)) {
    syncSelection();
}

void HeldProgramsWindow::show() {
    update();
    visible = true;
    bringToFront = true;
}

void HeldProgramsWindow::review(std::string_view entryLine) {
    show();
    const auto row = std::ranges::find(rows_, entryLine, &Row::entryLine);
    if (row != rows_.end()) {
        selectRow(static_cast<std::size_t>(row - rows_.begin()));
        focusedControl = &approveButton;
    }
}

void HeldProgramsWindow::update() {
    std::optional<std::string> kept;
    if (selected && *selected < rows_.size()) {
        kept = rows_[*selected].entryLine;
    }
    rows_.clear();
    selected.reset();
    for (std::size_t i = 0; i < list_.count(); ++i) {
        const std::string_view line = list_.entryLine(i);
        const auto fields = splitEntryLine(line);
        if (!fields || !mayStartProgram(fields->text) || approvals_.approved(line)) {
            continue;
        }
        const auto program = programOf(fields->text, clock_.now(), locale_);
        rows_.push_back({std::string(fields->trigger),
                         program ? *program : std::string(fields->text), std::string(line)});
        if (kept && *kept == line) {
            selected = rows_.size() - 1;
        }
    }
    if (!selected && !rows_.empty()) {
        selected = 0;
    }
    syncSelection();
}

void HeldProgramsWindow::selectRow(std::size_t row) {
    if (row < rows_.size()) {
        selected = row;
        syncSelection();
    }
}

void HeldProgramsWindow::approveSelected() {
    if (selected && *selected < rows_.size()) {
        approvals_.approve(rows_[*selected].entryLine);
        update();
    }
}

void HeldProgramsWindow::removeSelected() {
    if (selected && *selected < rows_.size()) {
        removeEntry_(rows_[*selected].entryLine);
        update();
    }
}

void HeldProgramsWindow::close() {
    visible = false;
}

std::string HeldProgramsWindow::shownRow(const Row& row) {
    return row.trigger + "  \xE2\x86\x92  " + shownCommandLine(row.commandLine);
}

void HeldProgramsWindow::syncSelection() {
    const bool chosen = selected && *selected < rows_.size();
    // An edit box breaks lines only at CR LF; a lone CR or LF would show as nothing.
    programBox.setText(chosen ? shownCommandLine(rows_[*selected].commandLine, "\r\n", "\t")
                              : std::string{});
    approveButton.enabled = chosen;
    removeButton.enabled = chosen;
}

}  // namespace quorvel
