// The File menu's import and save commands.

#include "app/form1.h"
#include "engine/product_info.h"
#include "storage/shortcut_file.h"

namespace quorvel {

void Form1::FileImport_Click() {
    CurrentFilePath.clear();
    const std::string chosen = services_.dialogs.showOpenDialog();
    if (!isAcceptedFileName(chosen)) {
        return;
    }
    SettingsStore& store = services_.settings;
    store.SaveSetting(settings::ImportFile.application, settings::ImportFile.section,
                      settings::ImportFile.key, chosen);
    GetImportFile(chosen, List1, services_.files);
    // Later saves rewrite the imported file with the whole list.
    CurrentFilePath = chosen;
}

void Form1::FileSave_Click() {
    if (CurrentFilePath.empty()) {
        CurrentFilePath = DefaultShortcutFile(services_.environment);
    }
    if (!isAcceptedFileName(CurrentFilePath)) {
        return;
    }
    if (!ExportFile(List1, CurrentFilePath, services_.files)) {
        // The file on disk is still the previous one; say so rather than let the
        // user believe the change is kept.
        services_.dialogs.MsgBox("The shortcuts could not be saved to " + CurrentFilePath +
                                     ". The file there still holds the shortcuts as they were "
                                     "before this change.",
                                 MessageButtons::Ok, product::ApplicationTitle);
    }
}

void Form1::FileSave2_Click() {
    CurrentFilePath.clear();
    const std::string chosen = services_.dialogs.showSaveDialog();
    if (!isAcceptedFileName(chosen)) {
        return;
    }
    CurrentFilePath = chosen;
    FileSave_Click();
}

}  // namespace quorvel
