#include "app/main_window.h"

namespace quorvel {

void MainWindow::noteHeldPrograms() {
    if (shortcuts.revision() == heldRevision_) {
        return;
    }
    heldRevision_ = shortcuts.revision();
    heldWindow.update();
    std::size_t arrived = 0;
    for (const HeldProgramsWindow::Row& row : heldWindow.rows()) {
        arrived += heldSeen_.insert(row.entryLine).second ? 1 : 0;
    }
    if (arrived > 0) {
        icon.tellProgramsWaiting(arrived);
    }
}

// Remove in the held entries' window: the entry goes from the list and the file.
void MainWindow::removeEntryLine(std::string_view entryLine) {
    for (std::size_t row = shortcuts.count(); row-- > 0;) {
        if (shortcuts.entryLine(row) == entryLine) {
            shortcuts.removeAt(row);
        }
    }
    saveFile();
}

}  // namespace quorvel
