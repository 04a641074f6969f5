#pragma once
// The whole program on a simulated desktop: every platform service faked.

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "tests/doubles/fake_desktop.h"
#include "tests/doubles/fake_keyboard_layout.h"
#include "tests/support/transcript.h"

namespace quorvel::testing {

struct AppFixture : FakeDesktop {
    std::unique_ptr<MainWindow> form;

    std::string defaultFile() const { return environment.folder + "\\defaultkeys.qvb"; }
    std::string setting(std::string_view application, std::string_view section,
                        std::string_view key) {
        return settings.read({application, section, key}, "<missing>");
    }
    // A new copy of the program on the same settings and files, not yet loaded.
    MainWindow& create() {
        form = std::make_unique<MainWindow>(services);
        return *form;
    }
    MainWindow& start() {
        create().start();
        return *form;
    }
    // A start on this working file, the start-up question answered before.
    MainWindow& startOn(const std::string& working) {
        settings.write({"Quorvel", "StartUpQ", "StartUpOpt"}, "1");
        files.files[defaultFile()] = working;
        return start();
    }
    // Types a trigger and its text into the editor and has the editor add them,
    // past the window's Add (which the "add" step clicks).
    void addEntry(const std::string& trigger, const std::string& text) {
        form->triggerBox.setText(trigger);
        form->shortcutText.setText(text);
        form->editor.addShortcut();
    }

    // Runs the program through steps, each a word and what follows its first
    // blank: "start" (a new copy), "yes" and "no" (the next question's answer),
    // "open <path>" and "save <path>" (the next file dialog's answer), "add
    // <trigger> <text>", "select N" (a row clicked), "delete", "clear" (Delete
    // All), "row <line>" (added to the list alone, unsaved), "copy" (switches to
    // another copy of the program on the same desktop, started the first time),
    // "import", "export", "file save", "exit", "setup" (setup asks the program
    // to close), "restore", "boost", "force",
    // "calibration <text>", "fail writes", "writes work", "minimize", "close"
    // (the window's close box), "mouse N" (message N from the icon), "menu N"
    // (the icon's menu opened with a right click, entry N chosen), "lock [path]" and
    // "unlock" (another program holds the working file open, or lets it go),
    // "retry" (the timer that reads a working file held at start-up), "check N"
    // (N ms pass, then the timer that looks at the working file for changes),
    // "disk T text|T2 text2" (another program writes the working file with
    // these entries; "disk" alone empties it), "put <path>: T text|..." (the
    // same for any file), "location" (File, "Shortcut File Location..."),
    // "unmount <folder>" and "mount" (a drive goes, and every one comes back),
    // "other import", "other confirm", "other undo" and "other csv" (Import from
    // Another Program on a German layout, its preview's Import, Undo Import,
    // Export as CSV) and
    // "type <keys>" (typed in the target; what arrived and the programs started
    // follow), "held open", "held approve N", "held remove N" (Programs Waiting
    // for Approval, and row N's button there; its rows and box follow),
    // "session end" (Windows asks whether the session may end; the reason
    // given back is shown).
    // Each step is one line, after the steps before it that only set what
    // comes next ("yes; no; exit"), with what it changed of the state (the
    // run's first line, after "== ", says the whole state): the rows, Boost and
    // Force, the calibration box and setting, whether the window is shown (and
    // raised by this step), pause, the ticked options, the start-up question,
    // the hook, the icon's tip (greyed when paused) and the files the settings
    // name. The lines under it have the file dialogs it opened, the icon's menu
    // it showed, what it told (balloons too), the files it wrote or removed
    // (bytes from 0x80 up as \xNN) and whether it touched files outside the
    // busy cursor.
    std::string run(const std::vector<std::string>& steps) {
        std::string out, ahead;
        bool saidState = false;
        int idle = 0;
        files.onReadOrReplace = [&] { idle += dialogs.busyDepth == 0 ? 1 : 0; };
        for (const std::string& step : steps) {
            const std::string word = step.substr(0, step.find(' '));
            const std::string rest = step.size() > word.size() ? step.substr(word.size() + 1) : "";
            const std::size_t told = dialogs.shown.size(), titles = dialogs.fileDialogTitles.size();
            const auto before = files.files;
            const std::size_t menus = tray.menusShown.size();
            const std::size_t balloons = tray.balloons.size();
            idle = 0;
            if (form) {
                form->bringToFront = false;
            }
            const Facts was = saidState ? facts() : Facts{};
            std::string said;
            try {
                act(word, rest);
            } catch (const ProcessEnded&) {
                said += "  the program ended\n";
            }
            if (word == "yes" || word == "no" || word == "open" || word == "save" ||
                word == "fail" || word == "writes" || word == "lock" || word == "unlock") {
                ahead += step + "; ";
                continue;  // what comes next, nothing yet
            }
            for (std::size_t i = titles; i < dialogs.fileDialogTitles.size(); ++i) {
                said += "  file dialog: " + dialogs.fileDialogTitles[i] + "\n";
            }
            for (std::size_t i = menus; i < tray.menusShown.size(); ++i) {
                said += "  menu:";
                for (const TrayMenuEntry& entry : tray.menusShown[i]) {
                    said += " [" + entry.caption + (entry.checked ? " (checked)]" : "]");
                }
                said += "\n";
            }
            said += std::exchange(sessionEndReply_, "");
            said += std::exchange(typedReply_, "");
            for (std::size_t i = balloons; i < tray.balloons.size(); ++i) {
                said += "  balloon: " + tray.balloons[i].text + "\n";
            }
            said += toldSince(dialogs, told);
            for (const auto& [path, bytes] : files.files) {
                if (!before.contains(path) || before.at(path) != bytes) {
                    said += "  wrote " + path + ": " + printable(bytes, true) + "\n";
                }
            }
            for (const auto& [path, bytes] : before) {
                said += files.files.contains(path) ? "" : "  removed " + path + "\n";
            }
            said += idle > 0 ? "  files touched without the busy cursor\n" : "";
            out += stepLine(std::exchange(ahead, "") + step, changed(was, facts())) + said;
            saidState = true;
        }
        files.onReadOrReplace = nullptr;
        return "== " + out + (ahead.empty() ? "" : ahead.substr(0, ahead.size() - 2) + "\n");
    }

