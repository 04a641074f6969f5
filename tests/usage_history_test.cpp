#include "storage/usage_history.h"

#include <gtest/gtest.h>

#include "storage/settings_names.h"
#include "tests/doubles/fake_settings_store.h"

namespace quorvel {
namespace {

constexpr DateTime Morning{2026, 12, 9, 8, 45, 0};
constexpr DateTime Noon{2026, 12, 9, 12, 0, 5};

// Records survive a restart keyed by a fingerprint alone; unreadable ones are
// left out, counted and written afresh on use; clearing forgets the records and
// nothing else.
TEST(UsageHistory, RecordsSurviveARestartKeyedByFingerprintOnly) {
    FakeSettingsStore settings;
    settings.write(settings::MenuShow, "True");
    UsageHistory history(settings);
    history.recordUse("td", "To do: the secret plan", Morning);
    history.recordUse("td", "To do: the secret plan", Noon);
    history.recordUse("sig", "Regards", Morning);

    UsageHistory again(settings);
    again.load();
    EXPECT_EQ(again.size(), 2u);
    EXPECT_EQ(again.unreadable(), 0u);
    ASSERT_NE(again.find("td", "To do: the secret plan"), nullptr);
    EXPECT_EQ(*again.find("td", "To do: the secret plan"), (UsageRecord{2, Noon}));
    EXPECT_EQ(again.find("td", "To do: another text"), nullptr);
    // Neither the trigger nor the text is stored, only a fingerprint of them.
    for (const std::string& key : settings.keysOf("Quorvel", "Usage")) {
        EXPECT_EQ(key.size(), 16u);
        EXPECT_EQ(settings.read({"Quorvel", "Usage", key}, "").find("secret"), std::string::npos);
    }
    EXPECT_NE(usageFingerprint("a", "bc"), usageFingerprint("ab", "c"));

    const std::string key = usageKey(usageFingerprint("sig", "Regards"));
    settings.write({"Quorvel", "Usage", key}, "garbage");
    settings.write({"Quorvel", "Usage", "not a fingerprint"}, "1 2026-12-09 08:45:00");
    UsageHistory damaged(settings);
    damaged.load();
    EXPECT_EQ(damaged.size(), 1u);
    EXPECT_EQ(damaged.unreadable(), 2u);
    damaged.recordUse("sig", "Regards", Noon);
    EXPECT_EQ(settings.read({"Quorvel", "Usage", key}, ""), "1 2026-12-09 12:00:05");

    damaged.clear();
    EXPECT_EQ(damaged.find("td", "To do: the secret plan"), nullptr);
    EXPECT_EQ(settings.keysOf("Quorvel", "Usage").size(), 0u);
    EXPECT_EQ(settings.read(settings::MenuShow, ""), "True");
}

TEST(UsageHistory, StoredFormsReadBackOrAreRefused) {
    struct Case {
        const char* stored;
        bool reads;
    };
    const Case cases[] = {
        {"3 2026-12-09 08:45:00", true},
        {"4294967295 1601-01-01 00:00:00", true},
        {"0 2026-12-09 08:45:00", false},           // never used
        {"4294967296 2026-12-09 08:45:00", false},  // past 32 bits
        {"-1 2026-12-09 08:45:00", false},
        {"3 2026-13-09 08:45:00", false},
        {"3 2026-12-09 24:00:00", false},
        {"3 2026-12-09 08:45", false},
        {"3 2026-12-09 08:45:00 ", false},
        {"3  2026-12-09 08:45:00", false},
        {" 3 2026-12-09 08:45:00", false},
        {"3", false},
        {"", false},
        {"x 2026-12-09 08:45:00", false},
        {"3 2026-1a-09 08:45:00", false},
    };
    for (const Case& c : cases) {
        const auto record = parseUsageRecord(c.stored);
        EXPECT_EQ(record.has_value(), c.reads) << c.stored;
        if (record) {
            EXPECT_EQ(storedUsageRecord(*record), c.stored);
        }
    }
    EXPECT_EQ(parseUsageKey("00ff00ff00ff00ff"), 0x00ff00ff00ff00ffull);
    EXPECT_EQ(parseUsageKey("00FF00FF00FF00FF"), 0x00ff00ff00ff00ffull);
    for (const char* bad : {"", "00ff00ff00ff00f", "00ff00ff00ff00ff0", "00ff00ff00ff00fg"}) {
        EXPECT_FALSE(parseUsageKey(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace quorvel
