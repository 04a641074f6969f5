#include "storage/working_file.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/product_info.h"

namespace quorvel {

std::string locateWorkingFile(Environment& environment, Files& files) {
    const std::string beside = DefaultShortcutFile(environment);
    if (files.canCreateFilesIn(environment.programFolder()) && !files.ownedByAnotherUser(beside)) {
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
    lastFile_.reset();
    seen_.clear();
    copyAsideBeforeSave_ = false;
    awaitingRead_ = false;
    unreadCopy_.clear();
}

ImportResult WorkingFile::load(ShortcutList& list) {
    std::optional<std::string> contents = files_.readAll(path_);
    if (!contents) {
        awaitingRead_ = files_.exists(path_);
        return {.added = 0, .readWhole = !awaitingRead_};
    }
    awaitingRead_ = false;
    const ShortcutFileLines read = readShortcutLines(*contents, codePage_);
    lastFile_ = fingerprintOf(*contents);
    contents.reset();
    copyAsideBeforeSave_ = copyAsideBeforeSave_ || !read.readWhole;
    if (list.count() > 0) {
        // Read late: the user may have added some of the same entries meanwhile.
        std::vector<std::string_view> lines = read.lines();
        std::vector<std::size_t> hashes;
        for (const std::string_view line : lines) {
            hashes.push_back(std::hash<std::string_view>{}(line));
        }
        addSeen(std::move(hashes));
        return {.added = addMissingEntryLines(std::move(lines), list),
                .readWhole = read.readWhole,
                .unreadLines = read.unreadLines};
    }
    const PackedLines lines = read.packed();
    std::vector<std::size_t> hashes;
    hashes.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        hashes.push_back(std::hash<std::string_view>{}(lines[i]));
    }
    addSeen(std::move(hashes));
    return {
        .added = list.addAll(lines), .readWhole = read.readWhole, .unreadLines = read.unreadLines};
}

WorkingFile::Fingerprint WorkingFile::fingerprintOf(std::string_view bytes) {
    return {bytes.size(), std::hash<std::string_view>{}(bytes)};
}

bool WorkingFile::seen(std::string_view line) const {
    return std::binary_search(seen_.begin(), seen_.end(), std::hash<std::string_view>{}(line));
}

void WorkingFile::addSeen(std::vector<std::size_t> hashes) {
    std::sort(hashes.begin(), hashes.end());
    if (seen_.empty()) {
        // The load's record: kept as it is, not copied (a copy would leave the
        // heap holding the freed original).
        hashes.erase(std::unique(hashes.begin(), hashes.end()), hashes.end());
        seen_ = std::move(hashes);
        return;
    }
    const auto middle = static_cast<std::ptrdiff_t>(seen_.size());
    seen_.insert(seen_.end(), hashes.begin(), hashes.end());
    std::inplace_merge(seen_.begin(), seen_.begin() + middle, seen_.end());
    seen_.erase(std::unique(seen_.begin(), seen_.end()), seen_.end());
}

void WorkingFile::addNewEntries(std::string_view bytes, ShortcutList& list) {
    const ShortcutFileLines read = readShortcutLines(bytes, codePage_);
    copyAsideBeforeSave_ = copyAsideBeforeSave_ || !read.readWhole;
    std::vector<std::string_view> lines = read.lines();
    std::erase_if(lines, [this](std::string_view line) { return seen(line); });
    addMissingEntryLines(std::move(lines), list);
}

bool WorkingFile::save(ShortcutList& list) {
    const std::optional<std::string> onDisk = files_.readAll(path_);
    if (!onDisk && files_.exists(path_)) {
        return false;  // what it holds now is unknown, and must not be lost
    }
    awaitingRead_ = false;  // read now, and merged below as another copy's entries
    if (onDisk && fingerprintOf(*onDisk) != lastFile_) {
        addNewEntries(*onDisk, list);
    }
    if (!keepUnreadCopy()) {
        return false;
    }
    std::string bytes = formatShortcutFile(list, codePage_);
    if (!files_.replaceAtomically(path_, bytes)) {
        return false;
    }
    std::vector<std::size_t> written;
    for (std::size_t row = 0; row < list.count(); ++row) {
        if (const std::string_view line = list.entryLine(row); !seen(line)) {
            written.push_back(std::hash<std::string_view>{}(line));
        }
    }
    addSeen(std::move(written));
    lastFile_ = fingerprintOf(bytes);
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
