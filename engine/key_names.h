#pragma once
// The text name of a key, as shortcut triggers are written.

#include <cstdint>
#include <string>

namespace quorvel {

// One character for codes 32..111 (the character of that code) and for the
// punctuation keys; "{F1}".."{F12}" for the function keys; empty for the rest.
std::string keyNameOf(std::int16_t keyCode);

// "{Shift}", "{Ctrl}", "{Ctrl}{Shift}" or "{Alt}" for modifier codes 1, 2, 3, 4;
// nothing for 0 and 6 (Ctrl+Alt).
std::string modifierPrefix(std::int16_t modifierState);

// The modifier prefix followed by the function key's name, e.g. "{Ctrl}{F9}".
std::string fullFunctionKeyName(const std::string& functionKeyName, std::int16_t modifierState);

// Whether some key's name, lower-cased as the matcher keeps typed keys, holds
// the (lower-case) character. A trigger holding any other can never be typed.
bool isKeyNameCharacter(char32_t character);

}  // namespace quorvel
