#pragma once
// The settings store of builds without a registry: one text file, read once at
// construction and rewritten whole, atomically, on every change.
//
// Each line holds one setting: application TAB section TAB key TAB value, every
// field with backslash escapes for the bytes that would break the line (\\ \t \r
// \n \0); all other bytes are stored as they are. Lines that do not read that way
// are skipped, so a damaged file loses only its damaged lines.

#include <map>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/settings_store.h"

namespace quorvel {

class SettingsFileStore final : public SettingsStore {
public:
    SettingsFileStore(Files& files, std::string path);

    std::string GetSetting(std::string_view application, std::string_view section,
                           std::string_view key, std::string_view defaultValue) override;
    void SaveSetting(std::string_view application, std::string_view section,
                     std::string_view key, std::string_view value) override;
    void DeleteSetting(std::string_view application) override;
    void SaveSettings(std::string_view application, std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& keyValues) override;

    // Whether the file holds every change made so far (false after a failed write).
    bool inSync() const { return inSync_; }

private:
    // Keyed by the lower-cased name; each level keeps the spelling it was first given.
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::map<std::string, Entry> entries;
    };
    struct Application {
        std::string name;
        std::map<std::string, Section> sections;
    };

    const Entry* find(std::string_view application, std::string_view section,
                      std::string_view key) const;
    void load();
    // Returns whether the store changed.
    bool set(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value);
    void write();

    Files& files_;
    std::string path_;
    std::map<std::string, Application> applications_;
    bool inSync_ = true;
};

}  // namespace quorvel
