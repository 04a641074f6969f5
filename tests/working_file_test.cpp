// The working file's three-way merge at a save: what the file gained or lost
// since this copy last wrote it carries over to the list, but a file that may
// still be on its way in (cut short, emptied, missing, not read whole) never
// takes an entry away.

#include "storage/working_file.h"
#include "storage/conflict_copies.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/readback.h"
#include "tests/doubles/fake_ansi_code_page.h"
#include "tests/doubles/fake_files.h"

namespace quorvel {
namespace {

constexpr const char* KeysPath = "C:\\Quorvel\\keys.qvb";
const std::string Td = "{S} ¯ TD ¯ Today";
const std::string TdChanged = "{S} ¯ TD ¯ Today, changed";
const std::string Cu = "{T} ¯ CU ¯ calc";
const std::string Sp = "{S} ¯ SP ¯ sample";

// The bytes a Windows-1252 file holds for `text`, whose one letter past ASCII is "¯".
std::string ansi(std::string text) {
    for (std::size_t at = 0; (at = text.find("¯", at)) != std::string::npos; ++at) {
        text.replace(at, 2, "\xAF");
    }
    return text;
}

std::string fileOf(const std::vector<std::string>& lines) {
    return ansi(testing::fileOf(lines));
}

TEST(WorkingFile, WhatTheFileGainedOrLostSinceTheLastSaveCarriesOverUnlessItMayBeUnfinished) {
    using testing::entryLines;
    struct Case {
        const char* name;
        std::optional<std::string> fileNow;  // nothing: the file is gone
        std::vector<std::string> rowsAfter;
    };
    const std::string cutAtRecord = ansi(Td) + "\x01";
    const std::vector<Case> cases = {
        {"deleted elsewhere", fileOf({Td}), {Td}},
        {"added elsewhere", fileOf({Sp, Td, Cu}), {Sp, Td, Cu}},
        {"changed elsewhere", fileOf({TdChanged, Cu}), {TdChanged, Cu}},
        {"cut off after a record", cutAtRecord, {Td, Cu}},
        {"cut off inside a record", cutAtRecord + "{T} \xAF C", {Td, Cu}},
        {"emptied", std::string(), {Td, Cu}},
        {"an empty list", fileOf({}), {Td, Cu}},
        {"gone", std::nullopt, {Td, Cu}},
    };
    const FakeWindows1252 codePage;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFiles files;
        WorkingFile file(files, codePage);
        file.setPath(KeysPath);
        ShortcutList list;
        list.add(Td);
        list.add(Cu);
        ASSERT_TRUE(file.save(list));
        if (c.fileNow) {
            files.files[KeysPath] = *c.fileNow;
        } else {
            files.files.erase(KeysPath);
        }
        ASSERT_TRUE(file.save(list));
        EXPECT_EQ(entryLines(list), c.rowsAfter);
        EXPECT_EQ(readShortcutLines(files.files[KeysPath], codePage).lines(),
                  std::vector<std::string_view>(c.rowsAfter.begin(), c.rowsAfter.end()));
        EXPECT_TRUE(file.doubledTriggers().empty());
    }
}

// A save over a file with several names writes the new contents whole beside
// it, then writes over it in place: a start after such a save was cut off
// finishes it from those contents when they are whole, whatever the file looks
// like, and clears them when they are not. Beside a file with one name they
// are another save's, left alone.
TEST(WorkingFile, AStartFinishesASaveCutOffAfterItsNewContentsWereWritten) {
    const std::string torn = ansi(Td) + "\x01{T} \xAF C";
    const std::string pending = std::string(KeysPath) + std::string(Files::PendingSuffix);
    struct Case {
        const char* name;
        std::string file;
        std::string beside;
        std::vector<std::string> rows;
        bool oneName = false;
    };
    const std::vector<Case> cases = {
        {"the file torn", torn, fileOf({Td, Cu}), {Td, Cu}},
        {"the file torn as it looks whole", fileOf({Sp}), fileOf({Td, Cu}), {Td, Cu}},
        {"the new contents cut short", fileOf({Td}), torn, {Td}},
        {"the new contents cut at a record's end", fileOf({Td}), ansi(Sp) + "\x01", {Td}},
        {"a file with one name", fileOf({Sp}), fileOf({Td, Cu}), {Sp}, true},
    };
    const FakeWindows1252 codePage;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFiles files;
        files.files[KeysPath] = c.file;
        files.files[pending] = c.beside;
        if (!c.oneName) {
            files.linkedPaths.insert(KeysPath);
        }
        WorkingFile file(files, codePage);
        file.setPath(KeysPath);
        ShortcutList list;
        file.load(list);
        EXPECT_EQ(testing::entryLines(list), c.rows);
        EXPECT_EQ(files.files.contains(pending), c.oneName);
    }
}

// The names sync clients give the copies they keep when two computers wrote one
// file, and names close to them that are no such copy.
TEST(ConflictCopies, AreKnownByTheNamesSyncClientsGiveThem) {
    const std::pair<const char*, bool> names[] = {
        {"defaultkeys.sync-conflict-20261209-113000-ABCDEFG.qvb", true},  // Syncthing
        {"defaultkeys (Ann's conflicted copy 2026-12-09).qvb", true},     // Dropbox
        {"DefaultKeys (conflicted copy 2026-12-09 113000).QVB", true},    // Nextcloud
        {"defaultkeys_conflict-20261209-113000.qvb", true},               // older ownCloud
        {"defaultkeys_conf(1).qvb", true},                                // Google Drive
        {"defaultkeys (2).qvb", true},
        {"defaultkeys-LAPTOP-7.qvb", true},  // OneDrive
        {"defaultkeys-DESKTOP-1A2B3C4.qvb", true},
        {"defaultkeys.qvb", false},
        {"defaultkeys.qvb.quorvel-tmp", false},
        {"defaultkeys.sync-conflict-20261209-113000-ABCDEFG.qvb.merged", false},
        {"defaultkeys (copy).qvb", false},
        {"defaultkeys-a-name-far-too-long.qvb", false},
        {"defaultkeys_conf(x).qvb", false},
        {"otherkeys.sync-conflict-20261209-113000-ABCDEFG.qvb", false},
        {"defaultkeys.sync-conflict-20261209-113000-ABCDEFG.txt", false},
    };
    for (const auto& [name, copy] : names) {
        EXPECT_EQ(isConflictCopyName("defaultkeys.qvb", name), copy) << name;
    }
}

}  // namespace
}  // namespace quorvel
