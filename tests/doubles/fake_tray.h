#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/tray_icon.h"

namespace quorvel {

// The notification area: icons by their (window, identifier) identity. Its menu
// records what it showed and answers with the choice a test set.
class FakeTray final : public TrayIconService {
  public:
    bool add(const TrayIconData& data) override {
        if (find(data) == nullptr) {
            icons.push_back(data);
        }
        return true;
    }
    bool modify(const TrayIconData& data) override {
        TrayIconData* icon = find(data);
        if (icon == nullptr) {
            return false;
        }
        *icon = data;
        return true;
    }
    bool remove(const TrayIconData& data) override {
        std::erase_if(icons, [&](const TrayIconData& icon) { return sameIdentity(icon, data); });
        return true;
    }
    std::optional<std::size_t> chooseFromMenu(const std::vector<TrayMenuEntry>& entries) override {
        menusShown.push_back(entries);
        return menuChoice;
    }
    bool showBalloon(const TrayIconData& data, std::string_view title,
                     std::string_view text) override {
        if (find(data) == nullptr) {
            return false;
        }
        balloons.push_back({std::string(title), std::string(text)});
        return true;
    }
    std::uintptr_t mainWindowHandle() override { return 0x1234; }
    std::uintptr_t mainWindowIcon() override { return 0x77; }
    std::uintptr_t pausedIcon() override { return 0x78; }

    std::vector<TrayIconData> icons;
    std::vector<std::vector<TrayMenuEntry>> menusShown;
    std::optional<std::size_t> menuChoice;
    struct Balloon {
        std::string title;
        std::string text;
    };
    std::vector<Balloon> balloons;

  private:
    static bool sameIdentity(const TrayIconData& a, const TrayIconData& b) {
        return a.window == b.window && a.iconId == b.iconId;
    }
    TrayIconData* find(const TrayIconData& data) {
        for (auto& icon : icons) {
            if (sameIdentity(icon, data)) {
                return &icon;
            }
        }
        return nullptr;
    }
};

}  // namespace quorvel
