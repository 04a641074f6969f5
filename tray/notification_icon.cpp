#include "tray/notification_icon.h"

#include <string>
#include <utility>

#include "engine/product_info.h"
#include "text/utf8_text.h"

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

void NotificationIcon::tellCannotType(const std::string& program) {
    std::string key = lowerCase(program);
    if (toldPrograms_.contains(key)) {
        return;
    }
    const std::string name = program.empty() ? "this program" : program;
    // Told only once it showed: the next trigger there tries again.
    if (tray_.showBalloon(record_, product::ApplicationTitle,
                          "Quorvel cannot type into " + name +
                              ": it runs as administrator. To use your shortcuts there, run "
                              "Quorvel as administrator too, or exclude " +
                              name + " from Quorvel.")) {
        toldPrograms_.insert(std::move(key));
    }
}

}  // namespace quorvel
