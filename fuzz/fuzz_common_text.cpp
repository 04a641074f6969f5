// The Common Text list from arbitrary stored settings: reading gives the count
// that commonTextCount allows, up to the last row stored, and the stored rows; saving what was read
// and reading again gives the same list.

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "commontext/common_text_store.h"
#include "fuzz_check.h"
#include "storage/settings_names.h"
#include "support/readback.h"
#include "tests/doubles/fake_settings_store.h"

namespace {

using namespace quorvel;
using namespace quorvel::settings;

constexpr char NoKey = '\x02';
constexpr char OtherKey = '\x03';
constexpr std::int32_t LongestList = 1000;

void store(SettingsStore& settings, std::string_view key, std::string_view value) {
    settings.write({Application, CommonTextSection, key}, value);
}

}  // namespace

// Input: NUL-separated records. The first is the stored count; record i + 1 is
// row i, or no key at all when it starts with 0x02. A record that starts with
// 0x03 stores "key=value" under any key instead.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeSettingsStore settings;
    std::string_view input = fuzzText(data, size);
    store(settings, CommonTextCountKey, cutFront(input, input.find('\0')));
    for (int row = 0; !input.empty();) {
        input.remove_prefix(1);  // the NUL
        std::string_view record = cutFront(input, input.find('\0'));
        if (record.starts_with(OtherKey)) {
            record.remove_prefix(1);
            const std::string_view key = cutFront(record, record.find('='));
            store(settings, key, record.substr(record.empty() ? 0 : 1));
            continue;
        }
        if (!record.starts_with(NoKey)) {
            store(settings, std::to_string(row), record);
        }
        ++row;
    }

    const std::int32_t count =
        commonTextCount(settings.read({Application, CommonTextSection, CommonTextCountKey}, ""));
    FUZZ_CHECK(count >= 0 && count <= MaxCommonTextRows);
    // Tens of thousands of empty rows add no new paths, only time: the unit
    // tests read lists that long.
    if (count > LongestList) {
        return 0;
    }

    // A count past the last stored row, wherever that row is, reads no further
    // than it. Rows are stored under "0", "1", ...: no other name is a row.
    std::int32_t storedEnd = 0;
    for (const std::string& key : settings.keysOf(Application, CommonTextSection)) {
        std::int32_t row = -1;
        std::from_chars(key.data(), key.data() + key.size(), row);
        if (key == std::to_string(row) && row < MaxCommonTextRows) {
            storedEnd = std::max(storedEnd, row + 1);
        }
    }
    std::vector<std::string> expected{"\x02kept\x02"};  // reading appends
    for (std::int32_t row = 0; row < std::min(count, storedEnd); ++row) {
        expected.push_back(
            settings.read({Application, CommonTextSection, std::to_string(row)}, ""));
    }
    TextRows read{expected[0]};
    loadCommonText(settings, read);
    FUZZ_CHECK(testing::rowTexts(read) == expected);

    read.erase(0);
    saveCommonText(settings, read);
    TextRows again;
    loadCommonText(settings, again);
    FUZZ_CHECK(testing::rowTexts(again) == testing::rowTexts(read));
    return 0;
}
