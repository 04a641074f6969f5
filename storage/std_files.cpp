#include "storage/std_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quorvel {

namespace fs = std::filesystem;

namespace {

fs::path pathOf(std::string_view path) {
    return fs::path(std::string(path));
}

}  // namespace

std::optional<std::string> StdFiles::readAll(std::string_view path) {
    const fs::path file = pathOf(path);
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // istreambuf_iterator stops quietly on a read error; badbit tells it apart from the end.
    if (in.bad()) {
        return std::nullopt;
    }
    return contents;
}

bool StdFiles::exists(std::string_view path) {
    std::error_code error;
    return fs::exists(pathOf(path), error);
}

bool StdFiles::replaceAtomically(std::string_view path, std::string_view contents) {
    const fs::path target = pathOf(path);
    const fs::path temporary = pathOf(std::string(path) + ".tmp-quorvel");
    std::error_code error;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;  // nothing was created
        }
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        out.flush();
        const bool written = out.good();
        out.close();
        if (!written || out.fail()) {
            fs::remove(temporary, error);
            return false;
        }
    }
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

bool StdFiles::copyFile(std::string_view from, std::string_view to) {
    std::error_code error;
    fs::copy_file(pathOf(from), pathOf(to), fs::copy_options::overwrite_existing, error);
    return !error;
}

bool StdFiles::deleteFile(std::string_view path) {
    const fs::path file = pathOf(path);
    std::error_code error;
    // Removing would also take an empty folder; only files are ours to delete.
    if (fs::is_directory(file, error)) {
        return false;
    }
    fs::remove(file, error);
    return !error;
}

}  // namespace quorvel
