#include "storage/settings_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "text/utf8_text.h"

namespace quorvel {
namespace {

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
