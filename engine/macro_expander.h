#pragma once
// Expansion of the macros in a shortcut text at sending time: "%(date)%",
// "%(longdate)%", "%(time)%", "%(now)%", "%(clipboard text)%" and "%(run=...)%".

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/send_keys_notation.h"
#include "platform/clock.h"
#include "platform/key_strokes.h"
#include "text/case_mapping.h"

namespace quorvel {

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
    // Where `value` holds the value of a date or time macro, in order: not the
    // shortcut's own characters, so they keep their case.
    std::vector<TextSpan> macroSpans;
};

// At most this many macros are expanded in one text; markers left after that stay.
inline constexpr int MaxMacroExpansions = 1001;

// Whether the text's expansion starts a program, whatever the clipboard holds,
// with date and time values that hold no marker and no letter.
bool mayStartProgram(std::string_view text);

// The command line the text's run macro starts (the expansion's, the clipboard
// taken as empty: its text is never searched for macros); nothing when the
// expansion starts no program.
std::optional<std::string> programOf(std::string_view text, const DateTime& now,
                                     const Locale& locale);

// `readClipboard` is asked afresh for each clipboard macro; nothing means the
// clipboard could not be read, which ends the expansion: typing the text without
// the clipboard's part would be typing something else.
MacroExpansion expandMacros(std::string_view text, const DateTime& now,
                            const std::function<std::optional<std::string>()>& readClipboard,
                            const Locale& locale);

// The strokes of the expanded text on the keystroke path: the shortcut's own
// text read as notation, less its line feeds (each CR LF of an entry types one
// Enter); the clipboard's text typed exactly as its characters. Nothing when the
// own text breaks the notation. The own text's characters take `textCase`.
std::optional<std::vector<KeyStroke>> keystrokesOf(const MacroExpansion& expansion,
                                                   TextCase textCase = TextCase::AsStored);

// The expanded text as it stands (what a paste puts in), its own characters in
// `textCase`: every character outside the clipboard's text and the macros'
// values, notation included.
std::string literalText(const MacroExpansion& expansion, TextCase textCase);

}  // namespace quorvel
