#pragma once
// SendKeys notation: a text in, the key strokes it stands for out.
//
// Ordinary characters, any character of the UTF-8 text, type themselves; a
// carriage return types Enter, a tab types Tab and a line feed types nothing.
// "{name}" types a named key (names compared without regard to case),
// "{name N}" types it N times. "+", "^" and "%" hold Shift, Ctrl and Alt for
// the next key or for a group in parentheses;
// "~" is Enter; any single character in braces ("{+}", "{{}", "{}}", "{ }")
// types that character itself. A byte that is not UTF-8 types U+FFFD.
//
// A modifier goes down just before the keys it holds and up just after them,
// so presses and releases always nest.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/key_strokes.h"

namespace quorvel {

// The highest repeat count "{name N}" may ask for.
inline constexpr int MaxSendKeysRepeat = 10000;

// The strokes of the text in order, or nothing when the text breaks the notation.
// A "{name N}" never yields more than MaxSendKeysRepeat keys.
std::optional<std::vector<KeyStroke>> parseSendKeys(std::string_view notation);

// Notation that types exactly the characters of `text`, for text that is data
// (the clipboard's): each line break (CR LF, a lone LF, a lone CR) types Enter,
// a tab Tab, and every other character goes in braces of its own. Braced one by
// one, no part of it can join with notation around it into a key name, a
// repeat count, a modifier or a group.
std::string literalKeys(std::string_view text);

}  // namespace quorvel
