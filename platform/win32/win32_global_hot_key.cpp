#include "platform/win32/win32_global_hot_key.h"

namespace quorvel {

bool Win32GlobalHotKey::claim(const KeyChord& chord) {
    release();
    // No repeats: a key held down opens the popup once.
    UINT modifiers = MOD_NOREPEAT;
    modifiers |= chord.ctrl ? MOD_CONTROL : 0;
    modifiers |= chord.alt ? MOD_ALT : 0;
    modifiers |= chord.shift ? MOD_SHIFT : 0;
    held_ = ::RegisterHotKey(window_, Id, modifiers, chord.virtualKey) != FALSE;
    return held_;
}

void Win32GlobalHotKey::release() {
    if (held_) {
        ::UnregisterHotKey(window_, Id);
        held_ = false;
    }
}

}  // namespace quorvel
