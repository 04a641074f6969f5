#pragma once
// The shortcut file: every entry line followed by the byte 0x01, one more 0x01
// (an empty final record), then CR LF. Records end at 0x01 only, so an entry
// may hold line breaks. The lines are ANSI text as long as every entry fits the
// system's code page, so that older versions can still read the file; once one
// does not, the file is UTF-8 and starts with a byte-order mark.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/shortcut_list.h"
#include "platform/ansi_code_page.h"
#include "platform/environment.h"
#include "platform/files.h"

namespace quorvel {

inline constexpr char RecordSeparator = '\x01';

// The file's contents for the list, byte for byte.
std::string formatShortcutFile(const ShortcutList& list, const AnsiCodePage& codePage);

struct ImportResult {
    std::size_t added = 0;
    // Entries left out as the list held them already (an earlier one of the same
    // file included).
    std::size_t repeats = 0;
    // False when the file is there but could not be read (locked, a folder), when
    // bytes follow its last record, or when a record is not text as it claims
    // (invalid UTF-8, bytes the code page has no character for, each read as
    // U+FFFD): the list lacks something the file holds, and saving the list over
    // the file would lose it.
    bool readWhole = true;
    // Records that were not text as they claim, and an entry the file never
    // closed: the lines a user would call damaged.
    std::size_t unreadLines = 0;
};

// The entry lines of a shortcut file's bytes, in file order, one after another
// in one string (a file of 100,000 entries is read without 100,000 allocations).
struct ShortcutFileLines {
    std::string text;
    std::vector<std::size_t> ends;  // where each line ends in `text`
    bool readWhole = true;          // as in ImportResult
    std::size_t unreadLines = 0;
    // The file ends as the program ends every file, with an empty record: a
    // file cut off at the end of a record (a sync client still writing it) does
    // not, though every record in it reads whole.
    bool closed = false;

    std::size_t count() const { return ends.size(); }
    // Views into `text`, valid while it is not changed.
    PackedLines packed() const { return {text, ends}; }
    std::vector<std::string_view> lines() const;
};
ShortcutFileLines readShortcutLines(std::string_view bytes, const AnsiCodePage& codePage);

// Adds the lines that no row of the list holds yet, each at its sorted place
// and untrimmed (a save then gives the file back byte for byte); returns how
// many.
std::size_t addMissingEntryLines(std::vector<std::string_view> lines, ShortcutList& list);

// Adds the entries of the file at `path` to the list, each at its sorted place,
// but none the list holds already: importing a file twice adds it once. A
// missing or unreadable file adds nothing.
// It does not yield to the event loop: a save that ran in the middle of reading
// (a click, a menu command) would write the half-read list over the file. Reading
// even 100,000 entries takes some tens of milliseconds.
ImportResult importShortcutFile(std::string_view path, ShortcutList& list, Files& files,
                                const AnsiCodePage& codePage);

// Replaces the file at `path` by the list. Never leaves a partial file: on
// failure the previous file stays whole. Returns whether the file was written.
bool exportShortcutFile(const ShortcutList& list, std::string_view path, Files& files,
                        const AnsiCodePage& codePage);

// The program's folder followed by "\defaultkeys.qvb".
std::string DefaultShortcutFile(Environment& environment);

// A dialog's file name is used unless it is blank or exactly "*.tq" once trimmed.
bool isAcceptedFileName(std::string_view fileName);

}  // namespace quorvel
