#include "app/main_window.h"

#include "editor/samples.h"
#include "engine/calibration.h"
#include "platform/product_info.h"

namespace quorvel {

MainWindow::MainWindow(AppServices& services)
    : caption(std::string(product::VersionedName) + " - " + std::string(product::WebDomain)),
      engine(shortcuts, services.engine),
      editor(*this, shortcuts, services.dialogs, [this] { saveFile(); }),
      icon(services.tray,
           {.showMainWindow = [this] { showWindow(); },
            .togglePause = [this] { togglePause(); },
            .exitProgram = [this] { exitProgram(); },
            .reviewHeldProgram =
                [this](const std::string& entryLine) { heldWindow.review(entryLine); }}),
      help(services.engine.programs, services.dialogs),
      commonText(services.settings, services.dialogs, services.engine.clipboard,
                 services.collation),
      startUpQuestion(services.settings, services.files, services.environment, services.links,
                      services.dialogs, [this] { showWindow(); }),
      excludedWindow(
          excludedPrograms, [this](std::string_view name) { return excludeProgram(name); },
          [this](std::string_view name) { return includeProgram(name); }, services.engine.focus,
          services.dialogs),
      usage(services.settings),
      approvals(services.settings),
      heldWindow(shortcuts, approvals, services.engine.clock, services.engine.locale,
                 [this](std::string_view entryLine) { removeEntryLine(entryLine); }),
      popup(shortcuts, commonText.texts.rows, usage),
      services_(services),
      workingFile_(services.files, services.codePage) {
    calibrationBox.onChange = [this] { calibrationChanged(); };
    searchBox.onChange = [this] { filter_.setQuery(searchBox.text()); };
    engine.keyboard().onCannotType = [this](const std::string& program) {
        // After the hook has returned: the shell may be slow to show a balloon.
        services_.engine.events.post([this, program] { icon.tellCannotType(program); });
    };
    engine.onSend = [this](const SendRequest& request) {
        // Inside the hook for a trigger: the settings are written after it.
        if (!request.plainText) {
            services_.engine.events.post([this, trigger = request.trigger, text = request.text] {
                usage.recordUse(trigger, text, services_.engine.clock.now());
            });
        }
    };
    engine.keyboard().holdUnapprovedPrograms(approvals);
    engine.keyboard().onProgramHeld = [this](const HeldProgram& held) {
        services_.engine.events.post([this, held] { icon.tellProgramHeld(held); });
    };
    popup.approvals = &approvals;
    popup.onChosen = [this](SendRequest request) { popupChoice = std::move(request); };
    engine.sender().onClipboardUnreadable = [this](const std::string& trigger) {
        services_.engine.events.post([this, trigger] { icon.tellClipboardUnreadable(trigger); });
    };
    engine.sender().onProgramFromDateOrTime = [this](const std::string& trigger) {
        services_.engine.events.post([this, trigger] { icon.tellProgramFromDateOrTime(trigger); });
    };
    engine.sender().onClipboardTooLarge = [this] {
        services_.engine.events.post([this] { icon.tellClipboardTooLarge(); });
    };
}

bool MainWindow::ask(std::string_view question, MessageButtons buttons) {
    return services_.dialogs.showMessage(question, buttons, product::ApplicationTitle) ==
           MessageAnswer::Yes;
}

const ShortcutFilter& MainWindow::shownRows() {
    filter_.update();
    return filter_;
}

void MainWindow::selectShownRow(std::size_t shown) {
    if (shown < shownRows().shownCount()) {
        editor.selectEntry(filter_.listRow(shown));
    }
}

void MainWindow::addShortcut() {
    if (const std::optional<std::string> added = editor.addShortcut()) {
        // Written, or at least looked at and added, by the user here.
        approvals.approve(*added);
        filter_.keepShown(*added);
    }
}

void MainWindow::minimize() {
    visible = false;
    icon.addIcon();
}

void MainWindow::togglePause() {
    applyOptions(!expansionPaused());
    // The keys typed before the pause are not the start of a trigger typed after it.
    engine.keyboard().keysMayHaveBeenMissed();
    icon.showPaused(expansionPaused());
}

void MainWindow::applyOptions(bool paused) {
    EngineOptions options;
    options.boost = boostItem.checked;
    options.forceText = forceTextItem.checked;
    options.showWindowHotKey = showKeyItem.checked;
    options.commonTextHotKey = commonTextKeyItem.checked;
    options.calibrationPasses = pausePassesFor(calibrationBox.text());
    options.pauseInFullScreen = fullScreenPauseItem.checked;
    options.expansionPaused = paused;
    options.matchTriggerCase = matchTriggerCaseItem.checked;
    options.excludedPrograms = excludedPrograms;
    options.undoWithBackspace = undoWithBackspaceItem.checked;
    engine.setOptions(std::move(options));
}

void MainWindow::loadSampleShortcuts() {
    loadSamples(shortcuts, services_.dialogs);
}

}  // namespace quorvel
