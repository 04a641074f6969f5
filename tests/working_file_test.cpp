// The working file's three-way merge at a save: what the file gained or lost
// since this copy last wrote it carries over to the list, but a file that may
// still be on its way in (cut short, emptied, missing, not read whole) never
// takes an entry away.

#include "storage/working_file.h"

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

TEST(WorkingFile, WhatTheFileGainedOrLostSinceTheLastSaveCarriesOverUnlessItMayBeUnfinished) {
    using testing::entryLines;
    const auto fileOf = [](const std::vector<std::string>& lines) {
        return ansi(testing::fileOf(lines));
    };
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

}  // namespace
}  // namespace quorvel
