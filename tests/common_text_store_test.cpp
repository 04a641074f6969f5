#include "commontext/common_text_store.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/doubles/fake_settings_store.h"
#include "tests/support/readback.h"

namespace quorvel {
namespace {

using Rows = std::vector<std::string>;

Rows read(SettingsStore& store) {
    TextRows rows;
    loadCommonText(store, rows);
    return testing::rowTexts(rows);
}

// Rows 0, 1 and 3 are stored; a missing row inside the count reads as empty,
// and no count, however damaged, reads past the last stored row.
TEST(CommonTextStore, BadCountsHaveADefinedOutcome) {
    const Rows all{"a", "b", "", "d"};
    // Stored counts by the number of rows they read.
    const std::pair<std::size_t, std::vector<std::string>> cases[] = {
        {0, {"abc", "-5", "1e999", "", "2.0", "0x2", "-"}},
        {2, {" 2 ", "+2", "002"}},
        {3, {"3"}},
        {4, {"4", "5", "32767", "99999999", "99999999999999999999999999999999"}},
    };
    for (const auto& [count, numbers] : cases) {
        for (const std::string& number : numbers) {
            FakeSettingsStore store;
            store.write({"Quorvel", "Commonkeys", "0"}, "a");
            store.write({"Quorvel", "Commonkeys", "1"}, "b");
            store.write({"Quorvel", "Commonkeys", "3"}, "d");
            store.write({"Quorvel", "Commonkeys", "03"}, "not a row");
            store.write({"Quorvel", "Commonkeys", "Number"}, number);
            EXPECT_EQ(read(store), Rows(all.begin(), all.begin() + static_cast<long>(count)))
                << "Number: \"" << number << "\"";
        }
    }
}

// Another program may change the count while the rows are read.
TEST(CommonTextStore, CountIsReadBeforeEveryRow) {
    FakeSettingsStore store;
    saveCommonText(store, {"a", "b", "c", "d", "e"});
    store.beforeGet = [&](std::string_view key) {
        if (key == "0") {
            store.write({"Quorvel", "Commonkeys", "Number"}, "2");
        }
    };
    EXPECT_EQ(read(store), (Rows{"a", "b"}));
}

}  // namespace
}  // namespace quorvel
