#pragma once
// The modifiers the matcher records for the key that comes next: one of
// Shift, Ctrl, Alt, or the pairs Ctrl+Shift and Ctrl+Alt.

#include <string_view>

namespace quorvel {

struct ModifierSet {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;

    constexpr bool empty() const { return !shift && !ctrl && !alt; }
    constexpr bool operator==(const ModifierSet&) const = default;
};

namespace modifiers {
inline constexpr ModifierSet None{};
inline constexpr ModifierSet Shift{.shift = true};
inline constexpr ModifierSet Ctrl{.ctrl = true};
inline constexpr ModifierSet CtrlShift{.shift = true, .ctrl = true};
inline constexpr ModifierSet Alt{.alt = true};
inline constexpr ModifierSet CtrlAlt{.ctrl = true, .alt = true};
}  // namespace modifiers

// "Ctrl+Shift", "Alt", "None"...: for the user and for tests, never a key typed.
constexpr std::string_view nameOf(ModifierSet set) {
    if (set == modifiers::None)
        return "None";
    if (set == modifiers::Shift)
        return "Shift";
    if (set == modifiers::Ctrl)
        return "Ctrl";
    if (set == modifiers::CtrlShift)
        return "Ctrl+Shift";
    if (set == modifiers::Alt)
        return "Alt";
    if (set == modifiers::CtrlAlt)
        return "Ctrl+Alt";
    return set.alt ? "Shift+Alt" : "Ctrl+Shift+Alt";
}

}  // namespace quorvel
