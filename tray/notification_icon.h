#pragma once
// The main window's notification-area icon: added at start-up and by "Minimize",
// removed at exit; a left or right button press on it shows the main window.

#include <functional>

#include "platform/tray_icon.h"

namespace quorvel {

// The icon reports mouse activity as the window's own mouse-move message, the
// mouse message number standing in the horizontal position, in twips.
inline constexpr int TwipsPerPixel = 15;

class NotificationIcon {
  public:
    NotificationIcon(TrayIconService& tray, std::function<void()> showMainWindow);

    // Fills the icon record and asks the platform to add the icon.
    void IconTray();
    // Removes the icon added by IconTray, under the same identity.
    void removeIcon();
    // The main window's mouse-move handler, as the icon's callback reaches it.
    void trayMessage(int xTwips);

    const TrayIconData& record() const { return record_; }

  private:
    TrayIconService& tray_;
    std::function<void()> showMainWindow_;
    TrayIconData record_;
};

// The tip of the icon: the product name and web domain.
std::string trayTip();

}  // namespace quorvel
