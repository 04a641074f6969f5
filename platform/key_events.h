#pragma once
// The key events that type a send's strokes on the target's keyboard layout.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/key_strokes.h"
#include "platform/keyboard_layout.h"

namespace quorvel {

struct KeyEvent {
    std::uint8_t virtualKey = 0;  // vk::Packet for a character typed as itself...
    char16_t character = 0;       // ...which is this UTF-16 unit
    bool release = false;
    bool operator==(const KeyEvent&) const = default;
};

// Modifier keys the user still holds are let go first; the modifiers the
// strokes hold go down around each key, with those the layout needs for it. A
// character goes as its key, or as itself where the layout lacks it, has it
// behind AltGr or on a dead key. With Caps Lock on, a key types what it types
// with Caps Lock off.
std::vector<KeyEvent> keyEventsFor(std::span<const KeyStroke> strokes, const KeyboardLayout& layout,
                                   std::span<const std::uint8_t> heldModifiers, bool capsLock);

}  // namespace quorvel
