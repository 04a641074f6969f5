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
    };
    Kind kind = Kind::Text;
    std::string value;
};

// At most this many macros are expanded in one text; markers left after that stay.
inline constexpr int MaxMacroExpansions = 1001;

// `readClipboard` is asked afresh for each clipboard macro; nothing means the
// clipboard holds no text.
MacroExpansion expandMacros(std::string_view text, const DateTime& now,
                            const std::function<std::optional<std::string>()>& readClipboard,
                            const Locale& locale);

}  // namespace quorvel
