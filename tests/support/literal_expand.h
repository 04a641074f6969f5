#pragma once
// Macro expansion done the slow, obvious way: each pass takes the first "%(" of
// the whole text and the first ")%" after it, and rebuilds the whole text. A
// mark beside each byte tells the clipboard's text apart, and no marker is made
// of a marked byte. The expander must give exactly its outcome, whatever the
// macros' values hold.

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/macro_expander.h"
#include "platform/clock.h"
#include "text/utf8_text.h"

namespace quorvel::testing {

// Date and time forms as given, so that a value can hold marker pieces and join
// with its neighbours.
struct GivenLocale final : Locale {
    std::string date, time, month;
    std::string shortDate(const DateTime&) const override { return date; }
    std::string longTime(const DateTime&) const override { return time; }
    std::string monthName(int) const override { return month; }
};

// Hands out the given values in turn, over and over, and counts the reads.
struct ScriptedClipboard {
    std::vector<std::optional<std::string>> values;
    int reads = 0;

    std::function<std::optional<std::string>()> reader() {
        return [this]() -> std::optional<std::string> {
            const auto index = static_cast<std::size_t>(reads++);
            return values.empty() ? std::nullopt : values[index % values.size()];
        };
    }
};

inline MacroExpansion literalExpand(
    std::string text, const DateTime& now,
    const std::function<std::optional<std::string>()>& readClipboard, const Locale& locale) {
    using Kind = MacroExpansion::Kind;
    std::string fromClipboard(text.size(), '-');  // 'c' beside each byte of clipboard text
    auto findUnmarked = [&](std::string_view pair, std::size_t from) {
        for (std::size_t at = text.find(pair, from); at != std::string::npos;
             at = text.find(pair, at + 1)) {
            if (fromClipboard.compare(at, 2, "--") == 0) {
                return at;
            }
        }
        return std::string::npos;
    };
    for (int expansions = 0; expansions < MaxMacroExpansions; ++expansions) {
        const std::size_t open = findUnmarked("%(", 0);
        if (open == std::string::npos) {
            break;
        }
        const std::size_t close = findUnmarked(")%", open + 2);
        if (close == std::string::npos) {
            return {Kind::Unclosed, {}, {}, {}};
        }
        const std::string name = text.substr(open + 2, close - open - 2);
        const std::string lowered = lowerCase(name);
        std::string value;
        char valueMark = '-';
        if (lowered == "now") {
            value = locale.shortDate(now) + " " + locale.longTime(now);
        } else if (lowered == "date") {
            value = locale.shortDate(now);
        } else if (lowered == "longdate") {
            const std::string year = std::to_string(now.year);
            value = locale.monthName(now.month) + " " + std::to_string(now.day) + ", " +
                    std::string(year.size() < 4 ? 4 - year.size() : 0, '0') + year;
        } else if (lowered == "time") {
            value = locale.longTime(now);
        } else if (lowered == "clipboard text") {
            const auto clipboard = readClipboard ? readClipboard() : std::string();
            if (!clipboard) {
                return {Kind::ClipboardUnreadable, {}, {}, {}};
            }
            value = *clipboard;
            valueMark = 'c';
        } else if (lowered.starts_with("run=")) {
            return {Kind::Launch, name.substr(4), {}, {}};
        } else {
            value = name;
            valueMark = 0;
        }
        // An unknown name keeps its bytes, and their marks; a value has its own.
        const std::string valueMarks = valueMark == 0 ? fromClipboard.substr(open + 2, name.size())
                                                      : std::string(value.size(), valueMark);
        text.replace(open, close + 2 - open, value);
        fromClipboard.replace(open, close + 2 - open, valueMarks);
    }
    MacroExpansion result{Kind::Text, text, {}, {}};
    for (std::size_t at = fromClipboard.find('c'); at != std::string::npos;) {
        const std::size_t end = std::min(fromClipboard.find('-', at), text.size());
        result.clipboardSpans.push_back({at, end});
        at = fromClipboard.find('c', end);
    }
    return result;
}

}  // namespace quorvel::testing
