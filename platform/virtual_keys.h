#pragma once
// Virtual-key codes, as the platform numbers its keys, and the modifier keys.

#include <array>
#include <cstdint>
#include <optional>

namespace quorvel {

namespace vk {
inline constexpr std::uint8_t Break = 0x03, Backspace = 0x08, Tab = 0x09, Enter = 0x0D;
inline constexpr std::uint8_t Shift = 0x10, Ctrl = 0x11, Alt = 0x12, CapsLock = 0x14;
inline constexpr std::uint8_t Esc = 0x1B, Space = 0x20, PageUp = 0x21, PageDown = 0x22;
inline constexpr std::uint8_t End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27;
inline constexpr std::uint8_t Down = 0x28, PrintScreen = 0x2C, Insert = 0x2D, Delete = 0x2E;
inline constexpr std::uint8_t Help = 0x2F, LWin = 0x5B, RWin = 0x5C, Apps = 0x5D;
inline constexpr std::uint8_t Multiply = 0x6A, Add = 0x6B, Subtract = 0x6D, Divide = 0x6F;
inline constexpr std::uint8_t F1 = 0x70, F8 = 0x77, F9 = 0x78, F12 = 0x7B, F16 = 0x7F;
inline constexpr std::uint8_t NumLock = 0x90, ScrollLock = 0x91;
inline constexpr std::uint8_t LShift = 0xA0, RShift = 0xA1, LCtrl = 0xA2, RCtrl = 0xA3;
inline constexpr std::uint8_t LAlt = 0xA4, RAlt = 0xA5;
// The punctuation keys of the main block on a US layout: ";" "=" "," "-" "." "/" "`"
// and "[" "\" "]" "'".
inline constexpr std::uint8_t Semicolon = 0xBA, Equals = 0xBB, Comma = 0xBC, Minus = 0xBD;
inline constexpr std::uint8_t Period = 0xBE, Slash = 0xBF, Backquote = 0xC0;
inline constexpr std::uint8_t OpenBracket = 0xDB, Backslash = 0xDC, CloseBracket = 0xDD;
inline constexpr std::uint8_t Quote = 0xDE;
// A character typed as itself: its scan code is the character.
inline constexpr std::uint8_t Packet = 0xE7;
// A code no key is assigned to and no program acts on. Pressed and released
// while Alt or a Windows key is down, it keeps that key's release from being a
// lone tap, which would open the target's menu bar or the Start menu.
inline constexpr std::uint8_t Unassigned = 0xE8;
}  // namespace vk

// The keys whose scan code comes with the extended prefix: the hook sees them
// flagged extended, and an injected one must be flagged so, or Windows takes
// Delete for the numeric pad's "." and the right Ctrl for the left one. Print
// Screen is one of them.
constexpr bool isExtendedKey(std::uint32_t virtualKey) {
    switch (virtualKey) {
        case vk::PageUp:
        case vk::PageDown:
        case vk::End:
        case vk::Home:
        case vk::Left:
        case vk::Up:
        case vk::Right:
        case vk::Down:
        case vk::PrintScreen:
        case vk::Insert:
        case vk::Delete:
        case vk::LWin:
        case vk::RWin:
        case vk::Apps:
        case vk::Divide:
        case vk::NumLock:
        case vk::RCtrl:
        case vk::RAlt:
            return true;
        default:
            return false;
    }
}

enum class Modifier : std::uint8_t { Shift, Ctrl, Alt, Win };

struct ModifierKey {
    std::uint8_t virtualKey;
    Modifier modifier;
    bool extended;  // the right-hand Ctrl and Alt and the Windows keys
};

// Every modifier key, left and right.
inline constexpr std::array<ModifierKey, 8> ModifierKeys = {{
    {vk::LShift, Modifier::Shift, isExtendedKey(vk::LShift)},
    {vk::RShift, Modifier::Shift, isExtendedKey(vk::RShift)},
    {vk::LCtrl, Modifier::Ctrl, isExtendedKey(vk::LCtrl)},
    {vk::RCtrl, Modifier::Ctrl, isExtendedKey(vk::RCtrl)},
    {vk::LAlt, Modifier::Alt, isExtendedKey(vk::LAlt)},
    {vk::RAlt, Modifier::Alt, isExtendedKey(vk::RAlt)},
    {vk::LWin, Modifier::Win, isExtendedKey(vk::LWin)},
    {vk::RWin, Modifier::Win, isExtendedKey(vk::RWin)},
}};

constexpr std::optional<ModifierKey> modifierKey(std::uint32_t virtualKey) {
    for (const ModifierKey& key : ModifierKeys) {
        if (key.virtualKey == virtualKey) {
            return key;
        }
    }
    return std::nullopt;
}

// The left-hand key of a modifier, the one a send presses.
constexpr std::uint8_t leftKey(Modifier modifier) {
    switch (modifier) {
        case Modifier::Shift:
            return vk::LShift;
        case Modifier::Ctrl:
            return vk::LCtrl;
        case Modifier::Alt:
            return vk::LAlt;
        case Modifier::Win:
            break;
    }
    return vk::LWin;
}

}  // namespace quorvel
