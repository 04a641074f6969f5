#include "app/import_preview.h"

#include <algorithm>
#include <unordered_map>

#include "engine/key_names.h"
#include "text/utf8.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

bool isAsciiLetterOrDigit(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9');
}

// The hook names each key by its code, so a trigger can be typed only where
// the layout's key for each character has that character's name.
bool typeable(const ShortcutEntry& entry, const KeyboardLayout& layout) {
    const std::string lower = lowerCase(entry.trigger);
    for (std::size_t at = 0; at < lower.size();) {
        const utf8::Decoded decoded = utf8::decode(lower, at);
        at += decoded.length;
        const char32_t c = decoded.character;
        if (!isKeyNameCharacter(c)) {
            return false;
        }
        if (entry.launchMode == LaunchMode::FunctionKey || isAsciiLetterOrDigit(c)) {
            continue;  // names such as "{Ctrl}{F9}" are written, not typed
        }
        const std::optional<KeyboardLayout::Key> key = layout.keyFor(c);
        if (!key || lowerCase(keyNameOf(key->virtualKey)) !=
                        lower.substr(at - decoded.length, decoded.length)) {
            return false;
        }
    }
    return true;
}

// Why the entry cannot be a row of the list at all; empty when it can.
std::string unstorable(const ShortcutEntry& entry) {
    if (entry.trigger.find(EntrySeparator) != std::string::npos) {
        return "the trigger holds \xC2\xAF, which separates the parts of each shortcut";
    }
    if (entry.trigger.find('\x01') != std::string::npos ||
        entry.text.find('\x01') != std::string::npos) {
        return "holds control character 1";
    }
    return entry.text.empty() ? "the text is empty" : "";
}

}  // namespace

void ImportPreview::open(std::string path, ImportedFile file, const ShortcutList& list,
                         const KeyboardLayout& layout) {
    rows_.clear();
    path_ = std::move(path);
    file_ = file;
    openedAt_ = list.revision();
    // Triggers of the list and of the rows before, to the entry line that has it.
    std::unordered_map<std::string, std::vector<std::string>> triggers;
    for (std::size_t i = 0; i < list.count(); ++i) {
        if (const auto entry = parseEntryLine(list.entryLine(i))) {
            triggers[triggerKey(entry->trigger)].push_back(formatEntryLine(*entry));
        }
    }
    std::size_t counts[4] = {};
    for (ImportRow& source : file.rows) {
        Row row;
        row.source = std::move(source);
        if (!row.source.skipped()) {
            row.source.skipReason = unstorable(row.source.entry);
        }
        auto& same = triggers[triggerKey(row.source.trigger)];
        if (row.source.skipped()) {
            row.outcome = Outcome::Skipped;
        } else if (!typeable(row.source.entry, layout)) {
            row.outcome = Outcome::NotTypeable;
        } else if (std::ranges::count(same, formatEntryLine(row.source.entry)) > 0) {
            row.outcome = Outcome::Skipped;
            row.source.skipReason = "the same shortcut is in the list already";
        } else if (!same.empty()) {
            row.outcome = Outcome::Exists;
        }
        if (row.outcome == Outcome::Added || row.outcome == Outcome::Exists) {
            same.push_back(formatEntryLine(row.source.entry));
        }
        ++counts[static_cast<int>(row.outcome)];
        rows_.push_back(std::move(row));
    }
    for (Row& row : rows_) {
        describe(row);
    }
    summary.caption =
        path_ + " (" + std::string(formatName(file.format)) + "): " + std::to_string(rows_.size()) +
        (rows_.size() == 1 ? " shortcut, " : " shortcuts, ") + std::to_string(counts[0]) +
        " new, " + std::to_string(counts[2]) + " with a trigger in the list, " +
        std::to_string(counts[1] + counts[3]) + " left out." +
        (file.exact ? "" : " Some bytes are not text and read as \xEF\xBF\xBD.");
    visible = true;
    bringToFront = true;
}

void ImportPreview::choose(OptionButton& chosen) {
    for (OptionButton* option : {&keepOption, &replaceOption, &keepBothOption}) {
        option->value = option == &chosen;
    }
    for (Row& row : rows_) {
        describe(row);
    }
}

void ImportPreview::describe(Row& row) const {
    std::string result;
    switch (row.outcome) {
        case Outcome::Added:
            result = "added";
            break;
        case Outcome::Skipped:
            result = "skipped: " + row.source.skipReason;
            break;
        case Outcome::NotTypeable:
            result = "skipped: the trigger cannot be typed on this keyboard layout";
            break;
        case Outcome::Exists:
            result = keepOption.value      ? "trigger in the list already: the list's is kept"
                     : replaceOption.value ? "trigger in the list already: replaced"
                                           : "trigger in the list already: both kept";
            break;
    }
    const bool added = !row.source.skipped() && row.outcome != Outcome::NotTypeable;
    row.line = std::to_string(row.source.sourceLine) + "\t" +
               (added ? formatDisplayLine(row.source.entry) : row.source.trigger) + "\t" + result;
}

ImportChange ImportPreview::apply(ShortcutList& list) {
    ImportChange change;
    for (const Row& row : rows_) {
        const bool exists = row.outcome == Outcome::Exists;
        if ((row.outcome != Outcome::Added && !exists) || (exists && keepOption.value)) {
            continue;
        }
        if (exists && replaceOption.value) {
            const std::string key = triggerKey(row.source.entry.trigger);
            for (std::size_t i = list.count(); i-- > 0;) {
                const auto entry = parseEntryLine(list.entryLine(i));
                if (entry && triggerKey(entry->trigger) == key) {
                    // A row of this import that a later one replaces was never the user's.
                    const auto ours = std::ranges::find(change.added, list.entryLine(i));
                    if (ours != change.added.end()) {
                        change.added.erase(ours);
                    } else {
                        change.removed.emplace_back(list.entryLine(i));
                    }
                    list.removeAt(i);
                }
            }
        }
        const std::string line = formatEntryLine(row.source.entry);
        if (list.add(line)) {
            change.added.push_back(line);
        }
    }
    visible = false;
    return change;
}

std::size_t undoImport(const ImportChange& change, ShortcutList& list) {
    std::size_t changedSince = 0;
    for (const std::string& line : change.added) {
        std::size_t row = 0;
        while (row < list.count() && list.entryLine(row) != line) {
            ++row;
        }
        if (row < list.count()) {
            list.removeAt(row);
        } else {
            ++changedSince;
        }
    }
    for (const std::string& line : change.removed) {
        list.add(line);
    }
    return changedSince;
}

}  // namespace quorvel
