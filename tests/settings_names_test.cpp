#include "storage/settings_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <tuple>

#include "text/utf8_text.h"

namespace quorvel::settings {
namespace {

TEST(SettingsNames, ReadBoolSetting) {
    struct Case {
        std::string text;
        std::optional<bool> expected;
    };
    const Case cases[] = {
        {"True", true},   {"true", true},   {"TRUE", true},   {"tRuE", true},
        {"False", false}, {"false", false}, {"FALSE", false}, {" True ", true},
        {"-1", true},     {"1", true},      {"2", true},      {"+3", true},
        {"0", false},     {"-0", false},    {"000", false},   {"0.0", false},
        {"0.5", true},    {".5", true},     {" 0 ", false},   {"99999999999999999999", true},
        {"maybe", {}},    {"", {}},         {"   ", {}},      {"yes", {}},
        {"Truee", {}},    {"Tru", {}},      {"1x", {}},       {"--1", {}},
        {"1.2.3", {}},    {".", {}},        {"-", {}},        {"1 0", {}},
        {"\tTrue", {}},   {"1e3", {}},      {"&H1", {}},      {std::string("1\0", 2), {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readBoolSetting(c.text), c.expected) << "text: \"" << c.text << "\"";
    }
    for (const bool value : {true, false}) {
        EXPECT_EQ(readBoolSetting(boolSetting(value)), value);
    }
}

TEST(SettingsNames, NoTwoSettingsShareAPlace) {
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
}  // namespace quorvel::settings
