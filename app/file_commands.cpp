// The File menu's import, save and export commands, and the working file.

#include "app/main_window.h"
#include "platform/product_info.h"
#include "storage/shortcut_file.h"
#include "text/utf8_text.h"

namespace quorvel {

WorkingFile& MainWindow::workingFile() {
    if (workingFile_.path().empty()) {
        const std::string chosen = services_.settings.read(settings::ShortcutFileLocation, "");
        if (chosen.empty()) {
            workingFile_.setPath(locateWorkingFile(services_.environment, services_.files));
        } else {
            workingFile_.setPath(chosen, WorkingFile::Place::Chosen);
        }
    }
    return workingFile_;
}

namespace {

// The open and save dialogs list shortcut files first.
FileDialogText shortcutFiles(std::string_view title) {
    return {.title = title, .kindName = "Quorvel shortcuts", .extension = "qvb"};
}

std::string unreadLinesText(const std::string& path, std::size_t count,
                            const std::string& outcome) {
    return std::to_string(count) + (count == 1 ? " line of " : " lines of ") + path +
           " could not be read; " + outcome;
}

// Why the list grew by less than the file holds.
std::string repeatsText(const std::string& path, const ImportResult& imported) {
    const auto was = [](std::size_t count) { return count == 1 ? " was" : " were"; };
    return std::to_string(imported.repeats) +
           (imported.repeats == 1 ? " shortcut of " : " shortcuts of ") + path +
           (imported.repeats == 1 ? " is" : " are") + " in the list already and" +
           was(imported.repeats) + " not added again; " +
           (imported.added == 0 ? "nothing was"
                                : std::to_string(imported.added) + was(imported.added)) +
           " added.";
}

}  // namespace

void MainWindow::tell(const std::string& message) {
    services_.dialogs.showMessage(message, MessageButtons::Ok, product::ApplicationTitle);
}

void MainWindow::tellUnreadLines(const std::string& path, std::size_t count,
                                 const std::string& outcome) {
    tell(unreadLinesText(path, count, outcome));
}

// The chosen file is only read: its entries join the list, which goes to the
// working file. Writing the list into it would put the user's entries into a
// file that may be shared, or replace a file that was never a shortcut file.
void MainWindow::importFile() {
    const std::string chosen = services_.dialogs.showOpenDialog(shortcutFiles("Import Shortcuts"));
    if (!isAcceptedFileName(chosen)) {
        return;
    }
    if (!services_.files.exists(chosen)) {
        tell(chosen + "\nFile not found.\nCheck the file name and try again.");
        return;
    }
    ImportResult imported;
    {
        const BusyCursor busy(services_.dialogs);
        imported = importShortcutFile(chosen, shortcuts, services_.files, services_.codePage);
    }
    if (imported.added > 0) {
        saveFile();
    }
    noteHeldPrograms();
    // One message for both: the user closes one box for one import.
    std::string told = imported.repeats > 0 ? repeatsText(chosen, imported) : "";
    if (imported.unreadLines > 0) {
        told += (told.empty() ? "" : " ") +
                unreadLinesText(chosen, imported.unreadLines, "that file is not changed.");
    }
    if (!told.empty()) {
        tell(told);
    }
}

void MainWindow::saveFile() {
    // A file not read yet was told of at start-up; the change is saved once it is read.
    if (!writeWorkingFile() && !workingFile().awaitingRead()) {
        tellSaveFailed();
    }
}

bool MainWindow::writeWorkingFile() {
    const BusyCursor busy(services_.dialogs);
    if (!workingFile().save(shortcuts)) {
        unsaved_ = true;
        return false;
    }
    unsaved_ = false;
    fileWatch_.settled(services_.files.stamp(workingFile().path()));
    nameWorkingFileInSettings();
    if (const auto& doubled = workingFile().doubledTriggers(); !doubled.empty()) {
        tellDoubledTriggers(doubled);
    }
    return true;
}

void MainWindow::checkWorkingFile() {
    if (waitingToReadShortcuts() || checkingFile_) {
        return;  // the read retried at start-up takes it all in
    }
    checkingFile_ = true;
    lookAtWorkingFile();
    noteHeldPrograms();
    checkingFile_ = false;
    postFileCheck();
}

void MainWindow::postFileCheck() {
    const std::optional<std::uint64_t> due = fileWatch_.dueAt();
    if (!due || fileCheckPosted_) {
        return;
    }
    const std::uint64_t now = services_.engine.clock.milliseconds();
    fileCheckPosted_ = true;
    services_.engine.events.postAfter(static_cast<std::uint32_t>(*due > now ? *due - now : 0) + 10,
                                      [this] {
                                          fileCheckPosted_ = false;
                                          checkWorkingFile();
                                      });
}

void MainWindow::watchWorkingFolder() {
    const std::string& path = workingFile().path();
    const auto separator = path.find_last_of('\\');
    services_.folderWatch.watch(separator == std::string::npos ? "" : path.substr(0, separator));
}

void MainWindow::lookAtWorkingFile() {
    offerConflictCopies();
    WorkingFile& file = workingFile();
    const std::uint64_t now = services_.engine.clock.milliseconds();
    const std::optional<FileStamp> stamp = services_.files.stamp(file.path());
    if (!fileWatch_.readDue(stamp, now)) {
        return;
    }
    // The row the user was on stays chosen if it is still there.
    const std::optional<std::size_t> selected = shortcuts.selectedIndex();
    const std::string selectedLine = selected ? std::string(shortcuts.entryLine(*selected)) : "";
    WorkingFile::Reload outcome = WorkingFile::Reload::Unfinished;
    {
        const BusyCursor busy(services_.dialogs);
        outcome = file.reload(shortcuts);
    }
    if (selected && !shortcuts.selectedIndex()) {
        for (std::size_t row = 0; row < shortcuts.count(); ++row) {
            if (shortcuts.entryLine(row) == selectedLine) {
                shortcuts.select(row);
                break;
            }
        }
    }
    if (outcome == WorkingFile::Reload::Unfinished) {
        fileWatch_.readFailed(now);
        return;
    }
    fileWatch_.settled(stamp);
    if (!file.doubledTriggers().empty()) {
        tellDoubledTriggers(file.doubledTriggers());
    }
}

// Both sides changed the same shortcuts: neither change is dropped, and the user
// picks, once told where to look.
void MainWindow::tellDoubledTriggers(const std::vector<std::string>& triggers) {
    constexpr std::size_t Named = 20;
    std::string names;
    for (std::size_t i = 0; i < triggers.size() && i < Named; ++i) {
        names += (i == 0 ? "\"" : ", \"") + triggers[i] + "\"";
    }
    if (triggers.size() > Named) {
        names += " and " + std::to_string(triggers.size() - Named) + " more";
    }
    tell("The shortcut file " + workingFile().path() +
         " was changed elsewhere (another copy of Quorvel, or a synced folder) while the same "
         "shortcuts were changed here, so both versions are kept: " +
         names + (triggers.size() == 1 ? " now has two rows." : " now have two rows each.") +
         " Delete the row you do not want.");
}

void MainWindow::tellSaveFailed() {
    const std::string& path = workingFile().path();
    tell("The shortcuts could not be saved to " + path +
         ", so your latest changes are not in that file yet. Quorvel keeps them while it runs "
         "and saves them with your next change, with \"File Save\" and at Exit. Check that the "
         "file is not read-only or open in another program and that its drive has room, or use "
         "Export to keep a copy elsewhere.");
}

// Older versions read the list from the file these name, so both keep naming
// the working file.
void MainWindow::nameWorkingFileInSettings() {
    SettingsStore& store = services_.settings;
    const std::string& path = workingFile().path();
    const std::string unnamed = DefaultShortcutFile(services_.environment);
    for (const settings::SettingName& name : {settings::ImportFile, settings::SaveFile}) {
        if (!equalIgnoringCase(store.read(name, unnamed), path)) {
            store.write(name, path);
        }
    }
}

// Export writes a copy and changes nothing else: later changes still go to the
// working file, and the next start reads that file.
void MainWindow::exportFile() {
    const std::string chosen = services_.dialogs.showSaveDialog(shortcutFiles("Export Shortcuts"));
    if (!isAcceptedFileName(chosen)) {
        return;
    }
    if (equalIgnoringCase(chosen, workingFile().path())) {
        saveFile();
        return;
    }
    bool exported = false;
    {
        const BusyCursor busy(services_.dialogs);
        exported = exportShortcutFile(shortcuts, chosen, services_.files, services_.codePage);
    }
    if (!exported) {
        tell("The shortcuts could not be exported to " + chosen +
             ". Choose a folder you may write to, on a drive with room. Nothing else has "
             "changed.");
    }
}

}  // namespace quorvel
