#include "tests/doubles/fake_files.h"

namespace quorvel {

bool FakeFiles::step() {
    bool fails = failAllWrites;
    if (failAtStep_ > 0 && --failAtStep_ == 0) {
        fails = true;
    }
    return !fails;
}

bool FakeFiles::inReadOnlyFolder(std::string_view path) const {
    const auto separator = path.find_last_of('\\');
    return separator != std::string_view::npos &&
           readOnlyFolders.contains(path.substr(0, separator));
}

std::optional<std::string> FakeFiles::readAll(std::string_view path) {
    if (onReadOrReplace) {
        onReadOrReplace();
    }
    const auto found = files.find(path);
    if (found == files.end() || lockedPaths.contains(path) || folders.contains(path)) {
        return std::nullopt;
    }
    return found->second;
}

bool FakeFiles::exists(std::string_view path) {
    return files.contains(path) || folders.contains(path);
}

bool FakeFiles::replaceAtomically(std::string_view path, std::string_view contents) {
    if (onReadOrReplace) {
        onReadOrReplace();
    }
    const std::string temporary = std::string(path) + ".tmp-quorvel";
    if (!step() || inReadOnlyFolder(path)) {
        return false;  // the temporary file could not be created
    }
    files[temporary] = std::string(contents);
    if (!step()) {
        files.erase(temporary);  // the flush failed
        return false;
    }
    if (!step() || folders.contains(path) || lockedPaths.contains(path)) {
        files.erase(temporary);  // the rename failed
        return false;
    }
    const auto written = files.find(temporary);
    files[std::string(path)] = std::move(written->second);
    files.erase(written);
    return true;
}

bool FakeFiles::copyFile(std::string_view from, std::string_view to) {
    const auto source = files.find(from);
    if (!step() || source == files.end() || lockedPaths.contains(from) || folders.contains(to) ||
        lockedPaths.contains(to) || inReadOnlyFolder(to)) {
        return false;
    }
    files[std::string(to)] = source->second;
    return true;
}

bool FakeFiles::deleteFile(std::string_view path) {
    if (!step() || lockedPaths.contains(path) || folders.contains(path) ||
        (files.contains(path) && inReadOnlyFolder(path))) {
        return false;
    }
    files.erase(std::string(path));
    return true;
}

bool FakeFiles::canCreateFilesIn(std::string_view folder) {
    return !readOnlyFolders.contains(folder) && !files.contains(folder);
}

bool FakeFiles::createFolder(std::string_view path) {
    if (folders.contains(path)) {
        return true;
    }
    if (!step() || files.contains(path) || inReadOnlyFolder(path)) {
        return false;
    }
    folders.emplace(path);
    return true;
}

}  // namespace quorvel
