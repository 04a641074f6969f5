// Start-up, the ways the program ends, and the refused close.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/main_window.h"
#include "editor/samples.h"
#include "engine/calibration.h"
#include "platform/product_info.h"
#include "storage/settings_names.h"
#include "storage/shortcut_file.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

// Every copy of the program keeps its list in a file of this name; the settings
// name any other file only when an earlier version left them so.
bool isWorkingFileName(std::string_view path) {
    return equalIgnoringCase(path.substr(path.find_last_of('\\') + 1), "defaultkeys.qvb");
}

// How soon setup's request to close is looked at again while a send is under way.
constexpr std::uint32_t SetupCloseRetryMilliseconds = 100;

}  // namespace

// Reads the working file. An earlier version may have kept the list elsewhere
// (the file of its last Export or Import, named in the settings), or, where the
// program's folder cannot be written, beside the program: what those files hold
// is added once and saved to the working file, so no one loses their list.
// Another copy's working file, which the settings name after that copy ran, is
// that copy's list: only a copy without a list of its own yet takes it over.
// The file beside the program may be another Windows user's list (a folder
// every user may write): it is carried over only for a user who ran the program
// before, when that file may have held their list too.
void MainWindow::loadShortcuts() {
    SettingsStore& store = services_.settings;
    Files& files = services_.files;
    const std::string path = workingFile().path();
    const std::string beside = DefaultShortcutFile(services_.environment);
    const bool hadList = files.exists(path);
    const bool placeChosen = !store.read(settings::ShortcutFileLocation, "").empty();
    const bool firstInAppData = !placeChosen && !equalIgnoringCase(path, beside) && !hadList;
    const bool besideIsOthers = firstInAppData && files.ownedByAnotherUser(beside);
    const bool ranBefore = !store.read(settings::StartUpOption, "").empty() ||
                           !store.read(settings::SaveFile, "").empty();
    // A damaged value counts as the default: starting empty would let the next
    // change save an empty list over the user's file.
    const auto autoImport = parseCalibrationNumber(store.read(settings::AutoImport, "1"));
    bool carried = false;
    ImportResult loaded;
    if (!autoImport || *autoImport == 1.0) {
        const BusyCursor busy(services_.dialogs);
        loaded = workingFile().load(shortcuts);
        std::vector<std::string> others;
        for (const settings::SettingName& name : {settings::ImportFile, settings::SaveFile}) {
            others.push_back(store.read(name, ""));
        }
        if (firstInAppData && files.exists(beside) && (!besideIsOthers || ranBefore)) {
            others.push_back(beside);
        }
        for (std::size_t i = 0; i < others.size(); ++i) {
            const std::string& other = others[i];
            const auto same = [&](const std::string& known) {
                return equalIgnoringCase(known, other);
            };
            if (other.empty() || same(path) ||
                std::any_of(others.begin(), others.begin() + i, same) ||
                (hadList && isWorkingFileName(other))) {
                continue;
            }
            carried = carryOverFile(other, other == beside ? Tell::No : Tell::Yes) || carried;
        }
    }
    if (workingFile().folderMissing()) {
        unsaved_ = carried;
        tell("The folder of your shortcut file " + path +
             " is not there: its drive may not be connected yet. Quorvel reads your shortcuts as "
             "soon as it is there, and does not save over that file before; shortcuts you add "
             "meanwhile are kept and saved with it then. To keep them elsewhere, use \"Shortcut "
             "File Location...\" in the File menu.");
        return;
    }
    if (workingFile().awaitingRead()) {
        unsaved_ = carried;
        tell("Quorvel could not read your shortcuts from " + path +
             ": another program may have it open, or you may not read it. Quorvel tries again "
             "every few seconds and does not save over that file before it has read it; "
             "shortcuts you add meanwhile are kept and saved with it then.");
        return;
    }
    // A damaged file is copied aside and written again at once, so that the
    // user hears of it once and not at every start.
    const bool damaged = loaded.unreadLines > 0;
    if (!carried && !firstInAppData && !damaged) {
        nameWorkingFileInSettings();
    } else if (!writeWorkingFile()) {
        tellSaveFailed();
    } else if (damaged) {
        tellUnreadLines(path, loaded.unreadLines,
                        "a copy is kept as " + workingFile().unreadCopy() + ".");
    }
    if (firstInAppData && !unsaved_ && besideIsOthers) {
        tell("Another Windows user keeps their shortcuts in " + beside +
             ", so Quorvel keeps yours apart, in " + path + "." +
             (ranBefore ? " It has added to them those of that file, which you may have shared."
                        : " If some of that file's shortcuts are yours, use Import to add them."));
    } else if (firstInAppData && !unsaved_) {
        tell("Quorvel cannot save files in its own folder, " +
             services_.environment.programFolder() + ", so it keeps your shortcuts in " + path +
             ".");
    }
}

