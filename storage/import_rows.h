#pragma once
// What a reader of another program's file makes of each of its shortcuts: the
// entry it would add, or why it leaves the shortcut out. Every shortcut the
// file holds gets a row, so that nothing is dropped without the user seeing it.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/shortcut_entry.h"
#include "platform/ansi_code_page.h"

namespace quorvel {

struct ImportRow {
    std::size_t sourceLine = 0;  // where the shortcut starts in the file, from 1
    std::string trigger;         // as the file names it, also when skipped
    // Empty when the entry is to be added.
    std::string skipReason;
    ShortcutEntry entry;  // in Quorvel's notation; meaningful when not skipped

    bool skipped() const { return !skipReason.empty(); }
};

inline ImportRow skippedRow(std::size_t sourceLine, std::string trigger, std::string reason) {
    ImportRow row;
    row.sourceLine = sourceLine;
    row.trigger = std::move(trigger);
    row.skipReason = std::move(reason);
    return row;
}

using ImportRows = std::vector<ImportRow>;

// The text of another program's file as UTF-8: a UTF-8 or UTF-16 file by its
// mark, a file without one as UTF-8 when it reads as such, else in the system's
// code page. `exact` is false when some bytes read as U+FFFD.
struct ImportText {
    std::string text;
    bool exact = true;
};
ImportText decodeImportText(std::string_view bytes, const AnsiCodePage& codePage);

// A text typed as its characters, written in Quorvel's notation: the characters
// the notation reads as keys ("+", "^", "%", "~", parentheses, braces) in braces,
// each line break as CR LF.
std::string literalNotation(std::string_view text);

}  // namespace quorvel
