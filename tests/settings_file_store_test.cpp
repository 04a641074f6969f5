#include "storage/settings_file_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/fake/fake_files.h"

namespace quorvel {
namespace {

constexpr std::string_view Path = "C:\\Users\\me\\quorvel.settings";

std::string everyByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

TEST(SettingsFileStore, NamesIgnoreCaseAndKeepOneSetting) {
    FakeFiles files;
    {
        SettingsFileStore store(files, std::string(Path));
        store.SaveSetting("Quorvel", "opts", "MenuShow", "True");
        EXPECT_EQ(store.GetSetting("QUORVEL", "Opts", "menushow", "x"), "True");
        store.SaveSetting("quorvel", "OPTS", "MENUSHOW", "False");
        EXPECT_EQ(store.GetSetting("Quorvel", "opts", "MenuShow", "x"), "False");
    }
    SettingsFileStore reloaded(files, std::string(Path));
    EXPECT_EQ(reloaded.GetSetting("Quorvel", "Opts", "MenuShow", "x"), "False");
    const std::string& text = files.files.at(std::string(Path));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;  // heading and one setting
}

TEST(SettingsFileStore, DeleteSettingRemovesOneApplicationWithAllItsSections) {
    FakeFiles files;
    SettingsFileStore store(files, std::string(Path));
    store.SaveSetting("Quorvel", "File", "Save", "a.qvb");
    store.SaveSetting("Quorvel", "Opts", "Boost", "True");
    store.SaveSetting("Quorvel", "Commonkeys", "0", "text");
    store.SaveSetting("Quorvel 2.1", "options", "text2", "500");

    store.DeleteSetting("QUORVEL");
    store.DeleteSetting("Nobody");  // a missing application is no error

    const auto expectOnlyTheOtherApplication = [](SettingsFileStore& s) {
        EXPECT_EQ(s.GetSetting("Quorvel", "File", "Save", "gone"), "gone");
        EXPECT_EQ(s.GetSetting("Quorvel", "Opts", "Boost", "gone"), "gone");
        EXPECT_EQ(s.GetSetting("Quorvel", "Commonkeys", "0", "gone"), "gone");
        EXPECT_EQ(s.GetSetting("Quorvel 2.1", "options", "text2", "gone"), "500");
    };
    expectOnlyTheOtherApplication(store);
    SettingsFileStore reloaded(files, std::string(Path));
    expectOnlyTheOtherApplication(reloaded);
}

TEST(SettingsFileStore, AnyBytesRoundTripThroughTheFile) {
    const std::vector<std::string> values = {
        everyByte(),
        "",
        "\\",
        "\\\\n",
        "ends in a backslash\\",
        "\\0 is not a NUL",
        "line one\r\nline two\r\n",
        "a\tb\tc\td",
        "[Opts]\nMenuShow=True",
        std::string("\0\0", 2),
        "\r",
        "\n",
        "; looks like the heading",
        std::string(1, '\xAF') + "{T}" + '\xAF' + "brb" + '\xAF' + "be right back",
    };
    FakeFiles files;
    {
        SettingsFileStore store(files, std::string(Path));
        for (std::size_t i = 0; i < values.size(); ++i) {
            store.SaveSetting("Quorvel", "Commonkeys", std::to_string(i), values[i]);
        }
        // Names are escaped like values.
        store.SaveSetting("odd\tapp\\", "sec\r\ntion", std::string("k\0y", 3), everyByte());
    }
    SettingsFileStore reloaded(files, std::string(Path));
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(reloaded.GetSetting("Quorvel", "Commonkeys", std::to_string(i), "missing"),
                  values[i])
            << "value " << i;
    }
    EXPECT_EQ(reloaded.GetSetting("odd\tapp\\", "sec\r\ntion", std::string("k\0y", 3), ""),
              everyByte());
    const std::string& text = files.files.at(std::string(Path));
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')),
              values.size() + 2);
    // A plain text file: one setting a line, and no NUL or stray CR for an editor to trip on.
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(SettingsFileStore, DamagedFileKeepsItsReadableLines) {
    FakeFiles files;
    files.files[std::string(Path)] =
        "Quorvel\tFile\tSave\tfirst.qvb\n"
        "garbage without tabs\n"
        "Quorvel\tFile\tImport\n"                        // no value
        "Quorvel\tOpts\tBoost\tTrue\textra\n"            // a fifth field
        "Quorvel\tOpts\tMenuText\tends in escape\\\n"    // truncated escape
        "Quorvel\tOpts\tMenuShow\tunknown \\x escape\n"  // unknown escape
        "Quor\\vel\tOpts\tRunMinimized\tTrue\n"          // damaged name
        "\n"
        "\t\t\n"
        "\xFF\xFE\x01\x02\t\x80\n"
        "Quorvel 2.1\toptions\ttext2\t500\r\n"  // written by an editor with CR LF ends
        "Quorvel\tStartUpQ\tStartUpOpt\tTr";   // cut off mid-line: still four fields
    SettingsFileStore store(files, std::string(Path));
    EXPECT_EQ(store.GetSetting("Quorvel", "File", "Save", "-"), "first.qvb");
    EXPECT_EQ(store.GetSetting("Quorvel 2.1", "options", "text2", "-"), "500");
    EXPECT_EQ(store.GetSetting("Quorvel", "StartUpQ", "StartUpOpt", "-"), "Tr");
    for (const char* key : {"Import", "Boost", "MenuText", "MenuShow", "RunMinimized"}) {
        EXPECT_EQ(store.GetSetting("Quorvel", "File", key, "-"), "-") << key;
        EXPECT_EQ(store.GetSetting("Quorvel", "Opts", key, "-"), "-") << key;
    }

    // Random bytes, and random damage to a good file, must never bring the store down.
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string good =
        "Quorvel\tFile\tSave\ta\\tb\\\\c\nQuorvel\tOpts\tBoost\tTrue\n"
        "Quorvel\tCommonkeys\t0\tline\\r\\nbreak\\0\n";
    for (int round = 0; round < 500; ++round) {
        std::string text = good;
        if (round % 2 == 0) {
            text.resize(static_cast<std::size_t>(byte(random)) % (good.size() + 1));
        } else {
            for (int flips = 0; flips < 4; ++flips) {
                text[static_cast<std::size_t>(byte(random)) % text.size()] =
                    static_cast<char>(byte(random));
            }
        }
        files.files[std::string(Path)] = text;
        SettingsFileStore damaged(files, std::string(Path));
        damaged.GetSetting("Quorvel", "File", "Save", "");
        damaged.SaveSetting("Quorvel", "Opts", "Boost", "False");
        SettingsFileStore rewritten(files, std::string(Path));
        EXPECT_EQ(rewritten.GetSetting("Quorvel", "Opts", "Boost", ""), "False");
    }
}

TEST(SettingsFileStore, FailedWriteLeavesTheOldFileAndIsRetried) {
    // FaultInjection fails each step in turn; here the rename fails once.
    FakeFiles files;
    SettingsFileStore store(files, std::string(Path));
    store.SaveSetting("Quorvel", "File", "Save", "old.qvb");
    const std::string before = files.files.at(std::string(Path));

    files.failOperation(3);
    store.SaveSetting("Quorvel", "File", "Save", "new.qvb");
    EXPECT_EQ(files.files.at(std::string(Path)), before);
    EXPECT_FALSE(store.inSync());
    EXPECT_EQ(store.GetSetting("Quorvel", "File", "Save", ""), "new.qvb");

    // Saving the same value again must still reach the file.
    store.SaveSetting("Quorvel", "File", "Save", "new.qvb");
    EXPECT_TRUE(store.inSync());
    EXPECT_EQ(SettingsFileStore(files, std::string(Path)).GetSetting("Quorvel", "File", "Save", ""),
              "new.qvb");
}

TEST(SettingsFileStore, MissingFileStartsEmptyAndUnchangedSavesDoNotRewrite) {
    FakeFiles files;
    SettingsFileStore store(files, std::string(Path));
    EXPECT_EQ(store.GetSetting("Quorvel", "File", "Save", "default"), "default");
    EXPECT_FALSE(files.files.contains(std::string(Path)));

    store.SaveSetting("Quorvel", "File", "Save", "a.qvb");
    store.SaveSetting("Quorvel", "File", "Save", "a.qvb");
    store.SaveSetting("Quorvel", "FILE", "save", "a.qvb");
    EXPECT_EQ(files.replaces, 1);
    // An empty value is a value, not a missing setting.
    store.SaveSetting("Quorvel", "File", "Import", "");
    EXPECT_EQ(files.replaces, 2);
    // So is an empty key; saving it again rewrites nothing either.
    store.SaveSetting("Quorvel", "File", "", "x");
    store.SaveSetting("Quorvel", "File", "", "x");
    store.SaveSettings("Quorvel", "File", {{"", "x"}, {"Save", "a.qvb"}});
    EXPECT_EQ(files.replaces, 3);
    EXPECT_EQ(SettingsFileStore(files, std::string(Path)).GetSetting("Quorvel", "File",
                                                                     "Import", "default"),
              "");
}

}  // namespace
}  // namespace quorvel
