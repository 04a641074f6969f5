#include "storage/usage_history.h"

#include <charconv>
#include <cstdio>
#include <limits>

#include "storage/settings_names.h"

namespace quorvel {

namespace {

// Reads exactly `digits` decimal digits at `at`, moving past them.
std::optional<int> fixedNumber(std::string_view text, std::size_t& at, std::size_t digits) {
    if (at + digits > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    at += digits;
    return value;
}

bool expect(std::string_view text, std::size_t& at, char c) {
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

bool possible(const DateTime& t) {
    return t.year >= 1601 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
           t.hour <= 23 && t.minute <= 59 && t.second <= 59;
}

}  // namespace

std::uint64_t usageFingerprint(std::string_view trigger, std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    };
    for (const char c : trigger) {
        mix(static_cast<unsigned char>(c));
    }
    mix(0);
    for (const char c : text) {
        mix(static_cast<unsigned char>(c));
    }
    return hash;
}

std::string usageKey(std::uint64_t fingerprint) {
    char key[17];
    std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(fingerprint));
    return key;
}

std::optional<std::uint64_t> parseUsageKey(std::string_view key) {
    if (key.size() != 16) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : key) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;  // the registry may hand names back in either case
        } else {
            return std::nullopt;
        }
        value = value << 4 | static_cast<std::uint64_t>(digit);
    }
    return value;
}

std::string storedUsageRecord(const UsageRecord& record) {
    char stored[64];
    std::snprintf(stored, sizeof stored, "%lu %04d-%02d-%02d %02d:%02d:%02d",
                  static_cast<unsigned long>(record.count), record.lastUsed.year,
                  record.lastUsed.month, record.lastUsed.day, record.lastUsed.hour,
                  record.lastUsed.minute, record.lastUsed.second);
    return stored;
}

std::optional<UsageRecord> parseUsageRecord(std::string_view stored) {
    const std::size_t space = stored.find(' ');
    if (space == 0 || space == std::string_view::npos) {
        return std::nullopt;
    }
    UsageRecord record;
    const auto [end, error] = std::from_chars(stored.data(), stored.data() + space, record.count);
    if (error != std::errc{} || end != stored.data() + space || record.count == 0) {
        return std::nullopt;
    }
    std::size_t at = space + 1;
    DateTime& t = record.lastUsed;
    const auto year = fixedNumber(stored, at, 4);
    const bool dash1 = expect(stored, at, '-');
    const auto month = fixedNumber(stored, at, 2);
    const bool dash2 = expect(stored, at, '-');
    const auto day = fixedNumber(stored, at, 2);
    const bool gap = expect(stored, at, ' ');
    const auto hour = fixedNumber(stored, at, 2);
    const bool colon1 = expect(stored, at, ':');
    const auto minute = fixedNumber(stored, at, 2);
    const bool colon2 = expect(stored, at, ':');
    const auto second = fixedNumber(stored, at, 2);
    if (!year || !month || !day || !hour || !minute || !second || !dash1 || !dash2 || !gap ||
        !colon1 || !colon2 || at != stored.size()) {
        return std::nullopt;
    }
    t = {*year, *month, *day, *hour, *minute, *second};
    if (!possible(t)) {
        return std::nullopt;
    }
    return record;
}

void UsageHistory::load() {
    records_.clear();
    unreadable_ = 0;
    for (const std::string& key : settings_.keysOf(settings::Application, settings::UsageSection)) {
        const auto fingerprint = parseUsageKey(key);
        const auto record = fingerprint
                                ? parseUsageRecord(settings_.read(
                                      {settings::Application, settings::UsageSection, key}, ""))
                                : std::nullopt;
        if (!record) {
            ++unreadable_;
            continue;
        }
        records_[*fingerprint] = *record;
    }
}

void UsageHistory::recordUse(std::string_view trigger, std::string_view text,
                             const DateTime& when) {
    const std::uint64_t fingerprint = usageFingerprint(trigger, text);
    UsageRecord& record = records_[fingerprint];
    if (record.count < std::numeric_limits<std::uint32_t>::max()) {
        ++record.count;
    }
    record.lastUsed = when;
    const std::string key = usageKey(fingerprint);
    settings_.write({settings::Application, settings::UsageSection, key},
                    storedUsageRecord(record));
}

void UsageHistory::clear() {
    records_.clear();
    unreadable_ = 0;
    settings_.eraseSection(settings::Application, settings::UsageSection);
}

const UsageRecord* UsageHistory::find(std::string_view trigger, std::string_view text) const {
    const auto found = records_.find(usageFingerprint(trigger, text));
    return found == records_.end() ? nullptr : &found->second;
}

}  // namespace quorvel
