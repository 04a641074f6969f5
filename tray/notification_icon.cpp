#include "tray/notification_icon.h"

#include <string>

#include "engine/product_info.h"

namespace quorvel {

namespace {
constexpr int WmLButtonDown = 0x201;
constexpr int WmRButtonDown = 0x204;
}  // namespace

std::string trayTip() {
    return std::string(product::VersionedName) + " - " + std::string(product::WebDomain);
}

NotificationIcon::NotificationIcon(TrayIconService& tray, std::function<void()> showMainWindow)
    : tray_(tray), showMainWindow_(std::move(showMainWindow)) {}

void NotificationIcon::IconTray() {
    record_.size = 88;
    record_.window = tray_.mainWindowHandle();
    record_.icon = tray_.mainWindowIcon();
    record_.iconId = record_.icon;
    record_.flags = 7;
    record_.callbackMessage = 0x200;
    record_.tip = trayTip();
    tray_.add(record_);
}

void NotificationIcon::removeIcon() {
    tray_.remove(record_);
}

void NotificationIcon::trayMessage(int xTwips) {
    const int mouseMessage = xTwips / TwipsPerPixel;
    if (mouseMessage == WmLButtonDown || mouseMessage == WmRButtonDown) {
        showMainWindow_();
    }
}

}  // namespace quorvel
