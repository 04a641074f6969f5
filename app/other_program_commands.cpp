// The File menu's import from another program and export as CSV.

#include "app/main_window.h"
#include "storage/csv_shortcuts.h"
#include "storage/import_file.h"

namespace quorvel {

// The chosen file is only read; nothing joins the list before the user has
// seen the preview and pressed Import.
void MainWindow::importFromOtherProgram() {
    const std::string chosen = services_.dialogs.showOpenDialog(
        {.title = "Import from Another Program",
         .kindName = "AutoHotkey scripts, Beeftext and CSV exports",
         .extension = "ahk;*.json;*.csv"});
    if (chosen.empty()) {
        return;
    }
    std::optional<std::string> bytes;
    {
        const BusyCursor busy(services_.dialogs);
        bytes = services_.files.readAll(chosen);
    }
    if (!bytes) {
        tell(chosen +
             " could not be read. Check that it is there and not open in another "
             "program, and try again. Nothing was added.");
        return;
    }
    importPreview.open(chosen, readOtherProgramFile(chosen, *bytes, services_.codePage), shortcuts,
                       *typingLayout);
}

void MainWindow::confirmImport() {
    if (importPreview.outdated(shortcuts)) {
        importPreview.reopen(shortcuts, *typingLayout);
        tell(
            "The list has changed since this preview was made, so nothing was imported yet. "
            "The preview now shows what Import does with the list as it is; check it and "
            "press Import again.");
        return;
    }
    lastImport_ = importPreview.apply(shortcuts);
    undoImportItem.enabled = !lastImport_.added.empty() || !lastImport_.removed.empty();
    if (undoImportItem.enabled) {
        saveFile();
    }
    noteHeldPrograms();
}

// Rows changed since the import are the user's now, and stay as they are.
void MainWindow::undoLastImport() {
    if (!undoImportItem.enabled) {
        return;
    }
    const std::size_t changedSince = undoImport(lastImport_, shortcuts);
    lastImport_ = {};
    undoImportItem.enabled = false;
    saveFile();
    if (changedSince > 0) {
        tell(std::to_string(changedSince) +
             (changedSince == 1 ? " shortcut of the import was" : " shortcuts of the import were") +
             " changed or deleted since, and " + (changedSince == 1 ? "is" : "are") + " left as " +
             (changedSince == 1 ? "it is." : "they are."));
    }
}

void MainWindow::exportCsv() {
    const std::string chosen = services_.dialogs.showSaveDialog(
        {.title = "Export as CSV", .kindName = "CSV files", .extension = "csv"});
    if (chosen.empty()) {
        return;
    }
    bool exported = false;
    CsvExport csv;
    {
        const BusyCursor busy(services_.dialogs);
        csv = formatCsvShortcuts(shortcuts);
        exported = services_.files.replaceAtomically(chosen, csv.bytes);
    }
    if (!exported) {
        tell("The shortcuts could not be exported to " + chosen +
             ". Choose a folder you may write to, on a drive with room. Nothing else has "
             "changed.");
    } else if (csv.leftOut > 0) {
        tell(std::to_string(csv.leftOut) +
             (csv.leftOut == 1 ? " row of the list is" : " rows of the list are") +
             " not a whole shortcut and " + (csv.leftOut == 1 ? "is" : "are") + " not in " +
             chosen + ".");
    }
}

}  // namespace quorvel
