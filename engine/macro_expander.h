#pragma once
// Expansion of the macros in a shortcut text at sending time: "%(date)%",
// "%(longdate)%", "%(time)%", "%(now)%", "%(clipboard text)%" and "%(run=...)%".

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/key_strokes.h"

namespace quorvel {

// Bytes [begin, end) of a text.
struct TextSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool operator==(const TextSpan&) const = default;
};

struct MacroExpansion {
    enum class Kind {
        Text,                 // `value` is the expanded text
        Launch,               // `value` is the command line of a run macro; nothing is to be typed
        Unclosed,             // a "%(" without ")%" after it; nothing is to be typed
        ClipboardUnreadable,  // a clipboard macro met a clipboard that could not be read
    };
    Kind kind = Kind::Text;
    std::string value;
    // Where `value` holds the clipboard's text, in order, none empty and no two
    // touching. That text is data: it was not searched for macros, and it is
    // typed as it stands, never read as key notation.
    std::vector<TextSpan> clipboardSpans;
};

// At most this many macros are expanded in one text; markers left after that stay.
inline constexpr int MaxMacroExpansions = 1001;

// `readClipboard` is asked afresh for each clipboard macro; nothing means the
// clipboard could not be read, which ends the expansion: typing the text without
// the clipboard's part would be typing something else.
MacroExpansion expandMacros(std::string_view text, const DateTime& now,
                            const std::function<std::optional<std::string>()>& readClipboard,
                            const Locale& locale);

// The strokes of the expanded text on the keystroke path: the shortcut's own
// text read as notation, less its line feeds (each CR LF of an entry types one
// Enter); the clipboard's text typed exactly as its characters. Nothing when the
// own text breaks the notation.
std::optional<std::vector<KeyStroke>> keystrokesOf(const MacroExpansion& expansion);

}  // namespace quorvel
