#include "storage/working_file.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "platform/product_info.h"

namespace quorvel {

namespace {

std::size_t lineHash(std::string_view line) {
    return std::hash<std::string_view>{}(line);
}

// The hashes of `count` lines, sorted and once each; hashOf(i) is line i's.
template <class HashOf>
std::vector<std::size_t> sortedHashes(std::size_t count, HashOf hashOf) {
    std::vector<std::size_t> hashes;
    hashes.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        hashes.push_back(hashOf(i));
    }
    std::sort(hashes.begin(), hashes.end());
    hashes.erase(std::unique(hashes.begin(), hashes.end()), hashes.end());
    return hashes;
}

bool contains(const std::vector<std::size_t>& sorted, std::size_t hash) {
    return std::binary_search(sorted.begin(), sorted.end(), hash);
}

}  // namespace

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

void WorkingFile::setPath(std::string path, Place place) {
    path_ = std::move(path);
    place_ = place;
    lastFile_.reset();
    base_.clear();
    copyAsideBeforeSave_ = false;
    awaitingRead_ = false;
    folderMissing_ = false;
    unreadCopy_.clear();
}

void WorkingFile::finishCutOffSave() {
    // Only a file with several names is written over in place, once the new
    // contents are whole beside it; any other file is replaced in one step, so
    // what lies beside it is a save that never reached it (or another copy's
    // save under way), not this program's to finish.
    const std::string pending = path_ + std::string(Files::PendingSuffix);
    if (!files_->hasOtherNames(path_) || !files_->exists(pending)) {
        return;
    }
    // The file's end is written last: whole, the new contents are the save to
    // finish, whatever the file looks like (torn in place, it may look whole);
    // cut short, the save never reached the file.
    const std::optional<std::string> saved = files_->readAll(pending);
    if (saved) {
        const ShortcutFileLines read = readShortcutLines(*saved, *codePage_);
        if (read.readWhole && read.closed && !files_->replaceAtomically(path_, *saved)) {
            return;  // tried again at the next start
        }
    }
    files_->deleteFile(pending);
}

ImportResult WorkingFile::load(ShortcutList& list) {
    finishCutOffSave();
    std::optional<std::string> contents = files_->readAll(path_);
    if (!contents) {
        folderMissing_ = folderGone();
        awaitingRead_ = folderMissing_ || files_->exists(path_);
        return {.added = 0, .readWhole = !awaitingRead_};
    }
    awaitingRead_ = false;
    folderMissing_ = false;
    const ShortcutFileLines read = readShortcutLines(*contents, *codePage_);
    lastFile_ = fingerprintOf(*contents);
    contents.reset();
    copyAsideBeforeSave_ = copyAsideBeforeSave_ || !read.readWhole;
    const PackedLines lines = read.packed();
    base_ = sortedHashes(lines.size(), [&](std::size_t i) { return lineHash(lines[i]); });
    if (list.count() > 0) {
        // Read late: the user may have added some of the same entries meanwhile.
        return {.added = addMissingEntryLines(read.lines(), list),
                .readWhole = read.readWhole,
                .unreadLines = read.unreadLines};
    }
    return {
        .added = list.addAll(lines), .readWhole = read.readWhole, .unreadLines = read.unreadLines};
}

WorkingFile::Fingerprint WorkingFile::fingerprintOf(std::string_view bytes) {
    return {bytes.size(), std::hash<std::string_view>{}(bytes)};
}

