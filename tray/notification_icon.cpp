#include "tray/notification_icon.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/product_info.h"
#include "text/utf8.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {
constexpr int WmLButtonDown = 0x201;
// The menu opens on the release, as the shell's own icons do.
constexpr int WmRButtonUp = 0x205;
// The balloon went away (closed or timed out), or was clicked.
constexpr int NinBalloonHide = 0x403;
constexpr int NinBalloonTimeout = 0x404;
constexpr int NinBalloonUserClick = 0x405;
// A balloon's text, in UTF-16 units, as the shell's record holds it.
constexpr std::size_t BalloonTextUnits = 255;

enum MenuEntry : std::size_t { ShowEntry, PauseEntry, ExitEntry };
}  // namespace

std::string trayTip() {
    return std::string(product::VersionedName) + " - " + std::string(product::WebDomain);
}

std::string pausedTrayTip() {
    return std::string(product::ApplicationTitle) + " (paused)";
}

NotificationIcon::NotificationIcon(TrayIconService& tray, Commands commands)
    : tray_(tray), commands_(std::move(commands)) {}

void NotificationIcon::addIcon() {
    record_.size = 88;
    record_.window = tray_.mainWindowHandle();
    record_.iconId = tray_.mainWindowIcon();
    record_.flags = 7;
    record_.callbackMessage = 0x200;
    fillLook();
    tray_.add(record_);
}

// The identity stays the usual icon's number while the picture changes.
void NotificationIcon::fillLook() {
    record_.icon = paused_ ? tray_.pausedIcon() : tray_.mainWindowIcon();
    record_.tip = paused_ ? pausedTrayTip() : trayTip();
}

void NotificationIcon::showPaused(bool paused) {
    paused_ = paused;
    if (record_.window == 0) {
        return;  // not added yet: addIcon gives it this look
    }
    fillLook();
    tray_.modify(record_);
}

void NotificationIcon::removeIcon() {
    tray_.remove(record_);
}

void NotificationIcon::trayMessage(int xTwips) {
    const int mouseMessage = xTwips / TwipsPerPixel;
    if (mouseMessage == WmLButtonDown) {
        commands_.showMainWindow();
    } else if (mouseMessage == WmRButtonUp) {
        openMenu();
    } else if (mouseMessage == NinBalloonUserClick && balloonEntry_) {
        commands_.reviewHeldProgram(*std::exchange(balloonEntry_, std::nullopt));
    } else if (mouseMessage == NinBalloonHide || mouseMessage == NinBalloonTimeout) {
        balloonEntry_.reset();
    }
}

bool NotificationIcon::showBalloon(const std::string& text,
                                   std::optional<std::string> entryOnClick) {
    const bool shown = tray_.showBalloon(record_, product::ApplicationTitle, text);
    balloonEntry_ = shown ? std::move(entryOnClick) : std::nullopt;
    return shown;
}

void NotificationIcon::openMenu() {
    const std::vector<TrayMenuEntry> entries{
        {"Show Quorvel", false}, {"Pause Expansion", paused_}, {"Exit", false}};
    switch (tray_.chooseFromMenu(entries).value_or(entries.size())) {
        case ShowEntry:
            commands_.showMainWindow();
            break;
        case PauseEntry:
            commands_.togglePause();
            break;
        case ExitEntry:
            commands_.exitProgram();
            break;
        default:
            break;
    }
}

void NotificationIcon::tellCannotType(const std::string& program) {
    std::string key = lowerCase(program);
    if (toldPrograms_.contains(key)) {
        return;
    }
    const std::string name = program.empty() ? "this program" : program;
    // Told only once it showed: the next trigger there tries again.
    if (showBalloon("Quorvel cannot type into " + name +
                    ": it runs as administrator. To use your shortcuts there, run "
                    "Quorvel as administrator too, or exclude " +
                    name + " from Quorvel.")) {
        toldPrograms_.insert(std::move(key));
    }
}

void NotificationIcon::tellProgramHeld(const HeldProgram& held) {
    if (toldHeldEntries_.contains(held.entryLine)) {
        return;
    }
    const std::string before = "\"" + held.trigger + "\" would start ";
    const std::string after =
        ", which you have not approved, so Quorvel left it as typed. Click here to approve it, "
        "or later in \"Programs Waiting for Approval...\" in the Options menu.";
    std::string text = before + held.commandLine + after;
    // Line breaks and tabs cannot show as themselves in a balloon; the window's
    // box shows them so.
    const bool plain = std::ranges::none_of(
        held.commandLine, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    if (!plain || utf8::toUtf16(text).size() > BalloonTextUnits) {
        text = "\"" + held.trigger +
               "\" would start a program you have not approved, so Quorvel left it as typed. "
               "Click here to see it in full and approve it, or later in \"Programs Waiting for "
               "Approval...\" in the Options menu.";
    }
    if (showBalloon(text, held.entryLine)) {
        toldHeldEntries_.insert(held.entryLine);
    }
}

void NotificationIcon::tellProgramsWaiting(std::size_t count) {
    showBalloon((count == 1 ? std::string("A shortcut that starts a program")
                            : std::to_string(count) + " shortcuts that start programs") +
                    " came from outside Quorvel and will not start " +
                    (count == 1 ? "it" : "them") + " until you approve. Click here to see " +
                    (count == 1 ? "it" : "them") +
                    ", or later in \"Programs Waiting for Approval...\" in the Options menu.",
                std::string{});
}

void NotificationIcon::tellClipboardUnreadable(const std::string& trigger) {
    showBalloon("Quorvel could not read the clipboard for \"" + trigger +
                "\", so it left what you typed as it was. Another program may be holding the "
                "clipboard; try again in a moment.");
}

void NotificationIcon::tellProgramFromDateOrTime(const std::string& trigger) {
    showBalloon("\"" + trigger +
                "\" would start a program named only by way of your date or time format, so "
                "Quorvel left it as typed. Quorvel starts only programs a shortcut names itself.");
}

void NotificationIcon::tellClipboardTooLarge() {
    showBalloon(
        "Your clipboard holds too much for Boost to put back after a paste, so "
        "Quorvel types your shortcuts instead until you copy something smaller.");
}

}  // namespace quorvel
