#pragma once
// The popup's hot key: the few keys the user may choose from, and where the
// popup stays closed.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine_options.h"
#include "platform/focus_inspector.h"
#include "platform/global_hot_key.h"
#include "platform/virtual_keys.h"

namespace quorvel {

// No key of these types a character on any common layout (AltGr is Ctrl+Alt, so
// no Ctrl+Alt letter or digit is among them), and neither Windows nor the
// common programs act on them. The first is the default.
inline constexpr std::array<KeyChord, 3> PopupKeyChoices = {{
    {.ctrl = true, .alt = true, .virtualKey = vk::Space, .name = "Ctrl+Alt+Space"},
    {.ctrl = true, .shift = true, .virtualKey = vk::Insert, .name = "Ctrl+Shift+Insert"},
    {.ctrl = true, .alt = true, .virtualKey = vk::Insert, .name = "Ctrl+Alt+Insert"},
}};
inline constexpr std::string_view NoPopupKey = "None";

// The stored choice: a choice's name in any case; empty or unknown is the
// default, "None" no key.
std::optional<KeyChord> popupKeyFromSetting(std::string_view stored);

// Why the popup does not open where the user is, or nothing when it may:
// the places where triggers stay out.
std::optional<std::string> whyPopupStaysOut(const FocusFacts& focus, const EngineOptions& options,
                                            bool acceptsInjectedKeys);

}  // namespace quorvel