std::vector<std::size_t> WorkingFile::mergeFromFile(const ShortcutFileLines& read,
                                                    ShortcutList& list) {
    doubledTriggers_.clear();
    const std::vector<std::string_view> lines = read.lines();
    std::vector<std::size_t> lineHashes;
    lineHashes.reserve(lines.size());
    for (const std::string_view line : lines) {
        lineHashes.push_back(lineHash(line));
    }
    const std::vector<std::size_t> onFile =
        sortedHashes(lines.size(), [&](std::size_t i) { return lineHashes[i]; });
    // Lost from the file since the base: gone here too, unless the file may
    // still be on its way in (not read whole, cut off at a record's end, or
    // emptied).
    std::vector<std::size_t> lost;
    if (read.readWhole && read.closed && !lines.empty()) {
        std::set_difference(base_.begin(), base_.end(), onFile.begin(), onFile.end(),
                            std::back_inserter(lost));
    }
    std::vector<std::size_t> gainedHashes;
    std::set_difference(onFile.begin(), onFile.end(), base_.begin(), base_.end(),
                        std::back_inserter(gainedHashes));
    if (lost.empty() && gainedHashes.empty()) {
        return onFile;
    }
    // This copy's own changes since the base, by trigger: where the file gained
    // an entry of the same trigger, both sides changed it and both rows stay.
    std::unordered_set<std::string> ownTriggers;
    for (std::size_t row = list.count(); row-- > 0;) {
        const std::string_view line = list.entryLine(row);
        const std::size_t hash = lineHash(line);
        if (contains(lost, hash)) {
            list.removeAt(row);
        } else if (!gainedHashes.empty() && !contains(base_, hash)) {
            if (const auto fields = splitEntryLine(line)) {
                ownTriggers.insert(triggerKey(fields->trigger));
            }
        }
    }
    std::vector<std::string_view> gained;
    std::set<std::string> doubled;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!contains(gainedHashes, lineHashes[i])) {
            continue;
        }
        const std::string_view line = lines[i];
        gained.push_back(line);
        const auto fields = splitEntryLine(line);
        if (fields && !list.contains(line) && ownTriggers.contains(triggerKey(fields->trigger))) {
            doubled.insert(std::string(fields->trigger));
        }
    }
    addMissingEntryLines(std::move(gained), list);
    doubledTriggers_.assign(doubled.begin(), doubled.end());
    return onFile;
}

WorkingFile::Reload WorkingFile::reload(ShortcutList& list) {
    doubledTriggers_.clear();
    const std::optional<std::string> onDisk = files_->readAll(path_);
    if (!onDisk) {
        return Reload::Unfinished;
    }
    const Fingerprint fingerprint = fingerprintOf(*onDisk);
    if (fingerprint == lastFile_) {
        return Reload::Unchanged;
    }
    const ShortcutFileLines read = readShortcutLines(*onDisk, *codePage_);
    if (!read.readWhole || !read.closed || (read.count() == 0 && !base_.empty())) {
        return Reload::Unfinished;
    }
    base_ = mergeFromFile(read, list);
    lastFile_ = fingerprint;
    awaitingRead_ = false;
    return Reload::Merged;
}

bool WorkingFile::folderGone() {
    const auto separator = path_.find_last_of('\\');
    return place_ == Place::Chosen && separator != std::string::npos &&
           !files_->exists(std::string_view(path_).substr(0, separator));
}

bool WorkingFile::save(ShortcutList& list) {
    if (folderMissing_ && folderGone()) {
        return false;  // still waiting for its drive, and its read
    }
    const std::optional<std::string> onDisk = files_->readAll(path_);
    if (!onDisk && files_->exists(path_)) {
        return false;  // what it holds now is unknown, and must not be lost
    }
    awaitingRead_ = false;  // read now, and merged below as another copy's entries
    doubledTriggers_.clear();
    if (onDisk && fingerprintOf(*onDisk) != lastFile_) {
        const ShortcutFileLines read = readShortcutLines(*onDisk, *codePage_);
        copyAsideBeforeSave_ = copyAsideBeforeSave_ || !read.readWhole;
        mergeFromFile(read, list);
    }
    if (!keepUnreadCopy()) {
        return false;
    }
    std::string bytes = formatShortcutFile(list, *codePage_);
    if (!files_->replaceAtomically(path_, bytes)) {
        return false;
    }
    base_ =
        sortedHashes(list.count(), [&](std::size_t row) { return lineHash(list.entryLine(row)); });
    lastFile_ = fingerprintOf(bytes);
    return true;
}

std::optional<std::vector<std::string>> WorkingFile::linesOnlyIn(std::string_view copyPath,
                                                                 const ShortcutList& list) {
    const std::optional<std::string> contents = files_->readAll(copyPath);
    if (!contents) {
        return std::nullopt;
    }
    const ShortcutFileLines read = readShortcutLines(*contents, *codePage_);
    if (!read.readWhole) {
        return std::nullopt;
    }
    std::vector<std::string> taken;
    for (const std::string_view line : read.lines()) {
        if (!contains(base_, lineHash(line)) && !list.contains(line) &&
            std::find(taken.begin(), taken.end(), line) == taken.end()) {
            taken.emplace_back(line);
        }
    }
    return taken;
}

bool WorkingFile::keepUnreadCopy() {
    if (!copyAsideBeforeSave_) {
        return true;
    }
    if (files_->exists(path_)) {
        std::string copy = path_ + ".unread";
        for (int n = 2; files_->exists(copy); ++n) {
            copy = path_ + ".unread" + std::to_string(n);
        }
        if (!files_->copyFile(path_, copy)) {
            return false;
        }
        unreadCopy_ = std::move(copy);
    }
    copyAsideBeforeSave_ = false;
    return true;
}

}  // namespace quorvel
