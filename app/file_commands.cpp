// The File menu's import and save commands.

#include <algorithm>

#include "app/form1.h"
#include "engine/product_info.h"
#include "engine/utf8_text.h"
#include "storage/shortcut_file.h"

namespace quorvel {

void Form1::FileImport_Click() {
    CurrentFilePath.clear();
    const std::string chosen = services_.dialogs.showOpenDialog();
    if (!isAcceptedFileName(chosen)) {
        return;
    }
    noteImport(chosen, GetImportFile(chosen, List1, services_.files, services_.codePage));
    // The whole list, old entries and imported ones, goes into the imported file
    // at once, and that file becomes the one the next start reads: a restart
    // before any change would otherwise bring back the imported entries alone.
    CurrentFilePath = chosen;
    FileSave_Click();
}

void Form1::FileSave_Click() {
    if (CurrentFilePath.empty()) {
        CurrentFilePath = DefaultShortcutFile(services_.environment);
    }
    if (!isAcceptedFileName(CurrentFilePath)) {
        return;
    }
    if (!keepUnreadCopy(CurrentFilePath) ||
        !ExportFile(List1, CurrentFilePath, services_.files, services_.codePage)) {
        // The file on disk is still the previous one; say so rather than let the
        // user believe the change is kept.
        services_.dialogs.MsgBox("The shortcuts could not be saved to " + CurrentFilePath +
                                     ". The file there still holds the shortcuts as they were "
                                     "before this change.",
                                 MessageButtons::Ok, product::ApplicationTitle);
        return;
    }
    rememberSavedFile(CurrentFilePath);
}

// The next start reads the file the list was last written to, and saves there.
void Form1::rememberSavedFile(const std::string& path) {
    SettingsStore& store = services_.settings;
    for (const settings::SettingName& name : {settings::ImportFile, settings::SaveFile}) {
        if (store.GetSetting(name.application, name.section, name.key, "") != path) {
            store.SaveSetting(name.application, name.section, name.key, path);
        }
    }
}

namespace {

// Windows file names do not tell capitals from small letters.
auto findPath(std::vector<std::string>& paths, std::string_view path) {
    return std::ranges::find_if(
        paths, [&](const std::string& known) { return equalIgnoringCase(known, path); });
}

}  // namespace

void Form1::noteImport(const std::string& path, const ImportResult& result) {
    if (!result.readWhole && findPath(partlyReadFiles_, path) == partlyReadFiles_.end()) {
        partlyReadFiles_.push_back(path);
    }
}

// Before the list replaces a file it did not read whole, the file is copied to
// the first free name of "<file>.unread", "<file>.unread2", ... Returns false
// when the file is there and could not be copied: it must not be replaced then.
bool Form1::keepUnreadCopy(const std::string& path) {
    const auto unread = findPath(partlyReadFiles_, path);
    if (unread == partlyReadFiles_.end()) {
        return true;
    }
    Files& files = services_.files;
    if (files.exists(path)) {
        std::string copy = path + ".unread";
        for (int n = 2; files.exists(copy); ++n) {
            copy = path + ".unread" + std::to_string(n);
        }
        if (!files.copyFile(path, copy)) {
            return false;
        }
    }
    partlyReadFiles_.erase(unread);
    return true;
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
