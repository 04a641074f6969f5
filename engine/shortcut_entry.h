#pragma once
// One shortcut and its two text forms: the entry line that the engine parses and
// the file stores, and the display line that the user sees.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Which key launches an entry, as its mode field says. Read from the field
// once, when a row enters the list.
enum class LaunchMode : std::uint8_t { None, Space, Tab, Esc, FunctionKey };

struct ShortcutEntry {
    LaunchMode launchMode = LaunchMode::None;
    bool enterAfter = false;
    std::string trigger;
    std::string text;
    bool operator==(const ShortcutEntry&) const = default;
};

// "{S}", "{T}", "{C}", "{F}" or "" for None, then "{E}" when enterAfter.
std::string modeTokens(LaunchMode mode, bool enterAfter);

// mode + " ¯ " + trigger + " ¯ " + text, trigger and text exactly as given.
std::string formatEntryLine(const ShortcutEntry& entry);
// mode + " - " + trigger + " - " + text.
std::string formatDisplayLine(const ShortcutEntry& entry);
// The entry line with every separator replaced by "-".
std::string displayFromEntryLine(std::string_view entryLine);

// The three fields of an entry line, as views into it. `mode` and `trigger` are
// trimmed of blanks; `text` is everything after the second separator less the
// one character that follows it.
struct EntryLineFields {
    std::string_view mode;
    std::string_view trigger;
    std::string_view text;
};
// Nothing when the line holds fewer than two separators: such a line (only a
// file not written by the program holds one) is invalid.
std::optional<EntryLineFields> splitEntryLine(std::string_view entryLine);

// By the field's first token: "{S}", "{T}", "{C}", "{F}"; anything else is None.
LaunchMode launchModeOf(std::string_view modeField);
bool enterAfterOf(std::string_view modeField);

// Whether typing the trigger put its characters into the application, so that a
// send must erase them: not when it names a function key or holds "{Ctrl}" (in
// any case).
bool triggerTypesCharacters(std::string_view trigger);

std::optional<ShortcutEntry> parseEntryLine(std::string_view entryLine);

// Two triggers are the same trigger when they are equal trimmed and lower-cased.
std::string triggerKey(std::string_view trigger);

}  // namespace quorvel
