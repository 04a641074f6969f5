#include "commontext/common_text_store.h"

#include "engine/utf8_text.h"
#include "storage/settings_names.h"

namespace quorvel {

void SaveList(SettingsStore& settings, const std::vector<std::string>& rows) {
    std::vector<std::pair<std::string, std::string>> keyValues;
    keyValues.reserve(rows.size() + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        keyValues.emplace_back(std::to_string(i), rows[i]);
    }
    keyValues.emplace_back(settings::CommonTextCountKey, std::to_string(rows.size()));
    settings.SaveSettings(settings::Application, settings::CommonTextSection, keyValues);
}

void GetList(SettingsStore& settings, std::vector<std::string>& rows) {
    // The count is read again before every row, so a count that changes while
    // reading is honoured at once.
    for (std::int32_t i = 0;
         i < commonTextCount(settings.GetSetting(settings::Application,
                                                 settings::CommonTextSection,
                                                 settings::CommonTextCountKey, "0"));
         ++i) {
        rows.push_back(settings.GetSetting(settings::Application, settings::CommonTextSection,
                                           std::to_string(i), ""));
    }
}

std::int32_t commonTextCount(std::string_view stored) {
    stored = trimBlanks(stored);
    bool negative = false;
    if (!stored.empty() && (stored.front() == '-' || stored.front() == '+')) {
        negative = stored.front() == '-';
        stored.remove_prefix(1);
    }
    if (stored.empty()) {
        return 0;
    }
    std::int32_t count = 0;
    for (const char c : stored) {
        if (c < '0' || c > '9') {
            return 0;
        }
        // Saturates, so that any number of digits is safe.
        count = count > MaxCommonTextRows ? count : count * 10 + (c - '0');
    }
    if (negative) {
        return 0;
    }
    return count > MaxCommonTextRows ? MaxCommonTextRows : count;
}

}  // namespace quorvel
