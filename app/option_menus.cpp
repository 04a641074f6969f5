// The Options menu and the Calibration panel.

#include "app/form1.h"
#include "engine/calibration.h"
#include "engine/product_info.h"

namespace quorvel {

void Form1::flipStoredOption(MenuItem& item, const settings::SettingName& name) {
    item.checked = !item.checked;
    services_.settings.SaveSetting(name.application, name.section, name.key,
                                   settings::boolSetting(item.checked));
}

void Form1::toggleWithQuestion(MenuItem& item, std::string_view question) {
    if (item.checked) {
        item.checked = false;
    } else if (ask(question)) {
        item.checked = true;
    }
}

void Form1::RunMinimized_Click() {
    flipStoredOption(RunMinimized, settings::RunMinimized);
}
void Form1::MenuShow_Click() {
    flipStoredOption(MenuShow, settings::MenuShow);
}
void Form1::MenuText_Click() {
    flipStoredOption(MenuText, settings::MenuText);
}

void Form1::MenuBoost_Click() {
    toggleWithQuestion(
        MenuBoost,
        "The Boost option will put the text into your clipboard and then paste it into current "
        "application.  It should NOT be used if the application does not allow the user to "
        "paste text. Also this feature may clear data that you have in the clipboard. This "
        "feature needs to re enabled when the program is started.");
}

void Form1::MenuForce_Click() {
    toggleWithQuestion(
        MenuForce,
        "The Force option will force the text into a window, it should not be used unless the "
        "standard text sending is not working. This feature needs to re enabled when the program "
        "is started.");
}

void Form1::Text2_Change() {
    const std::string& text = Text2.text();
    if (text.empty()) {
        return;
    }
    // Only a number the sender can use is stored, so the box and the pause agree.
    if (calibrationPasses(text)) {
        services_.settings.SaveSetting(settings::Calibration.application,
                                       settings::Calibration.section, settings::Calibration.key,
                                       text);
        return;
    }
    services_.dialogs.MsgBox("Value Must be Numberic", MessageButtons::Ok,
                             product::ApplicationTitle);
    Text2.setText("500");
}

void Form1::Check8Stuff() {
    TimerData.interval = 500;
    services_.settings.SaveSetting(settings::Boost.application, settings::Boost.section,
                                   settings::Boost.key, settings::boolSetting(MenuBoost.checked));
}

}  // namespace quorvel
