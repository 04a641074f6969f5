#include "platform/win32/win32_settings_store.h"

#include <windows.h>

#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {

constexpr std::string_view SettingsRoot = "Software\\VB and VBA Program Settings";

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

// The registry keeps its names and strings in UTF-16, so values written by the
// ANSI versions of the program read back as the same characters here.
std::wstring applicationPath(std::string_view application) {
    std::string path(SettingsRoot);
    path += '\\';
    path += application;
    return wideText(path);
}

std::wstring sectionPath(std::string_view application, std::string_view section) {
    return applicationPath(application) + L'\\' + wideText(section);
}

}  // namespace

std::string Win32SettingsStore::read(const settings::SettingName& name,
                                     std::string_view defaultValue) {
    const auto [application, section, key] = name;
    if (!validKeyName(application) || !validKeyName(section) || !validValueName(key)) {
        return std::string(defaultValue);
    }
    UniqueHkey sectionKey;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, sectionPath(application, section).c_str(), 0,
                        KEY_QUERY_VALUE, sectionKey.put()) != ERROR_SUCCESS) {
        return std::string(defaultValue);
    }
    const std::wstring valueName = wideText(key);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LONG result = ::RegQueryValueExW(sectionKey.get(), valueName.c_str(), nullptr, &type,
                                               reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result == ERROR_MORE_DATA) {
            // The value may grow again between calls; ask until it fits.
            buffer.resize(size / sizeof(wchar_t) + 2);
            continue;
        }
        // Expandable strings are strings too; they are returned as stored.
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::string(defaultValue);
        }
        // A stored string need not end in NUL (nor hold whole units); it ends
        // at the first NUL it has.
        return utf8Text(buffer.data(), size / sizeof(wchar_t));
    }
}

void Win32SettingsStore::write(const settings::SettingName& name, std::string_view value) {
    const auto [application, section, key] = name;
    if (!validKeyName(application) || !validKeyName(section) || !validValueName(key)) {
        return;
    }
    UniqueHkey sectionKey;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, sectionPath(application, section).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, sectionKey.put(),
                          nullptr) != ERROR_SUCCESS) {
        return;
    }
    const std::wstring valueName = wideText(key);
    const std::wstring data = wideText(value);  // c_str() adds the terminating NUL REG_SZ wants
    ::RegSetValueExW(sectionKey.get(), valueName.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

std::vector<std::string> Win32SettingsStore::keysOf(std::string_view application,
                                                    std::string_view section) {
    std::vector<std::string> keys;
    if (!validKeyName(application) || !validKeyName(section)) {
        return keys;
    }
    UniqueHkey sectionKey;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, sectionPath(application, section).c_str(), 0,
                        KEY_QUERY_VALUE, sectionKey.put()) != ERROR_SUCCESS) {
        return keys;
    }
    // Value names are at most 16,383 characters.
    std::vector<wchar_t> name(16384);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG result = ::RegEnumValueW(sectionKey.get(), index, name.data(), &length, nullptr,
                                            nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) {
            return keys;  // ERROR_NO_MORE_ITEMS, or a key that changed under us
        }
        keys.push_back(utf8Text(name.data(), length));
    }
}

void Win32SettingsStore::eraseApplication(std::string_view application) {
    if (!validKeyName(application)) {
        return;
    }
    // Deletes the application's key itself with everything below it; a missing
    // key only reports ERROR_FILE_NOT_FOUND, which is fine.
    ::RegDeleteTreeW(HKEY_CURRENT_USER, applicationPath(application).c_str());
}

void Win32SettingsStore::eraseSection(std::string_view application, std::string_view section) {
    if (!validKeyName(application) || !validKeyName(section)) {
        return;
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, sectionPath(application, section).c_str());
}

}  // namespace quorvel