// Adds the entries of a file the list was kept in before that the list lacks;
// returns whether it added any.
bool MainWindow::carryOverFile(const std::string& other, Tell telling) {
    const std::string& path = workingFile().path();
    const std::optional<std::string> contents = services_.files.readAll(other);
    if (!contents) {
        if (telling == Tell::No) {
            return false;
        }
        tell(other +
             ", where Quorvel kept your shortcuts before, could not be read. Quorvel "
             "now keeps them in " +
             path + ". If " + other +
             " is on a drive that is not connected, connect it and use Import to add its "
             "shortcuts.");
        return false;
    }
    const ShortcutFileLines lines = readShortcutLines(*contents, services_.codePage);
    if (addMissingEntryLines(lines.lines(), shortcuts) == 0) {
        return false;
    }
    if (telling == Tell::Yes) {
        tell("Quorvel now keeps your shortcuts in " + path + ", and has added to them those of " +
             other + ", where it kept them before. " + other + " itself is not changed any more.");
    }
    return true;
}

void MainWindow::start() {
    SettingsStore& store = services_.settings;
    width = 7275;
    if (services_.environment.earlierCopyRunning() &&
        services_.dialogs.showMessage(
            "There is a copy Quorvel 2.1 currently running.  Are you sure "
            "you want to start a second copy of Quorvel",
            MessageButtons::YesNoDefaultNo, product::WebDomain) != MessageAnswer::Yes) {
        services_.environment.endProcess();
    }
    engine.keyboard().installHook();
    icon.addIcon();

    loadShortcuts();
    approvals.load(shortcuts);
    // The samples are Quorvel's own text, however they reached the list.
    for (const ShortcutEntry& sample : sampleEntries()) {
        approvals.approve(formatEntryLine(sample));
    }
    noteHeldPrograms();
    fileWatch_.settled(services_.files.stamp(workingFile().path()));
    watchWorkingFolder();

    // A stored truth value that does not read as one leaves the item as it is.
    showKeyItem.checked =
        settings::readBoolSetting(
            store.read(settings::MenuShow, settings::boolSetting(showKeyItem.checked)))
            .value_or(showKeyItem.checked);
    commonTextKeyItem.checked =
        settings::readBoolSetting(
            store.read(settings::MenuText, settings::boolSetting(commonTextKeyItem.checked)))
            .value_or(commonTextKeyItem.checked);
    fullScreenPauseItem.checked =
        settings::readBoolSetting(store.read(settings::FullScreenPause, "True")).value_or(true);
    matchTriggerCaseItem.checked =
        settings::readBoolSetting(store.read(settings::MatchTriggerCase, "False")).value_or(false);
    undoWithBackspaceItem.checked =
        settings::readBoolSetting(store.read(settings::UndoWithBackspace, "True")).value_or(true);
    excludedPrograms = ExcludedPrograms::parse(store.read(settings::ExcludedProgramNames, ""));
    calibrationBox.setText(store.read(settings::Calibration, calibrationBox.text()));
    applyBoost();
    startPopup();
    runMinimizedItem.checked =
        settings::readBoolSetting(store.read(settings::RunMinimized, "False")).value_or(false);

    visible = true;
    if (runMinimizedItem.checked) {
        minimize();
    }
    if (store.read(settings::StartUpOption, "0") == "0") {
        startUpQuestion.show();
    }
}

