#include "storage/working_file.h"

#include <string_view>
#include <utility>

#include "engine/product_info.h"

namespace quorvel {

std::string locateWorkingFile(Environment& environment, Files& files) {
    const std::string beside = DefaultShortcutFile(environment);
    if (files.canCreateFilesIn(environment.programFolder())) {
        return beside;
    }
    const std::string appData = environment.applicationDataFolder();
    if (appData.empty()) {
        return beside;  // nowhere better: each save says it failed
    }
    const std::string folder = appData + "\\" + std::string(product::SettingsApplication);
    // A folder that cannot be made shows as a failed save, which says where.
    files.createFolder(folder);
    return folder + "\\defaultkeys.qvb";
}

void WorkingFile::setPath(std::string path) {
    path_ = std::move(path);
    lastBytes_.reset();
    seen_.clear();
    copyAsideBeforeSave_ = false;
    unreadCopy_.clear();
}

ImportResult WorkingFile::load(ShortcutList& list) {
    std::optional<std::string> contents = files_.readAll(path_);
    if (!contents) {
        copyAsideBeforeSave_ = files_.exists(path_);
        return {.added = 0, .readWhole = !copyAsideBeforeSave_};
    }
    ShortcutFileLines read = readShortcutLines(*contents, codePage_);
    lastBytes_ = std::move(contents);
    seen_.insert(read.lines.begin(), read.lines.end());
    copyAsideBeforeSave_ = copyAsideBeforeSave_ || !read.readWhole;
    return {.added = addEntryLines(std::move(read.lines), list),
            .readWhole = read.readWhole,
            .unreadLines = read.unreadLines};
}

void WorkingFile::addNewEntries(const std::string& bytes, ShortcutList& list) {
    ShortcutFileLines read = readShortcutLines(bytes, codePage_);
    copyAsideBeforeSave_ = copyAsideBeforeSave_ || !read.readWhole;
    std::erase_if(read.lines, [this](const std::string& line) { return seen_.contains(line); });
    addMissingEntryLines(std::move(read.lines), list);
}

bool WorkingFile::save(ShortcutList& list) {
    const std::optional<std::string> onDisk = files_.readAll(path_);
    if (!onDisk && files_.exists(path_)) {
        return false;  // what it holds now is unknown, and must not be lost
    }
    if (onDisk && onDisk != lastBytes_) {
        addNewEntries(*onDisk, list);
    }
    if (!keepUnreadCopy()) {
        return false;
    }
    std::string bytes = formatShortcutFile(list, codePage_);
    if (!files_.replaceAtomically(path_, bytes)) {
        return false;
    }
    for (std::size_t row = 0; row < list.count(); ++row) {
        if (const std::string_view line = list.entryLine(row); !seen_.contains(line)) {
            seen_.emplace(line);
        }
    }
    lastBytes_ = std::move(bytes);
    return true;
}

bool WorkingFile::keepUnreadCopy() {
    if (!copyAsideBeforeSave_) {
        return true;
    }
    if (files_.exists(path_)) {
        std::string copy = path_ + ".unread";
        for (int n = 2; files_.exists(copy); ++n) {
            copy = path_ + ".unread" + std::to_string(n);
        }
        if (!files_.copyFile(path_, copy)) {
            return false;
        }
        unreadCopy_ = std::move(copy);
    }
    copyAsideBeforeSave_ = false;
    return true;
}

}  // namespace quorvel
