#pragma once
// The text name of a key, as shortcut triggers are written.

#include <cstdint>
#include <string>

#include "engine/modifier_set.h"

namespace quorvel {

// One character for codes 32..111 (the character of that code) and for the
// punctuation keys; "{F1}".."{F12}" for the function keys; empty for the rest.
std::string keyNameOf(std::int16_t keyCode);

// "{Shift}", "{Ctrl}", "{Ctrl}{Shift}" or "{Alt}"; nothing for none and for
// Ctrl+Alt.
std::string modifierPrefix(ModifierSet recorded);

// The modifier prefix followed by the function key's name, e.g. "{Ctrl}{F9}".
std::string fullFunctionKeyName(const std::string& functionKeyName, ModifierSet recorded);

// Whether some key's name, lower-cased as the matcher keeps typed keys, holds
// the (lower-case) character. A trigger holding any other can never be typed.
bool isKeyNameCharacter(char32_t character);

}  // namespace quorvel
