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
    std::optional<std::string> readAll(std::string_view path) override;
    bool exists(std::string_view path) override;
    bool replaceAtomically(std::string_view path, std::string_view contents) override;
    bool copyFile(std::string_view from, std::string_view to) override;
    bool deleteFile(std::string_view path) override;
    bool canCreateFilesIn(std::string_view folder) override;
    bool createFolder(std::string_view path) override;

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
    // While true every mutating step fails, as on a full or read-only disk.
    bool failAllWrites = false;

    // Called as each read or replace begins, to look at the program meanwhile.
    std::function<void()> onReadOrReplace;

  private:
    // Counts one mutating step and says whether it may go ahead.
    bool step();
    bool inReadOnlyFolder(std::string_view path) const;

    int failAtStep_ = 0;
};

}  // namespace quorvel
