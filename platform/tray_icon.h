#pragma once
// The notification-area icon.

#include <cstdint>
#include <string>
#include <string_view>

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

class TrayIconService {
  public:
    virtual ~TrayIconService() = default;
    virtual bool add(const TrayIconData& data) = 0;
    virtual bool remove(const TrayIconData& data) = 0;
    // A notification balloon from the icon added with `data`.
    virtual bool showBalloon(const TrayIconData& data, std::string_view title,
                             std::string_view text) = 0;
    // The main window's handle and icon, as the icon record names them.
    virtual std::uintptr_t mainWindowHandle() = 0;
    virtual std::uintptr_t mainWindowIcon() = 0;
};

}  // namespace quorvel
