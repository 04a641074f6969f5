#pragma once
// Per-user string settings addressed by application, section and key.
// Names compare without regard to letter case.

#include <string>
#include <string_view>

namespace quorvel {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string GetSetting(std::string_view application, std::string_view section,
                                   std::string_view key, std::string_view defaultValue) = 0;
    virtual void SaveSetting(std::string_view application, std::string_view section,
                             std::string_view key, std::string_view value) = 0;
    // Removes the application with all its sections; a missing application is no error.
    virtual void DeleteSetting(std::string_view application) = 0;
};

}  // namespace quorvel
