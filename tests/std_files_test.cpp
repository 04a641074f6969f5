#include "storage/std_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        do {
            path_ = fs::temp_directory_path() / ("quorvel-test-" + std::to_string(seed()));
        } while (!fs::create_directory(path_));
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(std::string_view name) const { return (path_ / name).string(); }
    std::vector<std::string> names() const {
        std::vector<std::string> all;
        for (const auto& item : fs::directory_iterator(path_)) {
            all.push_back(item.path().filename().string());
        }
        std::sort(all.begin(), all.end());
        return all;
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Bytes a text-mode stream would change or stop at.
using namespace std::string_literals;
const std::string Awkward = "a\r\nb\n\x1A\x01\xAF\0z"s;

TEST(StdFiles, ReplacesFilesWholeAndReadsThemBack) {
    TempFolder folder;
    StdFiles files;
    const std::string keys = folder / "keys.qvb";

    ASSERT_TRUE(files.replaceAtomically(keys, Awkward + Awkward));
    EXPECT_EQ(files.readAll(keys), Awkward + Awkward);
    ASSERT_TRUE(files.replaceAtomically(keys, Awkward));
    EXPECT_EQ(files.readAll(keys), Awkward);  // shorter: nothing of the old tail remains
    ASSERT_TRUE(files.replaceAtomically(keys, ""));
    EXPECT_EQ(files.readAll(keys), "");  // empty, not missing

    // A temporary file left by a crash is written over, not added to.
    ASSERT_TRUE(files.replaceAtomically(keys + ".tmp-quorvel", "stale"));
    ASSERT_TRUE(files.replaceAtomically(keys, Awkward));
    EXPECT_EQ(files.readAll(keys), Awkward);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"keys.qvb"});
}

TEST(StdFiles, AFailedReplaceLeavesNothingBehind) {
    TempFolder folder;
    StdFiles files;
    EXPECT_FALSE(files.replaceAtomically(folder / "missing/keys.qvb", Awkward));
    EXPECT_TRUE(folder.names().empty());

    // A folder where the file should be: the rename fails and the old folder stays.
    fs::create_directory(folder.path() / "sub");
    EXPECT_FALSE(files.replaceAtomically(folder / "sub", Awkward));
    EXPECT_TRUE(fs::is_directory(folder.path() / "sub"));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"sub"});
}

TEST(StdFiles, MissingFilesAndFoldersReadAsNothing) {
    TempFolder folder;
    StdFiles files;
    fs::create_directory(folder.path() / "sub");
    EXPECT_FALSE(files.readAll(folder / "missing.qvb"));
    EXPECT_FALSE(files.readAll(folder / "sub"));
    EXPECT_FALSE(files.readAll(folder / "missing/keys.qvb"));
}

TEST(StdFiles, CopiesOverAndDeletes) {
    TempFolder folder;
    StdFiles files;
    const std::string from = folder / "from.qvb", to = folder / "to.qvb";
    ASSERT_TRUE(files.replaceAtomically(from, Awkward));
    ASSERT_TRUE(files.replaceAtomically(to, "old and longer than the new contents"));

    EXPECT_TRUE(files.copyFile(from, to));
    EXPECT_EQ(files.readAll(to), Awkward);
    EXPECT_FALSE(files.copyFile(folder / "missing.qvb", to));
    EXPECT_EQ(files.readAll(to), Awkward);

    EXPECT_TRUE(files.deleteFile(to));
    EXPECT_FALSE(files.readAll(to));
    EXPECT_TRUE(files.deleteFile(to));  // already gone
    fs::create_directory(folder.path() / "sub");
    EXPECT_FALSE(files.deleteFile(folder / "sub"));
    EXPECT_TRUE(fs::is_directory(folder.path() / "sub"));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"from.qvb", "sub"}));
}

}  // namespace
}  // namespace quorvel
