#include "commontext/common_text_store.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "storage/settings_names.h"
#include "text/number_text.h"
#include "text/utf8_text.h"

namespace quorvel {

void saveCommonText(SettingsStore& settings, const TextRows& rows) {
    std::vector<std::pair<std::string, std::string>> keyValues;
    keyValues.reserve(rows.size() + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        keyValues.emplace_back(std::to_string(i), std::string(rows[i]));
    }
    keyValues.emplace_back(settings::CommonTextCountKey, std::to_string(rows.size()));
    settings.writeSection(settings::Application, settings::CommonTextSection, keyValues);
}

namespace {

// The row a value name stores, as saveCommonText names rows: "0", "1", ... ; none for
// any other name.
std::optional<std::int32_t> rowOfKey(std::string_view key) {
    if (key.size() > 1 && key.front() == '0') {
        return std::nullopt;
    }
    const auto row = wholeNumber(key, 99999);
    return row ? std::optional<std::int32_t>(static_cast<std::int32_t>(*row)) : std::nullopt;
}

// One past the last row stored: a damaged count reads no further than this.
std::int32_t storedRowsEnd(SettingsStore& settings) {
    std::int32_t end = 0;
    for (const std::string& key :
         settings.keysOf(settings::Application, settings::CommonTextSection)) {
        if (const auto row = rowOfKey(key); row && *row < MaxCommonTextRows) {
            end = std::max(end, *row + 1);
        }
    }
    return end;
}

}  // namespace

void loadCommonText(SettingsStore& settings, TextRows& rows) {
    const std::int32_t storedEnd = storedRowsEnd(settings);
    // The count is read again before every row, so a count that changes while
    // reading is honoured at once.
    for (std::int32_t i = 0;
         i < std::min(storedEnd, commonTextCount(settings.read(settings::CommonTextCount, "0")));
         ++i) {
        rows.push_back(settings.read(
            {settings::Application, settings::CommonTextSection, std::to_string(i)}, ""));
    }
    rows.shrinkToFit();
}

std::int32_t commonTextCount(std::string_view stored) {
    stored = trimBlanks(stored);
    bool negative = false;
    if (!stored.empty() && (stored.front() == '-' || stored.front() == '+')) {
        negative = stored.front() == '-';
        stored.remove_prefix(1);
    }
    const auto count = wholeNumber(stored, MaxCommonTextRows, Beyond::Highest);
    return count && !negative ? static_cast<std::int32_t>(*count) : 0;
}

}  // namespace quorvel
