#pragma once
// Macro expansion done the slow, obvious way: each pass takes the first "%(" of
// the whole text and the first ")%" after it, and rebuilds the whole text. The
// expander must give exactly its outcome, whatever the macros' values hold.

#include <functional>
#include <optional>
#include <string>

#include "engine/macro_expander.h"
#include "engine/utf8_text.h"
#include "platform/clock.h"

namespace quorvel::testing {

inline MacroExpansion literalExpand(
    std::string text, const DateTime& now,
    const std::function<std::optional<std::string>()>& readClipboard, const Locale& locale) {
    using Kind = MacroExpansion::Kind;
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
        std::string value = name;
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
                return {Kind::ClipboardUnreadable, {}};
            }
            value = *clipboard;
        } else if (lowered.starts_with("run=")) {
            return {Kind::Launch, name.substr(4)};
        }
        // A text is not grown past 4 MiB.
        const std::size_t replaced = close + 2 - open;
        if (value.size() > replaced &&
            text.size() - replaced + value.size() > (std::size_t{4} << 20)) {
            return {Kind::Text, text};
        }
        text.replace(open, replaced, value);
        if (++expansions >= MaxMacroExpansions) {
            return {Kind::Text, text};
        }
    }
}

}  // namespace quorvel::testing
