// The Common Text list from arbitrary stored settings: reading gives the count
// that commonTextCount allows, up to the last row stored, and the stored rows; saving what was read
// and reading again gives the same list.

#include <algorithm>
#include <string>
#include <vector>

#include "commontext/common_text_store.h"
#include "fuzz_check.h"
#include "storage/settings_names.h"
#include "tests/doubles/fake_settings_store.h"

namespace {

using namespace quorvel;

constexpr std::string_view NoKey = "\x02";
constexpr char OtherKey = '\x03';
constexpr std::int32_t LongestList = 1000;

void store(SettingsStore& settings, std::string_view key, std::string_view value) {
    settings.SaveSetting(settings::Application, settings::CommonTextSection, key, value);
}

}  // namespace

// Input: NUL-separated records. The first is the stored count; record i + 1 is
// row i, or no key at all when it starts with 0x02. A record that starts with
// 0x03 stores "key=value" under any key instead.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzzText(data, size);
    FakeSettingsStore settings;
    std::vector<std::string> records;
    std::size_t start = 0;
    for (auto end = input.find('\0'); end != std::string_view::npos;
         start = end + 1, end = input.find('\0', start)) {
        records.emplace_back(input.substr(start, end - start));
    }
    records.emplace_back(input.substr(start));
    store(settings, settings::CommonTextCountKey, records[0]);
    int row = 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const std::string_view record = records[i];
        if (!record.empty() && record[0] == OtherKey) {
            const auto equals = record.find('=');
            const std::string_view key =
                record.substr(1, equals == std::string_view::npos ? equals : equals - 1);
            store(settings, key, equals == std::string_view::npos ? "" : record.substr(equals + 1));
            continue;
        }
        if (!record.starts_with(NoKey)) {
            store(settings, std::to_string(row), record);
        }
        ++row;
    }

    const std::string storedCount = settings.GetSetting(
        settings::Application, settings::CommonTextSection, settings::CommonTextCountKey, "0");
    const std::int32_t count = commonTextCount(storedCount);
    FUZZ_CHECK(count >= 0 && count <= MaxCommonTextRows);
    // Tens of thousands of empty rows add no new paths, only time: the unit
    // tests read lists that long.
    if (count > LongestList) {
        return 0;
    }

    // A count past the last stored row, wherever that row is, reads no further
    // than it. Rows are stored under "0", "1", ...: no other name is a row.
    std::int32_t storedEnd = 0;
    for (const std::string& key :
         settings.keysOf(settings::Application, settings::CommonTextSection)) {
        const bool canonical =
            !key.empty() && key.size() <= 5 && (key.size() == 1 || key[0] != '0') &&
            std::ranges::all_of(key, [](char c) { return c >= '0' && c <= '9'; });
        if (canonical && std::stoi(key) < MaxCommonTextRows) {
            storedEnd = std::max(storedEnd, std::stoi(key) + 1);
        }
    }
    const std::int32_t expected = std::min(count, storedEnd);
    TextRows read{"\x02kept\x02"};  // reading appends
    GetList(settings, read);
    FUZZ_CHECK(read.size() == static_cast<std::size_t>(expected) + 1);
    FUZZ_CHECK(read[0] == "\x02kept\x02");
    read.erase(0);
    for (std::size_t i = 0; i < read.size(); ++i) {
        FUZZ_CHECK(read[i] == settings.GetSetting(settings::Application,
                                                  settings::CommonTextSection, std::to_string(i),
                                                  ""));
    }

    SaveList(settings, read);
    TextRows again;
    GetList(settings, again);
    FUZZ_CHECK(again.size() == read.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        FUZZ_CHECK(again[i] == read[i]);
    }
    return 0;
}
