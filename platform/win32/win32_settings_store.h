#pragma once
// Settings in the current user's registry hive, one string value per key.

#include "platform/settings_store.h"

namespace quorvel {

// Keeps each setting as a REG_SZ value under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>.
class Win32SettingsStore final : public SettingsStore {
  public:
    std::string read(const settings::SettingName& name, std::string_view defaultValue) override;
    void write(const settings::SettingName& name, std::string_view value) override;
    std::vector<std::string> keysOf(std::string_view application,
                                    std::string_view section) override;
    void eraseApplication(std::string_view application) override;
    void eraseSection(std::string_view application, std::string_view section) override;
};

}  // namespace quorvel
