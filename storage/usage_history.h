#pragma once
// How often, and when last, each shortcut was used (by its trigger or from the
// popup), kept in the settings apart from the shortcut file. A record is found
// by a fingerprint of the shortcut as written (its trigger and text), never by
// keys the user typed, and holds only a count and a time.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/clock.h"
#include "platform/settings_store.h"

namespace quorvel {

struct UsageRecord {
    std::uint32_t count = 0;
    DateTime lastUsed;
    bool operator==(const UsageRecord&) const = default;
};

// 64-bit FNV-1a over the trigger, a NUL and the text. Editing a shortcut gives it
// a new fingerprint: its old record is then simply never found.
std::uint64_t usageFingerprint(std::string_view trigger, std::string_view text);

// The stored forms: the key is 16 lower-case hex digits, the value
// "<count> <yyyy-mm-dd> <hh:mm:ss>".
std::string usageKey(std::uint64_t fingerprint);
std::optional<std::uint64_t> parseUsageKey(std::string_view key);
std::string storedUsageRecord(const UsageRecord& record);
// Nothing for a value that is not that form, a count of 0 or past 32 bits, or a
// date or time that cannot be.
std::optional<UsageRecord> parseUsageRecord(std::string_view stored);

class UsageHistory {
  public:
    explicit UsageHistory(SettingsStore& settings) : settings_(settings) {}

    // Reads every record. A record that does not read is left out and counted
    // (unreadable()); the next use of its shortcut writes it afresh.
    void load();
    std::size_t unreadable() const { return unreadable_; }

    // One more use now; stored at once.
    void recordUse(std::string_view trigger, std::string_view text, const DateTime& when);
    // Forgets every record, the stored ones too.
    void clear();

    const UsageRecord* find(std::string_view trigger, std::string_view text) const;
    std::size_t size() const { return records_.size(); }

  private:
    SettingsStore& settings_;
    std::unordered_map<std::uint64_t, UsageRecord> records_;
    std::size_t unreadable_ = 0;
};

}  // namespace quorvel
