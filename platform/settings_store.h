#pragma once
// Per-user string settings addressed by application, section and key.
// Names compare without regard to letter case.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

namespace settings {

// Where one setting lives.
struct SettingName {
    std::string_view application;
    std::string_view section;
    std::string_view key;
};

}  // namespace settings

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text, or `defaultValue` when there is none.
    virtual std::string read(const settings::SettingName& name, std::string_view defaultValue) = 0;
    virtual void write(const settings::SettingName& name, std::string_view value) = 0;
    // The names of the values stored in one section, in no particular order; none
    // when the section is missing.
    virtual std::vector<std::string> keysOf(std::string_view application,
                                            std::string_view section) = 0;
    // Removes the application with all its sections; a missing application is no error.
    virtual void eraseApplication(std::string_view application) = 0;
    // Removes one section with every value in it; a missing section is no error.
    virtual void eraseSection(std::string_view application, std::string_view section) = 0;
    // Several keys of one section; a store that can write them in one go does.
    virtual void writeSection(std::string_view application, std::string_view section,
                              const std::vector<std::pair<std::string, std::string>>& keyValues) {
        for (const auto& [key, value] : keyValues) {
            write({application, section, key}, value);
        }
    }
};

}  // namespace quorvel
