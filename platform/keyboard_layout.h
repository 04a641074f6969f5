#pragma once
// What the keyboard layout of the window that takes a send says about its keys.

#include <cstdint>
#include <optional>

namespace quorvel {

class KeyboardLayout {
  public:
    virtual ~KeyboardLayout() = default;

    struct Key {
        std::uint8_t virtualKey = 0;
        bool shift = false, ctrl = false, alt = false;  // held for the character
    };
    // The key that types the character; none when the layout has no key for it.
    virtual std::optional<Key> keyFor(char32_t character) const = 0;
    // The character the key types with Shift and Caps Lock as given; 0 when it
    // types no single character then.
    virtual char32_t characterOf(std::uint8_t virtualKey, bool shift, bool capsLock) const = 0;
    // Whether the key, with Shift as given, is a dead key: it types nothing
    // itself and puts its accent on the next character ("^" then "a" gives "â"
    // on a German layout).
    virtual bool isDeadKey(std::uint8_t virtualKey, bool shift) const = 0;
};

}  // namespace quorvel
