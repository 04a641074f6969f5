#pragma once
// Taking back the last expansion with Backspace: what the engine keeps of a send
// once it has ended, and the rules that say how much a Backspace may erase.
// Quorvel erases only what it knows it typed.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/key_strokes.h"

namespace quorvel {

struct UndoChance {
    // What the send put in: characters, each line break as "\n".
    std::string text;
    // What the user had typed for the trigger (and the launch key, when it types
    // a character), as the same keys with the same Shift, so the target shows
    // them as it did: their case, their layout.
    std::vector<KeyStroke> typedKeys;
    bool pasted = false;
    // Where and when the send ended.
    std::uint64_t focusChanges = 0;
    std::uint64_t endedAt = 0;  // clock milliseconds
};

// How long after its send a Backspace may take it back.
inline constexpr std::uint64_t UndoMilliseconds = 5000;

// Characters that common autocorrect replaces or joins with others (quotes,
// dashes, ellipses, emoticons, arrows, fractions, "(c)"): a text holding one is
// taken back only where the control's text can be read.
inline constexpr std::string_view AutocorrectedCharacters = "'\"-.:;()<>=/*_^~";

// The text the strokes type, line breaks as "\n" and tabs as "\t"; nothing when a
// stroke is any other key or a modifier, or a character beyond U+FFFF (some
// controls erase it with one Backspace, some with two).
std::optional<std::string> sentCharacters(std::span<const KeyStroke> strokes);

// Whether the text may be taken back where the control's text cannot be read: one
// line, no tab, no character autocorrect changes.
bool undoableUnread(std::string_view text, bool pasted);

// How many Backspaces take the text back: only where the text before the caret
// (when it can be read, with its line breaks in any form) ends with exactly what
// was sent, or where it cannot be read, only a text undoableUnread allows.
std::optional<std::size_t> undoErasures(const UndoChance& chance,
                                        const std::optional<std::string>& beforeCaret);

}  // namespace quorvel
