#pragma once
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/settings_store.h"

namespace quorvel {

// Settings held in memory. Names are folded to lower case (A-Z only) on the way
// in, so "Opts" and "opts" reach the same setting.
class FakeSettingsStore final : public SettingsStore {
  public:
    std::string read(const settings::SettingName& name, std::string_view defaultValue) override {
        ++reads;
        if (beforeGet) {
            beforeGet(name.key);
        }
        const auto found = values_.find(address(name));
        return found == values_.end() ? std::string(defaultValue) : found->second;
    }

    void write(const settings::SettingName& name, std::string_view value) override {
        ++writes;
        values_[address(name)] = std::string(value);
    }

    std::vector<std::string> keysOf(std::string_view application,
                                    std::string_view section) override {
        ++reads;
        std::vector<std::string> keys;
        const std::string app = fold(application), sec = fold(section);
        for (const auto& [where, value] : values_) {
            if (std::get<0>(where) == app && std::get<1>(where) == sec) {
                keys.push_back(std::get<2>(where));
            }
        }
        return keys;
    }

    void eraseApplication(std::string_view application) override {
        const std::string folded = fold(application);
        std::erase_if(values_, [&](const auto& item) { return std::get<0>(item.first) == folded; });
    }

    void eraseSection(std::string_view application, std::string_view section) override {
        const std::string app = fold(application), sec = fold(section);
        std::erase_if(values_, [&](const auto& item) {
            return std::get<0>(item.first) == app && std::get<1>(item.first) == sec;
        });
    }

    std::size_t size() const { return values_.size(); }

    int reads = 0;
    int writes = 0;
    // Runs as each setting is read, to change the store meanwhile.
    std::function<void(std::string_view key)> beforeGet;

  private:
    using Address = std::tuple<std::string, std::string, std::string>;

    static std::string fold(std::string_view name) {
        std::string folded(name);
        std::ranges::transform(folded, folded.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        });
        return folded;
    }
    static Address address(const settings::SettingName& name) {
        return {fold(name.application), fold(name.section), fold(name.key)};
    }

    std::map<Address, std::string> values_;
};

}  // namespace quorvel