void MainWindow::readHeldBackFile(Tell telling) {
    if (!workingFile().awaitingRead()) {
        return;
    }
    ImportResult loaded;
    {
        const BusyCursor busy(services_.dialogs);
        loaded = workingFile().load(shortcuts);
    }
    if (workingFile().awaitingRead()) {
        return;
    }
    // Its folder may have come only now (a drive connected late).
    fileWatch_.settled(services_.files.stamp(workingFile().path()));
    watchWorkingFolder();
    if (!unsaved_ && loaded.unreadLines == 0) {
        return;
    }
    // What the user added meanwhile, or the copy of a damaged file, is saved now.
    const bool saved = writeWorkingFile();
    if (telling == Tell::No) {
        return;
    }
    if (!saved) {
        tellSaveFailed();
    } else if (loaded.unreadLines > 0) {
        tellUnreadLines(workingFile().path(), loaded.unreadLines,
                        "a copy is kept as " + workingFile().unreadCopy() + ".");
    }
}

std::string MainWindow::saveAsSessionEnds() {
    readHeldBackFile(Tell::No);
    if (!unsaved_ || writeWorkingFile()) {
        return {};
    }
    const std::string& path = workingFile().path();
    if (workingFile().awaitingRead()) {
        return "Your new shortcuts are not saved: " + path + " cannot be read.";
    }
    // Windows shows this for a moment as the session ends: short.
    return "Your latest shortcuts are not saved: " + path + " cannot be written.";
}

bool MainWindow::requestClose() {
    // The Exit button flashes: shown in the face colour now, red again once the
    // windows have shown that.
    exitButton.backColor = SystemButtonFace;
    caption = "Hit the Exit Button to Close the Program";
    services_.engine.events.post([this] { exitButton.backColor = PureRed; });
    return true;
}

void MainWindow::exitProgram() {
    if (!ask("If you close the program the Hotkeys will not work. Are you sure that you would "
             "like to exit the Program?")) {
        return;
    }
    readHeldBackFile(Tell::Yes);
    if (unsaved_ && !writeWorkingFile() &&
        services_.dialogs.showMessage(
            "The shortcuts could not be saved to " + workingFile().path() +
                ", so your latest changes would be lost. Exit anyway?",
            MessageButtons::YesNoDefaultNo, product::ApplicationTitle) != MessageAnswer::Yes) {
        return;
    }
    icon.removeIcon();
    engine.stop();
    services_.environment.endProcess();
}

// Exit without its question, for setup about to install over this copy. A send
// under way, with the keys held for it, ends first. The list is saved or the
// program stays: setup then gives up, and the user keeps their changes.
void MainWindow::closeForSetup() {
    if (engine.sender().busy() || !engine.keyboard().keyHold().idle()) {
        services_.engine.events.postAfter(SetupCloseRetryMilliseconds, [this] { closeForSetup(); });
        return;
    }
    readHeldBackFile(Tell::No);
    if (unsaved_ && !writeWorkingFile()) {
        tell(
            "Setup asked Quorvel to close to install a new version, but the shortcuts could not "
            "be saved to " +
            workingFile().path() +
            ", so Quorvel keeps running with your latest changes. Use Export to keep a copy "
            "elsewhere, or make the file writable, then run setup again.");
        return;
    }
    icon.removeIcon();
    engine.stop();
    services_.environment.endProcess();
}

void MainWindow::restoreDefaults() {
    if (!ask("Are you sure you want to restore Default Settings, hotkeys data will be lost?",
             MessageButtons::YesNoDefaultNo)) {
        return;
    }
    services_.settings.eraseApplication(settings::Application);
    // The approvals go with the rest, but not the mark that they are kept: a list
    // that comes back afterwards (a sync client restoring the file) is not the
    // user's own by default, so its programs wait for approval.
    services_.settings.write(settings::ApprovalsKept, settings::boolSetting(true));
    services_.files.deleteFile(workingFile().path());
    services_.dialogs.showMessage("Please Restart Quorvel", MessageButtons::Ok,
                                  product::ApplicationTitle);
    // The icon goes with the program, as at Exit, rather than lingering until the
    // mouse passes over it.
    icon.removeIcon();
    engine.stop();
    services_.environment.endProcess();
}

}  // namespace quorvel
