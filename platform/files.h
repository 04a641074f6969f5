#pragma once
// Whole-file access. Paths are text; contents are bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What a look at a file without reading it tells of a change: its size and when
// it was last written.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    bool operator==(const FileStamp&) const = default;
};

class Files {
  public:
    virtual ~Files() = default;
    // The whole file, or nothing when it is missing, a folder or unreadable.
    virtual std::optional<std::string> readAll(std::string_view path) = 0;
    // Whether anything (a file or a folder) is at the path, readable or not.
    virtual bool exists(std::string_view path) = 0;
    // Whether the file has more than one name (hard links).
    virtual bool hasOtherNames(std::string_view path) = 0;
    // The file's stamp, or nothing when it is missing or cannot be looked at.
    virtual std::optional<FileStamp> stamp(std::string_view path) = 0;
    // Writes the new contents whole to the path with PendingSuffix added, flushes
    // them, and puts them in the old file's place; a failure leaves the old file
    // whole. A symbolic link keeps pointing at its target, which takes the
    // contents. A file with more than one name (hard links) is written over in
    // place, so that every name keeps it: cut off in the middle, it may be left
    // torn, with the pending file beside it holding the new contents whole.
    // The file's attributes (hidden, say) stay.
    virtual bool replaceAtomically(std::string_view path, std::string_view contents) = 0;
    static constexpr std::string_view PendingSuffix = ".quorvel-tmp";
    virtual bool copyFile(std::string_view from, std::string_view to) = 0;
    // A missing file is no error.
    virtual bool deleteFile(std::string_view path) = 0;
    // Gives the file a new name, in the same folder or another on its drive;
    // fails when something is at the new name already.
    virtual bool moveFile(std::string_view from, std::string_view to) = 0;
    // The names (not paths) of the files in the folder, folders left out; none
    // when it is missing or cannot be listed.
    virtual std::vector<std::string> filesIn(std::string_view folder) = 0;
    // Whether this user may create files in the folder.
    virtual bool canCreateFilesIn(std::string_view folder) = 0;
    // Whether the file belongs to another user of this computer: its owner is
    // neither this user nor a group this user is in. False when it is missing
    // or its drive keeps no owners (a memory stick).
    virtual bool ownedByAnotherUser(std::string_view path) = 0;
    // Creates the folder; one that is there already is no error.
    virtual bool createFolder(std::string_view path) = 0;
};

}  // namespace quorvel
