#pragma once
// The notification-area icon through Shell_NotifyIconW.

#include <windows.h>

#include "platform/tray_icon.h"

namespace quorvel {

class Win32Tray final : public TrayIconService {
  public:
    Win32Tray(HWND window, HICON icon, HICON pausedIcon)
        : window_(window), icon_(icon), pausedIcon_(pausedIcon) {}

    bool add(const TrayIconData& data) override;
    bool modify(const TrayIconData& data) override;
    bool remove(const TrayIconData& data) override;
    std::optional<std::size_t> chooseFromMenu(const std::vector<TrayMenuEntry>& entries) override;
    bool showBalloon(const TrayIconData& data, std::string_view title,
                     std::string_view text) override;
    std::uintptr_t mainWindowHandle() override { return reinterpret_cast<std::uintptr_t>(window_); }
    std::uintptr_t mainWindowIcon() override { return reinterpret_cast<std::uintptr_t>(icon_); }
    std::uintptr_t pausedIcon() override { return reinterpret_cast<std::uintptr_t>(pausedIcon_); }

  private:
    HWND window_;
    HICON icon_;
    HICON pausedIcon_;
};

// The record in its first form (a tip of 64 characters), the tip in UTF-16,
// NUL-terminated and the rest of the field filled with blanks.
NOTIFYICONDATAW notifyIconRecord(const TrayIconData& data);

}  // namespace quorvel
