// The Options menu and the Calibration panel.

#include "app/main_window.h"
#include "engine/calibration.h"
#include "platform/product_info.h"

namespace quorvel {

void MainWindow::flipStoredOption(MenuItem& item, const settings::SettingName& name) {
    item.checked = !item.checked;
    services_.settings.write(name, settings::boolSetting(item.checked));
    applyOptions();
}

void MainWindow::toggleWithQuestion(MenuItem& item, std::string_view question) {
    if (item.checked) {
        item.checked = false;
    } else if (ask(question)) {
        item.checked = true;
    }
    applyOptions();
}

void MainWindow::toggleRunMinimized() {
    flipStoredOption(runMinimizedItem, settings::RunMinimized);
}
void MainWindow::toggleShowKey() {
    flipStoredOption(showKeyItem, settings::MenuShow);
}
void MainWindow::toggleCommonTextKey() {
    flipStoredOption(commonTextKeyItem, settings::MenuText);
}

void MainWindow::toggleFullScreenPause() {
    flipStoredOption(fullScreenPauseItem, settings::FullScreenPause);
}

void MainWindow::toggleMatchTriggerCase() {
    flipStoredOption(matchTriggerCaseItem, settings::MatchTriggerCase);
}

void MainWindow::toggleUndoWithBackspace() {
    flipStoredOption(undoWithBackspaceItem, settings::UndoWithBackspace);
}

bool MainWindow::excludeProgram(std::string_view name) {
    if (!excludedPrograms.add(name)) {
        return false;
    }
    storeExcludedPrograms();
    return true;
}

bool MainWindow::includeProgram(std::string_view name) {
    if (!excludedPrograms.remove(name)) {
        return false;
    }
    storeExcludedPrograms();
    return true;
}

void MainWindow::storeExcludedPrograms() {
    const settings::SettingName& name = settings::ExcludedProgramNames;
    services_.settings.write(name, excludedPrograms.stored());
    applyOptions();
}

void MainWindow::toggleBoost() {
    toggleWithQuestion(
        boostItem,
        "The Boost option will put the text into your clipboard and then paste it into current "
        "application.  It should NOT be used if the application does not allow the user to "
        "paste text. Also this feature may clear data that you have in the clipboard. This "
        "feature needs to re enabled when the program is started.");
}

void MainWindow::toggleForceText() {
    toggleWithQuestion(
        forceTextItem,
        "The Force option will force the text into a window, it should not be used unless the "
        "standard text sending is not working. This feature needs to re enabled when the program "
        "is started.");
}

void MainWindow::calibrationChanged() {
    applyOptions();
    const std::string& text = calibrationBox.text();
    if (text.empty()) {
        return;
    }
    // Only a number the sender can use is stored, so the box and the pause agree.
    if (calibrationPasses(text)) {
        services_.settings.write(settings::Calibration, text);
        return;
    }
    services_.dialogs.showMessage("Value Must be Numberic", MessageButtons::Ok,
                                  product::ApplicationTitle);
    calibrationBox.setText("500");
    applyOptions();
}

void MainWindow::applyBoost() {
    applyOptions();
    services_.settings.write(settings::Boost, settings::boolSetting(boostItem.checked));
}

}  // namespace quorvel
