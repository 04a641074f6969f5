// Macro expansion against the literal one (tests/support/literal_expand.h), with
// dates, times, month names and clipboard texts taken from the input.

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "engine/macro_expander.h"
#include "fuzz_check.h"
#include "support/literal_expand.h"
#include "text/utf8.h"

using namespace quorvel;

// Input: four length bytes (clipboard, 255 meaning it cannot be read; date, time
// and month name, each up to 15), those parts in order, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    std::string_view input = fuzzText(data, size).substr(4);
    const bool clipboardReadable = data[0] != 255;
    const std::string_view clipboardText = cutFront(input, clipboardReadable ? data[0] : 0u);
    // Date and time forms from the input, so that values can hold markers.
    testing::GivenLocale locale;
    locale.date = cutFront(input, data[1] % 16u);
    locale.time = cutFront(input, data[2] % 16u);
    locale.month = cutFront(input, data[3] % 16u);
    const auto clipboard =
        clipboardReadable ? std::optional<std::string>(clipboardText) : std::nullopt;
    const DateTime now{2026, 12, 6, 8, 35, 46};

    testing::ScriptedClipboard fast{{clipboard}};
    testing::ScriptedClipboard slow{{clipboard}};
    const MacroExpansion got = expandMacros(input, now, fast.reader(), locale);
    const MacroExpansion want =
        testing::literalExpand(std::string(input), now, slow.reader(), locale);
    FUZZ_CHECK(got.kind == want.kind && got.value == want.value &&
               got.clipboardSpans == want.clipboardSpans && fast.reads == slow.reads);
    // Approval holds every text whose expansion starts a program, whatever the
    // clipboard holds, for dates and times as the user's forms make them: never
    // empty, and with no marker or letter of "run=" to lend one.
    const bool plainForms = std::ranges::none_of(
        std::array<std::string_view, 3>{locale.date, locale.time, locale.month},
        [](std::string_view value) {
            return value.empty() || value.find_first_of("%()=rRuUnN") != std::string_view::npos;
        });
    FUZZ_CHECK(got.kind != MacroExpansion::Kind::Launch || mayStartProgram(input) || !plainForms);
    // The macros' values lie in order inside the text, apart from the clipboard's,
    // and the case a trigger gives the rest breaks no notation.
    std::size_t end = 0;
    for (const TextSpan& span : got.macroSpans) {
        FUZZ_CHECK(end <= span.begin && span.begin < span.end && span.end <= got.value.size());
        FUZZ_CHECK(std::ranges::none_of(got.clipboardSpans, [&](const TextSpan& clip) {
            return clip.begin < span.end && span.begin < clip.end;
        }));
        end = span.end;
    }
    if (got.kind == MacroExpansion::Kind::Text) {
        FUZZ_CHECK(keystrokesOf(got).has_value() ==
                   keystrokesOf(got, TextCase::AllCapitals).has_value());
    }
    // However the text nests its macros, the clipboard is read a bounded number of times.
    FUZZ_CHECK(fast.reads <= MaxMacroExpansions);
    // A marker is never found inside a character: UTF-8 in, UTF-8 out.
    const std::array<std::string_view, 5> parts{input, clipboardText, locale.date, locale.time,
                                                locale.month};
    FUZZ_CHECK(!std::ranges::all_of(parts, utf8::isValid) || utf8::isValid(got.value));
    return 0;
}
