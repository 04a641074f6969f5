#pragma once
// The notification-area icon.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What the program hands to the platform for its icon.
struct TrayIconData {
    std::uint32_t size = 88;
    std::uintptr_t window = 0;
    std::uintptr_t iconId = 0;
    std::uint32_t flags = 7;  // callback message, icon and tip are valid
    std::uint32_t callbackMessage = 0x200;
    std::uintptr_t icon = 0;
    std::string tip;
};

// One line of the icon's menu.
struct TrayMenuEntry {
    std::string caption;
    bool checked = false;
};

class TrayIconService {
  public:
    virtual ~TrayIconService() = default;
    virtual bool add(const TrayIconData& data) = 0;
    // Changes the picture and the tip of the icon of the same identity.
    virtual bool modify(const TrayIconData& data) = 0;
    virtual bool remove(const TrayIconData& data) = 0;
    // Shows the menu at the mouse pointer and waits for the user: the index of
    // the entry chosen, or nothing when the menu was dismissed.
    virtual std::optional<std::size_t> chooseFromMenu(
        const std::vector<TrayMenuEntry>& entries) = 0;
    // A notification balloon from the icon added with `data`.
    virtual bool showBalloon(const TrayIconData& data, std::string_view title,
                             std::string_view text) = 0;
    // The main window's handle and icon, as the icon record names them.
    virtual std::uintptr_t mainWindowHandle() = 0;
    virtual std::uintptr_t mainWindowIcon() = 0;
    // The same picture, greyed: the icon while expansion is paused.
    virtual std::uintptr_t pausedIcon() = 0;
};

}  // namespace quorvel
