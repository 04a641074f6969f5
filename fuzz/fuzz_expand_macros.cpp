// Macro expansion against a plain reference: every pass takes the first "%("
// of the whole text and the first ")%" after it, and rewrites the text. The
// expander must give the same outcome, whatever the values of the macros hold.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/macro_expander.h"
#include "engine/utf8_text.h"
#include "fuzz_check.h"
#include "platform/utf8.h"

namespace {

using namespace quorvel;
using Kind = MacroExpansion::Kind;

// The expander refuses to grow a text past this size; kept in step with it.
constexpr std::size_t GrowthLimit = std::size_t{4} << 20;

// Date and time forms taken from the input, so that values can hold markers.
class InputLocale final : public Locale {
  public:
    std::string date, time, month;
    std::string shortDate(const DateTime&) const override { return date; }
    std::string longTime(const DateTime&) const override { return time; }
    std::string monthName(int) const override { return month; }
};

std::string longDate(const DateTime& now, const Locale& locale) {
    return locale.monthName(now.month) + " " + std::to_string(now.day) + ", " +
           std::to_string(now.year);
}

MacroExpansion reference(std::string text, const DateTime& now,
                         const std::optional<std::string>& clipboard, const Locale& locale) {
    for (int expansions = 0;;) {
        const std::size_t open = text.find("%(");
        if (open == std::string::npos) {
            return {Kind::Text, text};
        }
        const std::size_t close = text.find(")%", open + 2);
        if (close == std::string::npos) {
            return {Kind::Unclosed, {}};
        }
        const std::string name = text.substr(open + 2, close - open - 2);
        const std::string lowered = lowerCase(name);
        std::optional<std::string> value;
        if (lowered == "now") {
            value = locale.shortDate(now) + " " + locale.longTime(now);
        } else if (lowered == "date") {
            value = locale.shortDate(now);
        } else if (lowered == "longdate") {
            value = longDate(now, locale);
        } else if (lowered == "time") {
            value = locale.longTime(now);
        } else if (lowered == "clipboard text") {
            if (!clipboard) {
                return {Kind::ClipboardUnreadable, {}};
            }
            value = *clipboard;
        } else if (lowered.starts_with("run=")) {
            return {Kind::Launch, name.substr(4)};
        }
        const std::size_t replaced = close + 2 - open;
        if (value && value->size() > replaced &&
            text.size() - replaced + value->size() > GrowthLimit) {
            return {Kind::Text, text};
        }
        text.replace(open, replaced, value ? *value : name);
        if (++expansions >= MaxMacroExpansions) {
            return {Kind::Text, text};
        }
    }
}

}  // namespace

// Input: four length bytes (clipboard, 255 meaning it cannot be read; date, time
// and month name, each up to 15), those parts in order, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    std::string_view input(reinterpret_cast<const char*>(data), size);
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

    std::optional<std::string> clipboard;
    if (clipboardReadable) {
        clipboard = parts[0];
    }
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
    const MacroExpansion want = reference(std::string(input), now, clipboard, locale);
    FUZZ_CHECK(got.kind == want.kind);
    FUZZ_CHECK(got.value == want.value);
    FUZZ_CHECK(reads <= MaxMacroExpansions);
    // A marker is never found inside a character: UTF-8 in, UTF-8 out.
    const bool allValid = utf8::isValid(input) && utf8::isValid(parts[0]) &&
                          utf8::isValid(parts[1]) && utf8::isValid(parts[2]) &&
                          utf8::isValid(parts[3]);
    FUZZ_CHECK(!allValid || utf8::isValid(got.value));
    return 0;
}
