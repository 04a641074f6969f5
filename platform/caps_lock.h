#pragma once
// Typing a character by its key while Caps Lock is on.

#include <functional>

namespace quorvel {

// The character a key types with Shift up or down, with Caps Lock on or off, as
// the keyboard layout says; 0 when it types no single character then.
using KeyCharacters = std::function<char32_t(bool shift, bool capsLock)>;

struct CapsLockStroke {
    bool asCharacter = false;  // the key gives it in neither Shift state: send the character itself
    bool shift = false;        // otherwise, the Shift state to press the key with
    char32_t character = 0;    // the character wanted, when sent as itself
};

// How to press a key, meant with the Shift state given, while Caps Lock is on so
// that it types what it types with Caps Lock off: with Shift turned over where
// Caps Lock changes the key (letters; on some layouts the digit row and others),
// as it is where Caps Lock leaves the key alone.
CapsLockStroke strokeUnderCapsLock(bool shift, const KeyCharacters& characters);

}  // namespace quorvel
