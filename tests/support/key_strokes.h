#pragma once
// Key strokes written briefly: ch('a', "S") is Shift+a, vk(13) is Enter. The
// modifiers are letters: "S" Shift, "C" Ctrl, "A" Alt.

#include <cstdint>
#include <string_view>

#include "engine/send_keys_notation.h"

namespace quorvel::testing {

inline KeyStroke held(KeyStroke stroke, std::string_view modifiers) {
    stroke.shift = modifiers.find('S') != std::string_view::npos;
    stroke.ctrl = modifiers.find('C') != std::string_view::npos;
    stroke.alt = modifiers.find('A') != std::string_view::npos;
    return stroke;
}

inline KeyStroke ch(char32_t c, std::string_view modifiers = "") {
    return held({.kind = KeyStroke::Kind::Character, .character = c}, modifiers);
}

inline KeyStroke vk(int virtualKey, std::string_view modifiers = "") {
    return held(
        {.kind = KeyStroke::Kind::VirtualKey, .virtualKey = static_cast<std::uint8_t>(virtualKey)},
        modifiers);
}

}  // namespace quorvel::testing
