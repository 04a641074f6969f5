#pragma once
// Whole-file access through the Win32 file functions.

#include "platform/files.h"

namespace quorvel {

class Win32Files final : public Files {
  public:
    std::optional<std::string> readAll(std::string_view path) override;
    bool exists(std::string_view path) override;
    bool hasOtherNames(std::string_view path) override;
    std::optional<FileStamp> stamp(std::string_view path) override;
    bool replaceAtomically(std::string_view path, std::string_view contents) override;
    bool copyFile(std::string_view from, std::string_view to) override;
    bool deleteFile(std::string_view path) override;
    bool moveFile(std::string_view from, std::string_view to) override;
    std::vector<std::string> filesIn(std::string_view folder) override;
    bool canCreateFilesIn(std::string_view folder) override;
    bool ownedByAnotherUser(std::string_view path) override;
    bool createFolder(std::string_view path) override;
};

}  // namespace quorvel
