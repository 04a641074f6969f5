#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/tray_icon.h"

namespace quorvel {

// The notification area: icons by their (window, identifier) identity.
class FakeTray final : public TrayIconService {
  public:
    bool add(const TrayIconData& data) override {
        for (const auto& icon : icons) {
            if (icon.window == data.window && icon.iconId == data.iconId) {
                return true;
            }
        }
        icons.push_back(data);
        return true;
    }
    bool remove(const TrayIconData& data) override {
        std::erase_if(icons, [&](const TrayIconData& icon) {
            return icon.window == data.window && icon.iconId == data.iconId;
        });
        return true;
    }
    bool showBalloon(const TrayIconData& data, std::string_view title,
                     std::string_view text) override {
        for (const auto& icon : icons) {
            if (icon.window == data.window && icon.iconId == data.iconId) {
                balloons.push_back({std::string(title), std::string(text)});
                return true;
            }
        }
        return false;
    }
    std::uintptr_t mainWindowHandle() override { return 0x1234; }
    std::uintptr_t mainWindowIcon() override { return 0x77; }

    std::vector<TrayIconData> icons;
    struct Balloon {
        std::string title;
        std::string text;
    };
    std::vector<Balloon> balloons;
};

}  // namespace quorvel
