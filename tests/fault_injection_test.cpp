// Every write of the shortcut file, cut short at each of its steps, leaves
// either the old contents whole or the new ones: never a mix, never an empty or
// unreadable file.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "storage/shortcut_file.h"
#include "support/app_fixture.h"

namespace quorvel {
namespace {

const std::string OldFile =
    "{S} \xAF old \xAF first\x01{T} \xAF older \xAF second\r\nline\x01\x01\r\n";

const std::string OtherFile = "{S} \xAF other \xAF file\x01\x01\r\n";

TEST(FaultInjection, ShortcutFileSavesCutShortKeepTheOldFileOrWriteTheNewOne) {
    // What saves, the file it writes (null: the default file), and its steps.
    const std::tuple<const char*, const char*, std::vector<std::string>> cases[] = {
        {"Add", nullptr, {"add new a new entry"}},
        {"Delete", nullptr, {"select 0", "yes", "delete"}},
        {"Delete All", nullptr, {"yes", "clear"}},
        {"File Save", nullptr, {"row {C} \xC2\xAF esc \xC2\xAF saved by the menu", "file save"}},
        {"Export over another file", "E:\\copy.qvb", {"save E:\\copy.qvb", "export"}},
    };
    for (const auto& [name, target, steps] : cases) {
        int failed = 0;
        for (int step = 1; step <= 10; ++step) {
            SCOPED_TRACE(std::string(name) + ", step " + std::to_string(step));
            testing::AppFixture rig;
            rig.startOn(OldFile);
            const std::string path = target != nullptr ? target : rig.defaultFile();
            if (target != nullptr) {
                rig.files.files[path] = OtherFile;
            }
            const std::string old = rig.files.files.at(path);
            const std::string fileRead = rig.setting("Quorvel", "File", "Import");
            const std::size_t filesBefore = rig.files.files.size();
            rig.files.failOperation(step);
            rig.run(steps);
            const std::string& now = rig.files.files.at(path);
            EXPECT_EQ(rig.files.files.size(), filesBefore) << "a temporary file is left";
            if (testing::toldSince(rig.dialogs).find("could not be") == std::string::npos) {
                EXPECT_EQ(now, formatShortcutFile(rig.form->shortcuts, rig.codePage));
                break;
            }
            ++failed;
            EXPECT_EQ(now, old) << "neither the old file nor the new one";
            EXPECT_EQ(rig.setting("Quorvel", "File", "Import"), fileRead)
                << "the next start would read a file that does not hold the list";
            EXPECT_NE(formatShortcutFile(rig.form->shortcuts, rig.codePage), old)
                << "the list lost the change";
        }
        EXPECT_EQ(failed, 3) << name << ": writing, flushing and renaming each failed once";
    }
}

}  // namespace
}  // namespace quorvel