  private:
    // The options as the engine has them: the menus must have handed them over.
    Facts facts() {
        const EngineOptions& options = form ? form->engine.options() : EngineOptions{};
        const bool on = form != nullptr;
        const auto flag = [](const char* name, bool set) {
            return std::pair<std::string, std::string>{name, set ? name : ""};
        };
        const TrayIconData* icon = tray.icons.empty() ? nullptr : &tray.icons[0];
        return {
            {"rows", on ? "rows " + std::to_string(form->shortcuts.count()) : "not started"},
            flag("Boost", options.boost),
            flag("Force", options.forceText),
            {"calibration", on ? "calibration [" + form->calibrationBox.text() + "]" : ""},
            {"window", on ? (form->visible ? "shown" : "hidden") : ""},
            flag("raised", on && form->bringToFront),
            flag("paused", options.expansionPaused),
            flag("Show Key", options.showWindowHotKey),
            flag("Common Text Key", options.commonTextHotKey),
            flag("Run Minimized", on && form->runMinimizedItem.checked),
            flag("Match Case", options.matchTriggerCase),
            flag("asking to start with Windows", on && form->startUpQuestion.visible),
            {"stored", "stored [" + setting("Quorvel 2.1", "options", "text2") + "]"},
            flag("hook", keyboard.hookInstalled()),
            {"icon", !icon ? ""
                           : "icon [" + icon->tip + "]" +
                                 (icon->icon == tray.mainWindowIcon() ? ""
                                  : icon->icon == tray.pausedIcon()   ? " greyed"
                                                                      : " drawn wrong")},
            flag("more icons", tray.icons.size() > 1),
            flag("busy cursor left on", dialogs.busyDepth != 0),
            {"names", "names [" + setting("Quorvel", "File", "Import") + "] [" +
                          setting("Quorvel", "File", "Save") + "]"},
        };
    }

    std::unique_ptr<MainWindow> otherCopy_;

    // A shortcut file another program wrote: "T text|T2 text2", empty when none.
    static std::string shortcutFileOf(const std::string& entries) {
        std::string bytes;
        for (std::size_t at = 0; at < entries.size();) {
            const std::size_t end = std::min(entries.find('|', at), entries.size());
            const std::string entry = entries.substr(at, end - at);
            const std::size_t blank = entry.find(' ');
            bytes +=
                "{S} \xAF " + entry.substr(0, blank) + " \xAF " + entry.substr(blank + 1) + "\x01";
            at = end + 1;
        }
        return entries.empty() ? "" : bytes + "\x01\r\n";
    }
    FakeGermanLayout germanLayout_;
    std::string sessionEndReply_;
    std::string typedReply_;

