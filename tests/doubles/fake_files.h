#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>

#include "platform/files.h"

namespace quorvel {

// Files held in memory. Replacing a file goes through the same steps as on disk
// (write a temporary file beside it, flush it, rename it over the old one), and
// any step can be made to fail, so tests can check that a failure never costs the
// old contents.
class FakeFiles final : public Files {
  public:
    std::optional<std::string> readAll(std::string_view path) override {
        ++reads;
        if (onReadOrReplace) {
            onReadOrReplace();
        }
        const auto found = files.find(path);
        if (found == files.end() || lockedPaths.contains(path) || folders.contains(path) ||
            unmounted(path)) {
            return std::nullopt;
        }
        return found->second;
    }
    bool exists(std::string_view path) override {
        return !unmounted(path) && (files.contains(path) || folders.contains(path));
    }
    bool hasOtherNames(std::string_view path) override { return linkedPaths.contains(path); }
    // The contents' hash stands in for the time written: any change of bytes shows.
    std::optional<FileStamp> stamp(std::string_view path) override {
        const auto found = files.find(path);
        if (found == files.end()) {
            return std::nullopt;
        }
        return FileStamp{found->second.size(), std::hash<std::string>{}(found->second)};
    }
    bool replaceAtomically(std::string_view path, std::string_view contents) override {
        if (onReadOrReplace) {
            onReadOrReplace();
        }
        const std::string temporary = std::string(path) + std::string(PendingSuffix);
        if (!step() || inReadOnlyFolder(path) || unmounted(path)) {
            return false;  // the temporary file could not be created
        }
        files[temporary] = std::string(contents);
        if (!step() || !step() || folders.contains(path) || lockedPaths.contains(path)) {
            files.erase(temporary);  // the flush or the rename failed
            return false;
        }
        const auto written = files.find(temporary);
        files[std::string(path)] = std::move(written->second);
        files.erase(written);
        return true;
    }
    bool copyFile(std::string_view from, std::string_view to) override {
        const auto source = files.find(from);
        if (!step() || source == files.end() || lockedPaths.contains(from) ||
            folders.contains(to) || lockedPaths.contains(to) || inReadOnlyFolder(to)) {
            return false;
        }
        files[std::string(to)] = source->second;
        return true;
    }
    bool deleteFile(std::string_view path) override {
        if (!step() || lockedPaths.contains(path) || folders.contains(path) ||
            (files.contains(path) && inReadOnlyFolder(path))) {
            return false;
        }
        files.erase(std::string(path));
        return true;
    }
    bool moveFile(std::string_view from, std::string_view to) override {
        const auto source = files.find(from);
        if (!step() || source == files.end() || lockedPaths.contains(from) || exists(to) ||
            inReadOnlyFolder(from) || inReadOnlyFolder(to)) {
            return false;
        }
        std::string contents = std::move(source->second);
        files.erase(source);
        files[std::string(to)] = std::move(contents);
        return true;
    }
    std::vector<std::string> filesIn(std::string_view folder) override {
        std::vector<std::string> names;
        const std::string prefix = std::string(folder) + "\\";
        for (const auto& [path, contents] : files) {
            if (path.starts_with(prefix) && path.find('\\', prefix.size()) == std::string::npos) {
                names.push_back(path.substr(prefix.size()));
            }
        }
        return names;
    }
    bool canCreateFilesIn(std::string_view folder) override {
        return !readOnlyFolders.contains(folder) && !files.contains(folder);
    }
    bool ownedByAnotherUser(std::string_view path) override {
        return otherUsersFiles.contains(path) && files.contains(path);
    }
    bool createFolder(std::string_view path) override {
        if (folders.contains(path)) {
            return true;
        }
        if (!step() || files.contains(path) || inReadOnlyFolder(path)) {
            return false;
        }
        folders.emplace(path);
        return true;
    }

    // Makes the `n`th mutating step from now fail (1 = the next one). The steps are
    // writing, flushing and renaming for a replace, and one step each for a copy
    // or a delete. 0 cancels a failure not yet reached.
    void failOperation(int n) { failAtStep_ = n; }

    std::map<std::string, std::string, std::less<>> files;
    // Paths that exist as folders: they read as nothing and cannot be replaced.
    std::set<std::string, std::less<>> folders;
    // Folders this user may not write in: no file in them can be created,
    // replaced or deleted.
    std::set<std::string, std::less<>> readOnlyFolders;
    // Files held open by another program: reading, replacing or deleting them fails.
    std::set<std::string, std::less<>> lockedPaths;
    // Folders on a drive not connected: nothing in them is there or can be written.
    std::set<std::string, std::less<>> missingFolders;
    // Files another Windows user owns.
    std::set<std::string, std::less<>> otherUsersFiles;
    // While true every mutating step fails, as on a full or read-only disk.
    bool failAllWrites = false;
    int reads = 0;
    std::set<std::string, std::less<>> linkedPaths;

    // Called as each read or replace begins, to look at the program meanwhile.
    std::function<void()> onReadOrReplace;

  private:
    // Counts one mutating step and says whether it may go ahead.
    bool step() {
        const bool failureReached = failAtStep_ > 0 && --failAtStep_ == 0;
        return !failAllWrites && !failureReached;
    }
    bool unmounted(std::string_view path) const {
        for (const std::string& folder : missingFolders) {
            if (path == folder || (path.starts_with(folder) && path[folder.size()] == '\\')) {
                return true;
            }
        }
        return false;
    }
    bool inReadOnlyFolder(std::string_view path) const {
        const auto separator = path.find_last_of('\\');
        return separator != std::string_view::npos &&
               readOnlyFolders.contains(path.substr(0, separator));
    }

    int failAtStep_ = 0;
};

}  // namespace quorvel
