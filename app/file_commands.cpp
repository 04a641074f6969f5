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
    SettingsStore& store = services_.settings;
    store.SaveSetting(settings::ImportFile.application, settings::ImportFile.section,
                      settings::ImportFile.key, chosen);
    noteImport(chosen, GetImportFile(chosen, List1, services_.files, services_.codePage));
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
    if (!keepUnreadCopy(CurrentFilePath) ||
        !ExportFile(List1, CurrentFilePath, services_.files, services_.codePage)) {
        // The file on disk is still the previous one; say so rather than let the
        // user believe the change is kept.
        services_.dialogs.MsgBox("The shortcuts could not be saved to " + CurrentFilePath +
                                     ". The file there still holds the shortcuts as they were "
                                     "before this change.",
                                 MessageButtons::Ok, product::ApplicationTitle);
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
