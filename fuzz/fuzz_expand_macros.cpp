// Macro expansion against the literal one of the unit tests, with dates, times,
// month names and clipboard texts taken from the input.

#include <algorithm>
#include <array>
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
    std::string_view date, time, month;
    std::string shortDate(const DateTime&) const override { return std::string(date); }
    std::string longTime(const DateTime&) const override { return std::string(time); }
    std::string monthName(int) const override { return std::string(month); }
};

}  // namespace

// Input: four length bytes (clipboard, 255 meaning it cannot be read; date, time
// and month name, each up to 15), those parts in order, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    std::string_view input = fuzzText(data, size).substr(4);
    const bool clipboardReadable = data[0] != 255;
    const std::string_view clipboardText = cutFront(input, clipboardReadable ? data[0] : 0u);
    InputLocale locale;
    locale.date = cutFront(input, data[1] % 16u);
    locale.time = cutFront(input, data[2] % 16u);
    locale.month = cutFront(input, data[3] % 16u);
    const auto clipboard =
        clipboardReadable ? std::optional<std::string>(clipboardText) : std::nullopt;
    const DateTime now{2026, 12, 6, 8, 35, 46};

    const auto readClipboard = [&] { return clipboard; };
    int reads = 0;
    const auto countedRead = [&] {
        ++reads;
        return clipboard;
    };
    const MacroExpansion got = expandMacros(input, now, countedRead, locale);
    const MacroExpansion want =
        testing::literalExpand(std::string(input), now, readClipboard, locale);
    FUZZ_CHECK(got.kind == want.kind && got.value == want.value &&
               got.clipboardSpans == want.clipboardSpans);
    // However the text nests its macros, the clipboard is read a bounded number of times.
    FUZZ_CHECK(reads <= MaxMacroExpansions);
    // A marker is never found inside a character: UTF-8 in, UTF-8 out.
    const std::array parts{input, clipboardText, locale.date, locale.time, locale.month};
    const bool allValid =
        std::ranges::all_of(parts, [](std::string_view part) { return utf8::isValid(part); });
    FUZZ_CHECK(!allValid || utf8::isValid(got.value));
    return 0;
}
