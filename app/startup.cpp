// Start-up, the ways the program ends, and the refused close.

#include "app/form1.h"
#include "engine/calibration.h"
#include "engine/product_info.h"
#include "storage/settings_names.h"
#include "storage/shortcut_file.h"

namespace quorvel {

namespace {

std::string read(SettingsStore& store, const settings::SettingName& name,
                 std::string_view defaultValue) {
    return store.GetSetting(name.application, name.section, name.key, defaultValue);
}

}  // namespace

void Form1::Form_Load() {
    SettingsStore& store = services_.settings;
    width = 7275;
    if (services_.environment.earlierCopyRunning() &&
        services_.dialogs.MsgBox("There is a copy Quorvel 2.1 currently running.  Are you sure "
                                 "you want to start a second copy of Quorvel",
                                 MessageButtons::YesNo, product::WebDomain) != MessageAnswer::Yes) {
        services_.environment.endProcess();
    }
    engine.mainData().InstallKeyHook();
    icon.IconTray();

    // Every save names the file it wrote under both "File" keys, so the list is
    // read from the file it was last saved to and saved there again. Where an
    // earlier version left them naming different files, the file that is read
    // is the one saved to: saving over the other would replace entries that the
    // list never held.
    CurrentFilePath = read(store, settings::ImportFile, DefaultShortcutFile(services_.environment));
    // A damaged value counts as the default: starting empty would let the next
    // change save an empty list over the user's file.
    const auto autoImport = parseCalibrationNumber(read(store, settings::AutoImport, "1"));
    if (!autoImport || *autoImport == 1.0) {
        noteImport(CurrentFilePath,
                   GetImportFile(CurrentFilePath, List1, services_.files, services_.codePage));
    }

    // A stored truth value that does not read as one leaves the item as it is.
    MenuShow.checked = settings::readBoolSetting(
                           read(store, settings::MenuShow, settings::boolSetting(MenuShow.checked)))
                           .value_or(MenuShow.checked);
    MenuText.checked = settings::readBoolSetting(
                           read(store, settings::MenuText, settings::boolSetting(MenuText.checked)))
                           .value_or(MenuText.checked);
    Text2.setText(read(store, settings::Calibration, Text2.text()));
    Check8Stuff();
    RunMinimized.checked =
        settings::readBoolSetting(read(store, settings::RunMinimized, "False")).value_or(false);

    visible = true;
    if (RunMinimized.checked) {
        Command1_Click();
    }
    if (read(store, settings::StartUpOption, "0") == "0") {
        form2255.show();
    }
}

bool Form1::Form_Unload() {
    Command5.backColor = SystemButtonFace;
    caption = "Hit the Exit Button to Close the Program";
    services_.engine.events.DoEvents();
    Command5.backColor = PureRed;
    return true;
}

void Form1::MenuExit_Click() {
    if (!ask("If you close the program the Hotkeys will not work. Are you sure that you would "
             "like to exit the Program?")) {
        return;
    }
    icon.removeIcon();
    engine.mainData().RemoveKeyHook();
    services_.environment.endProcess();
}

void Form1::RestoreDefaultsM_Click() {
    if (!ask("Are you sure you want to restore Default Settings, hotkeys data will be lost?",
             MessageButtons::YesNoDefaultNo)) {
        return;
    }
    services_.settings.DeleteSetting(settings::Application);
    services_.files.deleteFile(DefaultShortcutFile(services_.environment));
    services_.dialogs.MsgBox("Please Restart Quorvel", MessageButtons::Ok,
                             product::ApplicationTitle);
    // The icon goes with the program, as at Exit, rather than lingering until the
    // mouse passes over it.
    icon.removeIcon();
    engine.mainData().RemoveKeyHook();
    services_.environment.endProcess();
}

}  // namespace quorvel
