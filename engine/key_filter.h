#pragma once
// Which key events the trigger matcher sees, and which of them can launch a
// shortcut.

#include <cstdint>

namespace quorvel {

// Key-down events of ordinary keys (with or without Alt) and releases of extended
// keys; never an injected event.
inline bool reachesMatcher(std::uint32_t flags, int keyCode) {
    return (flags == 0x00 || flags == 0x20 || flags == 0x81) && keyCode >= 9 && keyCode <= 198;
}

// The function keys, and the modifier and punctuation codes from 162 up, launch
// entries of any mode.
inline bool launchesAnyMode(int keyCode) {
    return (keyCode >= 112 && keyCode <= 123) || keyCode >= 162;
}

// Those, and Tab, Space and Esc. Letters and digits only ever add to the typed word.
inline bool canLaunch(int keyCode) {
    return keyCode == 9 || keyCode == 27 || keyCode == 32 || launchesAnyMode(keyCode);
}

}  // namespace quorvel
