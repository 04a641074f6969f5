#pragma once
// Which key events the trigger matcher sees, and which of them can launch a
// shortcut.

#include <cstdint>

#include "platform/virtual_keys.h"

namespace quorvel {

// Key-down events of ordinary keys (with or without Alt) and releases of extended
// keys; never an injected event.
inline bool reachesMatcher(std::uint32_t flags, int keyCode) {
    // Up to the codes past the punctuation keys, which no layout uses for text.
    constexpr int HighestKey = 0xC6;
    return (flags == 0x00 || flags == 0x20 || flags == 0x81) && keyCode >= vk::Tab &&
           keyCode <= HighestKey;
}

// F1 to F12, the keys that have names of their own in a trigger.
inline bool isFunctionKey(int keyCode) {
    return keyCode >= vk::F1 && keyCode <= vk::F12;
}

// Function keys, and the modifier and punctuation codes from the left Ctrl up, launch
// entries of any mode.
inline bool launchesAnyMode(int keyCode) {
    return isFunctionKey(keyCode) || keyCode >= vk::LCtrl;
}

// Those, and Tab, Space and Esc. Letters and digits only ever add to the typed word.
inline bool canLaunch(int keyCode) {
    return keyCode == vk::Tab || keyCode == vk::Esc || keyCode == vk::Space ||
           launchesAnyMode(keyCode);
}

}  // namespace quorvel
