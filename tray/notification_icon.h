#pragma once
// The main window's notification-area icon: added at start-up and by "Minimize",
// removed at exit. A left button press on it shows the main window; a right
// click opens its menu: "Show Quorvel", "Pause Expansion" and "Exit".

#include <functional>
#include <optional>
#include <set>
#include <string>

#include "engine/program_approval.h"
#include "platform/tray_icon.h"

namespace quorvel {

// The icon reports mouse activity as the window's own mouse-move message, the
// mouse message number standing in the horizontal position, in twips.
inline constexpr int TwipsPerPixel = 15;

class NotificationIcon {
  public:
    // What the icon's menu runs.
    struct Commands {
        std::function<void()> showMainWindow;
        std::function<void()> togglePause;
        std::function<void()> exitProgram;
        // A click on a balloon about held programs: the entry it named, or
        // empty when it told of several.
        std::function<void(const std::string& entryLine)> reviewHeldProgram;
    };

    NotificationIcon(TrayIconService& tray, Commands commands);

    // Fills the icon record and asks the platform to add the icon.
    void addIcon();
    // Removes the icon added by addIcon, under the same identity.
    void removeIcon();
    // The main window's mouse-move handler, as the icon's callback reaches it.
    void trayMessage(int xTwips);
    // Gives the icon its paused look and tip, or its usual ones back.
    void showPaused(bool paused);
    // Tells the user, once per program in a run, that a trigger typed in
    // `program` (a file name; empty when unknown) could not be expanded because the
    // program runs as administrator.
    void tellCannotType(const std::string& program);
    // Tells the user that Boost typed a text instead of pasting it: what they had
    // on the clipboard was too large to give back after a paste.
    void tellClipboardTooLarge();
    // Tells the user that a trigger whose text holds the clipboard's text was left
    // as typed: the clipboard could not be read.
    void tellClipboardUnreadable(const std::string& trigger);
    void tellProgramFromDateOrTime(const std::string& trigger);

    // Tells the user, once per entry in a run, that its trigger started nothing:
    // the program it names has not been approved. The command line is shown
    // whole, or not at all when the balloon cannot hold it or could show it only
    // with marks for line breaks and tabs. A click on the balloon opens the
    // entry for approval.
    void tellProgramHeld(const HeldProgram& held);

    // Tells how many entries that start programs arrived from outside and wait
    // for the user's approval.
    void tellProgramsWaiting(std::size_t count);

    const TrayIconData& record() const { return record_; }

  private:
    void fillLook();
    bool showBalloon(const std::string& text, std::optional<std::string> entryOnClick = {});
    void openMenu();

    TrayIconService& tray_;
    Commands commands_;
    TrayIconData record_;
    bool paused_ = false;
    std::set<std::string> toldPrograms_;  // lower case
    std::set<std::string> toldHeldEntries_;
    // What a click on the balloon showing now opens; nothing for other balloons.
    std::optional<std::string> balloonEntry_;
};

// The tip of the icon: the product name and web domain.
std::string trayTip();
// The tip while expansion is paused.
std::string pausedTrayTip();

}  // namespace quorvel
