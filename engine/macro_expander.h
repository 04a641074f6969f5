#pragma once
// Expansion of the macros in a shortcut text at sending time: "%(date)%",
// "%(longdate)%", "%(time)%", "%(now)%", "%(clipboard text)%" and "%(run=...)%".

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace quorvel {

struct MacroExpansion {
    enum class Kind {
        Text,      // `value` is the expanded text
        Launch,    // `value` is the command line of a run macro; nothing is to be typed
        Unclosed,  // a "%(" without ")%" after it; nothing is to be typed
        ClipboardUnreadable,  // a clipboard macro met a clipboard that could not be read
    };
    Kind kind = Kind::Text;
    std::string value;
};

// At most this many macros are expanded in one text; markers left after that stay.
inline constexpr int MaxMacroExpansions = 1001;

// `readClipboard` is asked afresh for each clipboard macro; nothing means the
// clipboard could not be read, which ends the expansion: typing the text without
// the clipboard's part would be typing something else.
MacroExpansion expandMacros(std::string_view text, const DateTime& now,
                            const std::function<std::optional<std::string>()>& readClipboard,
                            const Locale& locale);

}  // namespace quorvel
