// The working file as one of several copies: where it lives (a synced folder),
// and the copies sync clients leave beside it when two computers wrote it at once.

#include <algorithm>
#include <unordered_set>

#include "app/main_window.h"
#include "storage/conflict_copies.h"
#include "storage/shortcut_file.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

constexpr std::uint64_t ConflictLookMilliseconds = 5000;
constexpr std::size_t NamedTriggers = 20;

std::string fileNameOf(const std::string& path) {
    const auto separator = path.find_last_of('\\');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// "\"a\", \"b\" and 3 more" for the triggers of entry lines.
std::string namedTriggers(const std::vector<std::string>& lines) {
    std::string names;
    std::size_t named = 0;
    for (const std::string& line : lines) {
        const auto fields = splitEntryLine(line);
        if (!fields || named == NamedTriggers) {
            continue;
        }
        names += (named++ == 0 ? "\"" : ", \"") + std::string(fields->trigger) + "\"";
    }
    if (lines.size() > named) {
        names += " and " + std::to_string(lines.size() - named) + " more";
    }
    return names;
}

// The triggers of `lines` that the list has a row of already, each once.
std::vector<std::string> triggersListed(const std::vector<std::string>& lines,
                                        const ShortcutList& list) {
    std::unordered_set<std::string> listed;
    for (std::size_t row = 0; row < list.count(); ++row) {
        if (const auto fields = splitEntryLine(list.entryLine(row))) {
            listed.insert(triggerKey(fields->trigger));
        }
    }
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        const auto fields = splitEntryLine(line);
        const std::string trigger = fields ? std::string(fields->trigger) : std::string();
        if (fields && listed.contains(triggerKey(trigger)) &&
            std::find(found.begin(), found.end(), trigger) == found.end()) {
            found.push_back(trigger);
        }
    }
    return found;
}

}  // namespace

// Nothing changes unless the new place takes the whole list: the old file stays
// the working file until then.
void MainWindow::chooseFileLocation() {
    FileDialogText text{
        .title = "Shortcut File Location", .kindName = "Quorvel shortcuts", .extension = "qvb"};
    text.askBeforeReplacing = false;  // a file there is merged, not replaced
    const std::string chosen = services_.dialogs.showSaveDialog(text);
    const std::string old = workingFile().path();
    if (!isAcceptedFileName(chosen) || equalIgnoringCase(chosen, old)) {
        return;
    }
    const bool oldRead = !waitingToReadShortcuts();
    const bool there = services_.files.exists(chosen);
    const std::string question =
        there ? chosen +
                    " is a shortcut file already. Keep your shortcuts in it from now on, "
                    "adding to it those of your list it lacks? " +
                    old + " is then no longer used and stays as it is."
              : "Move your shortcut file from " + old + " to " + chosen +
                    "? Quorvel keeps your shortcuts there from now on.";
    if (!ask(question)) {
        return;
    }
    WorkingFile moved(services_.files, services_.codePage);
    moved.setPath(chosen, WorkingFile::Place::Chosen);
    ShortcutList merged = shortcuts;
    bool saved = false;
    ImportResult loaded;
    {
        const BusyCursor busy(services_.dialogs);
        loaded = moved.load(merged);
        saved = !moved.awaitingRead() && loaded.unreadLines == 0 && moved.save(merged);
    }
    if (!saved) {
        tell(chosen + (there ? " could not be read whole or written" : " could not be written") +
             ", so Quorvel keeps your shortcuts in " + old +
             ". Nothing has changed. Choose a folder you may write to.");
        return;
    }
    shortcuts = std::move(merged);
    workingFile_ = std::move(moved);
    unsaved_ = false;
    services_.settings.write(settings::ShortcutFileLocation, chosen);
    nameWorkingFileInSettings();
    fileWatch_.settled(services_.files.stamp(chosen));
    watchWorkingFolder();
    copiesSeen_.clear();
    if (!there && oldRead) {
        services_.files.deleteFile(old);  // moved: written whole in its new place
    }
}

void MainWindow::offerConflictCopies() {
    const std::uint64_t now = services_.engine.clock.milliseconds();
    if (now < nextConflictLook_) {
        return;
    }
    nextConflictLook_ = now + ConflictLookMilliseconds;
    for (const std::string& copy : conflictCopiesOf(workingFile().path(), services_.files)) {
        const std::string name = fileNameOf(copy);
        if (copiesSeen_.contains(copy) ||
            !services_.settings
                 .read({settings::Application, settings::DeclinedCopiesSection, name}, "")
                 .empty()) {
            continue;
        }
        // A copy the sync client is still writing is looked at again later.
        std::optional<std::vector<std::string>> lines;
        {
            const BusyCursor busy(services_.dialogs);
            lines = workingFile().linesOnlyIn(copy, shortcuts);
        }
        if (!lines) {
            continue;
        }
        copiesSeen_.insert(copy);
        if (lines->empty()) {
            continue;  // nothing the list lacks: no question
        }
        const std::string count = std::to_string(lines->size());
        if (ask("A sync program left " + copy +
                " beside your shortcut file, as two computers changed the file at once. It holds " +
                count + (lines->size() == 1 ? " shortcut" : " shortcuts") + " your list lacks: " +
                namedTriggers(*lines) + (lines->size() == 1 ? ". Add it" : ". Add them") +
                " to your list? The copy is then renamed " +
                fileNameOf(mergedCopyName(copy, services_.files)) +
                ". If you answer No, it stays as it is and Quorvel does not ask about it again.")) {
            takeInConflictCopy(copy, *lines);
        } else {
            services_.settings.write({settings::Application, settings::DeclinedCopiesSection, name},
                                     "Declined");
        }
    }
}

void MainWindow::takeInConflictCopy(const std::string& copy,
                                    const std::vector<std::string>& lines) {
    std::vector<std::string> doubled;
    std::string aside;
    bool movedAside = false;
    {
        const BusyCursor busy(services_.dialogs);
        doubled = triggersListed(lines, shortcuts);
        addMissingEntryLines(std::vector<std::string_view>(lines.begin(), lines.end()), shortcuts);
    }
    const bool saved = writeWorkingFile();
    {
        const BusyCursor busy(services_.dialogs);
        aside = mergedCopyName(copy, services_.files);
        // Kept where it is while its entries are only in a list not saved.
        movedAside = saved && services_.files.moveFile(copy, aside);
    }
    if (!saved) {
        tellSaveFailed();
        return;
    }
    if (!movedAside) {
        tell("The shortcuts of " + copy +
             " are in your list now, but the copy could not be renamed " + aside +
             ". You may delete it.");
    }
    if (!doubled.empty()) {
        tellDoubledTriggers(doubled);
    }
}

}  // namespace quorvel
