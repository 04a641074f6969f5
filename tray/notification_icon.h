#pragma once
// The main window's notification-area icon: added at start-up and by "Minimize",
// removed at exit; a left or right button press on it shows the main window.

#include <functional>
#include <set>
#include <string>

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
    // Tells the user, once per program in a run, that a trigger typed in
    // `program` (a file name; empty when unknown) could not be expanded because the
    // program runs as administrator.
    void tellCannotType(const std::string& program);

    const TrayIconData& record() const { return record_; }

  private:
    TrayIconService& tray_;
    std::function<void()> showMainWindow_;
    TrayIconData record_;
    std::set<std::string> toldPrograms_;  // lower case
};

// The tip of the icon: the product name and web domain.
std::string trayTip();

}  // namespace quorvel
