#include "engine/shortcut_entry.h"

#include "text/utf8.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {
constexpr std::string_view FieldSeparator = " \xC2\xAF ";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}
}  // namespace

std::string modeTokens(LaunchMode mode, bool enterAfter) {
    std::string tokens;
    switch (mode) {
        case LaunchMode::Space:
            tokens = "{S}";
            break;
        case LaunchMode::Tab:
            tokens = "{T}";
            break;
        case LaunchMode::Esc:
            tokens = "{C}";
            break;
        case LaunchMode::FunctionKey:
            tokens = "{F}";
            break;
        case LaunchMode::None:
            break;
    }
    if (enterAfter) {
        tokens += "{E}";
    }
    return tokens;
}

std::string formatEntryLine(const ShortcutEntry& entry) {
    std::string line = modeTokens(entry.launchMode, entry.enterAfter);
    line.append(FieldSeparator).append(entry.trigger).append(FieldSeparator).append(entry.text);
    return line;
}

std::string formatDisplayLine(const ShortcutEntry& entry) {
    return modeTokens(entry.launchMode, entry.enterAfter) + " - " + entry.trigger + " - " +
           entry.text;
}

std::string displayFromEntryLine(std::string_view entryLine) {
    std::string display;
    display.reserve(entryLine.size());
    std::size_t start = 0;
    for (std::size_t at = findSeparator(entryLine); at != std::string_view::npos;
         start = at + EntrySeparator.size(), at = findSeparator(entryLine, start)) {
        display.append(entryLine.substr(start, at - start)) += '-';
    }
    return display.append(entryLine.substr(start));
}

std::optional<EntryLineFields> splitEntryLine(std::string_view entryLine) {
    const auto first = findSeparator(entryLine);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view rest = entryLine.substr(first + EntrySeparator.size());
    const auto second = findSeparator(rest);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    EntryLineFields fields;
    fields.mode = trimBlanks(entryLine.substr(0, first));
    fields.trigger = trimBlanks(rest.substr(0, second));
    // Drop the one character (the blank of a well-formed line) after the separator.
    const std::string_view afterSecond = rest.substr(second + EntrySeparator.size());
    fields.text =
        afterSecond.empty() ? afterSecond : afterSecond.substr(utf8::decode(afterSecond, 0).length);
    return fields;
}

LaunchMode launchModeOf(std::string_view modeField) {
    if (startsWith(modeField, "{S}")) {
        return LaunchMode::Space;
    }
    if (startsWith(modeField, "{T}")) {
        return LaunchMode::Tab;
    }
    if (startsWith(modeField, "{C}")) {
        return LaunchMode::Esc;
    }
    if (startsWith(modeField, "{F}")) {
        return LaunchMode::FunctionKey;
    }
    return LaunchMode::None;
}

bool enterAfterOf(std::string_view modeField) {
    return endsWith(modeField, "{E}");
}

bool triggerTypesCharacters(std::string_view trigger) {
    const std::string lowered = lowerCase(trigger);
    return lowered.find("{f") == std::string::npos && lowered.find("{ctrl}") == std::string::npos;
}

std::optional<ShortcutEntry> parseEntryLine(std::string_view entryLine) {
    const auto fields = splitEntryLine(entryLine);
    if (!fields) {
        return std::nullopt;
    }
    return ShortcutEntry{launchModeOf(fields->mode), enterAfterOf(fields->mode),
                         std::string(fields->trigger), std::string(fields->text)};
}

std::string triggerKey(std::string_view trigger) {
    return lowerCase(trimBlanks(trigger));
}

}  // namespace quorvel
