#pragma once
// What a send types: characters, named keys, and modifier presses and releases
// around them.

#include <cstdint>

#include "platform/virtual_keys.h"

namespace quorvel {

struct KeyStroke {
    enum class Kind : std::uint8_t {
        Character,  // a character, typed as the layout allows
        Key,        // a key named by its virtual-key code, pressed and released
        Press,      // a modifier goes down and stays down...
        Release,    // ...until its release
    };
    Kind kind = Kind::Character;
    char32_t character = 0;               // Kind::Character
    std::uint8_t virtualKey = 0;          // Kind::Key
    Modifier modifier = Modifier::Shift;  // Kind::Press and Kind::Release

    static constexpr KeyStroke typed(char32_t c) { return {.character = c}; }
    static constexpr KeyStroke key(std::uint8_t virtualKey) {
        return {.kind = Kind::Key, .virtualKey = virtualKey};
    }
    static constexpr KeyStroke press(Modifier m) { return {.kind = Kind::Press, .modifier = m}; }
    static constexpr KeyStroke release(Modifier m) {
        return {.kind = Kind::Release, .modifier = m};
    }
    bool operator==(const KeyStroke&) const = default;
};

}  // namespace quorvel
