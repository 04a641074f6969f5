#include "platform/win32/win32_settings_store.h"

#include <windows.h>

#include <vector>

#include "platform/win32/unique_handle.h"

namespace quorvel {

namespace {

constexpr const char* SettingsRoot = "Software\\VB and VBA Program Settings";

bool hasNul(std::string_view text) {
    return text.find('\0') != std::string_view::npos;
}

// One registry key name: an empty name or a backslash would address another
// key (an empty application would even name the root of everyone's settings).
bool validKeyName(std::string_view name) {
    return !name.empty() && !hasNul(name) && name.find('\\') == std::string_view::npos;
}

// An empty value name is the key's unnamed default value, not a setting.
bool validValueName(std::string_view name) {
    return !name.empty() && !hasNul(name);
}

std::string applicationPath(std::string_view application) {
    std::string path(SettingsRoot);
    path += '\\';
    path += application;
    return path;
}

std::string sectionPath(std::string_view application, std::string_view section) {
    std::string path = applicationPath(application);
    path += '\\';
    path += section;
    return path;
}

}  // namespace

std::string Win32SettingsStore::GetSetting(std::string_view application, std::string_view section,
                                           std::string_view key, std::string_view defaultValue) {
    if (!validKeyName(application) || !validKeyName(section) || !validValueName(key)) {
        return std::string(defaultValue);
    }
    UniqueHkey sectionKey;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, sectionPath(application, section).c_str(), 0,
                        KEY_QUERY_VALUE, sectionKey.put()) != ERROR_SUCCESS) {
        return std::string(defaultValue);
    }
    const std::string valueName(key);
    std::vector<char> buffer(256);
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(buffer.size());
        const LONG result = ::RegQueryValueExA(sectionKey.get(), valueName.c_str(), nullptr, &type,
                                               reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result == ERROR_MORE_DATA) {
            // The value may grow again between calls; ask until it fits.
            buffer.resize(static_cast<std::size_t>(size) + 1);
            continue;
        }
        // Expandable strings are strings too; they are returned as stored.
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::string(defaultValue);
        }
        // A stored string need not end in NUL; it ends at the first one it has.
        std::string value(buffer.data(), size);
        const auto end = value.find('\0');
        if (end != std::string::npos) {
            value.resize(end);
        }
        return value;
    }
}

void Win32SettingsStore::SaveSetting(std::string_view application, std::string_view section,
                                     std::string_view key, std::string_view value) {
    if (!validKeyName(application) || !validKeyName(section) || !validValueName(key)) {
        return;
    }
    UniqueHkey sectionKey;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, sectionPath(application, section).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, sectionKey.put(),
                          nullptr) != ERROR_SUCCESS) {
        return;
    }
    const std::string valueName(key);
    const std::string data(value);  // c_str() adds the terminating NUL REG_SZ wants
    ::RegSetValueExA(sectionKey.get(), valueName.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>(data.size() + 1));
}

void Win32SettingsStore::DeleteSetting(std::string_view application) {
    if (!validKeyName(application)) {
        return;
    }
    // Deletes the application's key itself with everything below it; a missing
    // key only reports ERROR_FILE_NOT_FOUND, which is fine.
    ::RegDeleteTreeA(HKEY_CURRENT_USER, applicationPath(application).c_str());
}

}  // namespace quorvel
