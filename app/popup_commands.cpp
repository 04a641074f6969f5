// The popup that finds and types a shortcut: its hot key in the Options menu,
// opening it where triggers may fire, and usage history.

#include "app/main_window.h"
#include "engine/stay_out.h"
#include "platform/product_info.h"

namespace quorvel {

namespace {

MenuItem MainWindow::*const PopupKeyItems[] = {&MainWindow::popupCtrlShiftInsertItem,
                                               &MainWindow::popupCtrlAltSpaceItem,
                                               &MainWindow::popupCtrlAltInsertItem};

}  // namespace

void MainWindow::startPopup() {
    usage.load();
    if (usage.unreadable() > 0) {
        tell(std::to_string(usage.unreadable()) +
             " usage records could not be read and were left out; each is written afresh when "
             "its shortcut is next used.");
    }
    claimPopupKey(popupKeyFromSetting(services_.settings.read(settings::PopupKey, "")));
}

void MainWindow::claimPopupKey(std::optional<KeyChord> chord) {
    for (std::size_t i = 0; i < PopupKeyChoices.size(); ++i) {
        (this->*PopupKeyItems[i]).checked = chord && *chord == PopupKeyChoices[i];
    }
    if (!chord) {
        services_.popupKey.release();
        return;
    }
    if (!services_.popupKey.claim(*chord) && !toldPopupKeyTaken_) {
        toldPopupKeyTaken_ = true;
        tell("Another program holds " + std::string(chord->name) +
             ", so it cannot open Quorvel's Find and Type popup. Choose another key in the Options "
             "menu (\"Hit ... to Find and Type a Shortcut\").");
    }
}

void MainWindow::choosePopupKey(std::size_t choice) {
    // A click on the ticked key turns the popup's key off.
    const bool off = (this->*PopupKeyItems[choice]).checked;
    const std::optional<KeyChord> chord =
        off ? std::nullopt : std::optional<KeyChord>(PopupKeyChoices[choice]);
    services_.settings.write(settings::PopupKey, chord ? chord->name : NoPopupKey);
    toldPopupKeyTaken_ = false;
    claimPopupKey(chord);
}

void MainWindow::popupKeyPressed() {
    if (popup.visible || popupChoice) {
        return;
    }
    const std::optional<std::string> why =
        whyPopupStaysOut(services_.engine.focus.inspect(), engine.options(),
                         services_.engine.injector.focusedWindowAcceptsInput());
    if (why) {
        tell(*why);
        return;
    }
    commonText.load();
    popup.open();
}

void MainWindow::sendPopupChoice() {
    if (popupChoice) {
        engine.sendChosen(std::move(*popupChoice));
        popupChoice.reset();
    }
}

void MainWindow::dropPopupChoice() {
    if (popupChoice) {
        popupChoice.reset();
        tell("The window you were typing in did not come back to the front; nothing was typed.");
    }
}

void MainWindow::clearUsageHistory() {
    if (ask("Forget how often and when each shortcut was used?", MessageButtons::YesNoDefaultNo)) {
        usage.clear();
    }
}

}  // namespace quorvel
