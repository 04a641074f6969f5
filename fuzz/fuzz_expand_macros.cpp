// Macro expansion against the literal one of the unit tests, with dates, times,
// month names and clipboard texts taken from the input.

#include <algorithm>
#include <optional>
#include <string>

#include "engine/macro_expander.h"
#include "fuzz_check.h"
#include "support/literal_expand.h"
#include "text/utf8.h"

namespace {

using namespace quorvel;

// Date and time forms taken from the input, so that values can hold markers.
class InputLocale final : public Locale {
  public:
    std::string date, time, month;
    std::string shortDate(const DateTime&) const override { return date; }
    std::string longTime(const DateTime&) const override { return time; }
    std::string monthName(int) const override { return month; }
};

}  // namespace

// Input: four length bytes (clipboard, 255 meaning it cannot be read; date, time
// and month name, each up to 15), those parts in order, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    std::string_view input = fuzzText(data, size);
    const bool clipboardReadable = data[0] != 255;
    const std::size_t lengths[] = {clipboardReadable ? data[0] : 0u, data[1] % 16u, data[2] % 16u,
                                   data[3] % 16u};
    input.remove_prefix(4);
    std::string parts[4];
    for (int i = 0; i < 4; ++i) {
        const std::size_t length = lengths[i] < input.size() ? lengths[i] : input.size();
        parts[i] = std::string(input.substr(0, length));
        input.remove_prefix(length);
    }

    const std::optional<std::string> clipboard =
        clipboardReadable ? std::optional(parts[0]) : std::nullopt;
    InputLocale locale;
    locale.date = parts[1];
    locale.time = parts[2];
    locale.month = parts[3];
    const DateTime now{2026, 12, 6, 8, 35, 46};

    int reads = 0;
    const auto got = expandMacros(
        input, now,
        [&]() {
            ++reads;
            return clipboard;
        },
        locale);
    const MacroExpansion want = testing::literalExpand(
        std::string(input), now, [&] { return clipboard; }, locale);
    FUZZ_CHECK(got.kind == want.kind);
    FUZZ_CHECK(got.value == want.value);
    FUZZ_CHECK(got.clipboardSpans == want.clipboardSpans);
    FUZZ_CHECK(reads <= MaxMacroExpansions);
    // A marker is never found inside a character: UTF-8 in, UTF-8 out.
    const bool allValid = utf8::isValid(input) && std::ranges::all_of(parts, [](const auto& part) {
                              return utf8::isValid(part);
                          });
    FUZZ_CHECK(!allValid || utf8::isValid(got.value));
    return 0;
}
