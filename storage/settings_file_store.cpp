#include "storage/settings_file_store.h"

#include <optional>
#include <utility>
#include <vector>

#include "engine/utf8_text.h"

namespace quorvel {
namespace {

// Names fold as the Windows-1252 letters do, as near to the registry as one byte gets.
std::string fold(std::string_view name) { return lowerCase(name); }

void appendEscaped(std::string& out, std::string_view field) {
    for (const char c : field) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '\0': out += "\\0"; break;
            default: out += c;
        }
    }
}

// Nothing when the field ends inside an escape or uses an unknown one.
std::optional<std::string> unescape(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size()) {
            return std::nullopt;
        }
        switch (field[i]) {
            case '\\': out += '\\'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'n': out += '\n'; break;
            case '0': out += '\0'; break;
            default: return std::nullopt;
        }
    }
    return out;
}

// Splits a line into its four unescaped fields; false for any other line.
bool readLine(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    std::size_t start = 0;
    while (true) {
        const auto tab = line.find('\t', start);
        const auto length = tab == std::string_view::npos ? tab : tab - start;
        auto field = unescape(line.substr(start, length));
        if (!field || fields.size() == 4) {
            return false;
        }
        fields.push_back(std::move(*field));
        if (tab == std::string_view::npos) {
            return fields.size() == 4;
        }
        start = tab + 1;
    }
}

constexpr std::string_view Heading =
    "; Quorvel settings: application, section, key and value, separated by tabs\n";

}  // namespace

SettingsFileStore::SettingsFileStore(Files& files, std::string path)
    : files_(files), path_(std::move(path)) {
    load();
}

std::string SettingsFileStore::GetSetting(std::string_view application, std::string_view section,
                                          std::string_view key, std::string_view defaultValue) {
    const Entry* entry = find(application, section, key);
    return entry == nullptr ? std::string(defaultValue) : entry->value;
}

const SettingsFileStore::Entry* SettingsFileStore::find(std::string_view application,
                                                        std::string_view section,
                                                        std::string_view key) const {
    const auto app = applications_.find(fold(application));
    if (app == applications_.end()) {
        return nullptr;
    }
    const auto sec = app->second.sections.find(fold(section));
    if (sec == app->second.sections.end()) {
        return nullptr;
    }
    const auto entry = sec->second.entries.find(fold(key));
    return entry == sec->second.entries.end() ? nullptr : &entry->second;
}

void SettingsFileStore::SaveSetting(std::string_view application, std::string_view section,
                                    std::string_view key, std::string_view value) {
    // Saving what the file already holds needs no rewrite; a list saved row by
    // row would otherwise rewrite the file once for every unchanged row.
    if (set(application, section, key, value) || !inSync_) {
        write();
    }
}

void SettingsFileStore::SaveSettings(
    std::string_view application, std::string_view section,
    const std::vector<std::pair<std::string, std::string>>& keyValues) {
    bool changed = false;
    for (const auto& [key, value] : keyValues) {
        changed = set(application, section, key, value) || changed;
    }
    if (changed || !inSync_) {
        write();
    }
}

void SettingsFileStore::DeleteSetting(std::string_view application) {
    if (applications_.erase(fold(application)) == 0 && inSync_) {
        return;
    }
    write();
}

bool SettingsFileStore::set(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view value) {
    Application& app = applications_[fold(application)];
    if (app.name.empty()) {
        app.name = application;
    }
    Section& sec = app.sections[fold(section)];
    if (sec.name.empty()) {
        sec.name = section;
    }
    const auto [place, added] = sec.entries.try_emplace(fold(key));
    Entry& entry = place->second;
    if (added) {
        entry.key = key;
    } else if (entry.value == value) {
        return false;
    }
    entry.value = value;
    return true;
}

void SettingsFileStore::load() {
    const auto contents = files_.readAll(path_);
    if (!contents) {
        return;
    }
    const std::string_view text(*contents);
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        // A raw CR can only come from an editor that wrote CR LF line ends.
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        std::vector<std::string> fields;
        if (readLine(line, fields)) {
            set(fields[0], fields[1], fields[2], fields[3]);
        }
    }
}

void SettingsFileStore::write() {
    std::string out(Heading);
    for (const auto& [foldedApp, app] : applications_) {
        for (const auto& [foldedSection, section] : app.sections) {
            for (const auto& [foldedKey, entry] : section.entries) {
                appendEscaped(out, app.name);
                out += '\t';
                appendEscaped(out, section.name);
                out += '\t';
                appendEscaped(out, entry.key);
                out += '\t';
                appendEscaped(out, entry.value);
                out += '\n';
            }
        }
    }
    inSync_ = files_.replaceAtomically(path_, out);
}

}  // namespace quorvel
