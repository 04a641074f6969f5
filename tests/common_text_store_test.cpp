#include "commontext/common_text_store.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "storage/settings_names.h"
#include "tests/doubles/fake_settings_store.h"
#include "tests/support/readback.h"
#include "text/utf8_text.h"

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

TEST(SettingsNames, ReadBoolSetting) {
    const std::pair<std::optional<bool>, std::vector<std::string>> cases[] = {
        {true,
         {"True", "true", "TRUE", "tRuE", " True ", "-1", "1", "2", "+3", "0.5", ".5",
          "99999999999999999999"}},
        {false, {"False", "false", "FALSE", "0", "-0", "000", "0.0", " 0 "}},
        {std::nullopt,
         {"maybe", "", "   ", "yes", "Truee", "Tru", "1x", "--1", "1.2.3", ".", "-", "1 0",
          "\tTrue", "1e3", "&H1", std::string("1\0", 2)}},
    };
    for (const auto& [expected, texts] : cases) {
        for (const std::string& text : texts) {
            EXPECT_EQ(settings::readBoolSetting(text), expected) << "text: \"" << text << "\"";
        }
    }
    for (const bool value : {true, false}) {
        EXPECT_EQ(settings::readBoolSetting(settings::boolSetting(value)), value);
    }
}

TEST(SettingsNames, NoTwoSettingsShareAPlace) {
    using namespace settings;
    const SettingName all[] = {SaveFile,     ImportFile, AutoImport,    MenuShow,   MenuText,
                               RunMinimized, Boost,      StartUpOption, Calibration};
    std::set<std::tuple<std::string, std::string, std::string>> places;
    for (const SettingName& name : all) {
        const auto place =
            std::tuple(lowerCase(name.application), lowerCase(name.section), lowerCase(name.key));
        EXPECT_TRUE(places.insert(place).second) << name.key;
        EXPECT_NE(lowerCase(name.section), lowerCase(CommonTextSection)) << name.key;
    }
}

}  // namespace
}  // namespace quorvel
