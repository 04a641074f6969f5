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

// The first, the default, types no character on any layout (Insert has none,
// and without Alt it is no AltGr key) and neither Windows nor the common
// programs act on it. The others are for when another program holds it: AltGr
// is Ctrl+Alt, and AltGr+Space types a no-break space or "_" on a few layouts
// (BEPO, Polish); virtual machines take Ctrl+Alt+Insert for Ctrl+Alt+Del.
inline constexpr std::array<KeyChord, 3> PopupKeyChoices = {{
    {.ctrl = true, .shift = true, .virtualKey = vk::Insert, .name = "Ctrl+Shift+Insert"},
    {.ctrl = true, .alt = true, .virtualKey = vk::Space, .name = "Ctrl+Alt+Space"},
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