    void act(const std::string& word, const std::string& rest) {
        if (word == "start") {
            start();
        } else if (word == "yes" || word == "no") {
            dialogs.answers.push_back(word == "yes" ? MessageAnswer::Yes : MessageAnswer::No);
        } else if (word == "open" || word == "save") {
            (word == "open" ? dialogs.openAnswers : dialogs.saveAnswers).push_back(rest);
        } else if (word == "add") {
            form->triggerBox.setText(rest.substr(0, rest.find(' ')));
            form->shortcutText.setText(rest.substr(rest.find(' ') + 1));
            form->addShortcut();
        } else if (word == "import" || word == "export") {
            word == "import" ? form->importFile() : form->exportFile();
        } else if (word == "file" || word == "exit" || word == "restore") {
            word == "file"   ? form->saveFile()
            : word == "exit" ? form->exitProgram()
                             : form->restoreDefaults();
        } else if (word == "setup") {
            form->closeForSetup();
        } else if (word == "boost" || word == "force") {
            word == "boost" ? form->toggleBoost() : form->toggleForceText();
        } else if (word == "calibration") {
            form->calibrationBox.setText(rest);
        } else if (word == "select" || word == "delete" || word == "clear") {
            word == "select"   ? form->editor.selectEntry(std::stoul(rest))
            : word == "delete" ? form->editor.deleteSelected()
                               : form->editor.deleteAll();
        } else if (word == "row") {
            form->shortcuts.add(rest, "");
        } else if (word == "other") {
            form->typingLayout = &germanLayout_;
            rest == "import"    ? form->importFromOtherProgram()
            : rest == "confirm" ? form->confirmImport()
            : rest == "undo"    ? form->undoLastImport()
                                : form->exportCsv();
        } else if (word == "copy") {
            std::swap(form, otherCopy_);
            if (!form) {
                start();
            }
        } else if (word == "minimize") {
            form->minimize();
        } else if (word == "close") {
            EXPECT_TRUE(form->requestClose()) << "closing the window is refused";
        } else if (word == "mouse") {
            HeldProgramsWindow& held = form->heldWindow;
            held.bringToFront = false;
            form->trayMessage(std::stoi(rest, nullptr, 0) * 15);
            if (std::exchange(held.bringToFront, false)) {
                const bool focused = std::exchange(held.focusedControl, nullptr) != nullptr;
                typedReply_ = std::string("  held window") + (focused ? ", Approve focused" : "") +
                              ": " + printable(held.programBox.text()) + "\n";
            }
        } else if (word == "menu") {
            tray.menuChoice = std::stoul(rest);
            form->trayMessage(0x204 * 15);
            form->trayMessage(0x205 * 15);
        } else if (word == "fail" || word == "writes") {
            files.failAllWrites = word == "fail";
        } else if (word == "lock" || word == "unlock") {
            word == "lock" ? void(files.lockedPaths.insert(rest.empty() ? defaultFile() : rest))
                           : files.lockedPaths.clear();
        } else if (word == "retry") {
            form->retryReadingShortcuts();
        } else if (word == "check") {
            clock.advanceMilliseconds(std::stoul(rest));
            form->checkWorkingFile();
        } else if (word == "disk") {
            files.files[defaultFile()] = shortcutFileOf(rest);
        } else if (word == "put") {
            const std::size_t colon = rest.find(": ");
            files.files[rest.substr(0, colon)] = shortcutFileOf(rest.substr(colon + 2));
        } else if (word == "location") {
            form->chooseFileLocation();
        } else if (word == "unmount" || word == "mount") {
            word == "unmount" ? void(files.missingFolders.insert(rest))
                              : files.missingFolders.clear();
        } else if (word == "type") {
            keyboard.typeText(rest);
            loop.runUntilIdle();
            typedReply_ = "  target: " + printable(std::exchange(keyboard.targetText, "")) + "\n";
            for (const std::string& program : std::exchange(programs.started, {})) {
                typedReply_ += "  started: " + program + "\n";
            }
        } else if (word == "held") {
            HeldProgramsWindow& held = form->heldWindow;
            if (rest == "open") {
                form->openHeldPrograms();
            } else {
                held.selectRow(std::stoul(rest.substr(rest.find(' ') + 1)));
                rest.starts_with("approve") ? held.approveSelected() : held.removeSelected();
            }
            typedReply_ = "  held:\n";
            for (const HeldProgramsWindow::Row& row : held.rows()) {
                typedReply_ += "    " + HeldProgramsWindow::shownRow(row) + "\n";
            }
            typedReply_ += "  program box: " + printable(held.programBox.text()) + "\n";
        } else if (word == "session") {
            const std::string reason = form->saveAsSessionEnds();
            sessionEndReply_ =
                "  session may end" + (reason.empty() ? "" : " not: " + reason) + "\n";
        } else {
            ADD_FAILURE() << "unknown step " << word << " " << rest;
        }
    }
};

}  // namespace quorvel::testing
