#pragma once
// Whole-file access through the standard library, for builds without the
// Windows file functions.

#include "platform/files.h"

namespace quorvel {

class StdFiles final : public Files {
public:
    std::optional<std::string> readAll(std::string_view path) override;
    bool exists(std::string_view path) override;
    // Writes "<path>.tmp-quorvel" beside the file, then renames it over the file.
    bool replaceAtomically(std::string_view path, std::string_view contents) override;
    bool copyFile(std::string_view from, std::string_view to) override;
    bool deleteFile(std::string_view path) override;
};

}  // namespace quorvel
