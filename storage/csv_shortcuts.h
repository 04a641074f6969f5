#pragma once
// Shortcuts as comma-separated values (RFC 4180): the list written out with a
// header of trigger, launch key, Enter-after and text, and read back from such
// a file or from a plain table of triggers and texts as a spreadsheet writes it
// (a header row or none, comma or semicolon, quoted fields across lines).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/shortcut_list.h"
#include "storage/import_rows.h"

namespace quorvel {

struct CsvRecord {
    std::size_t line = 0;  // where the record starts, from 1
    std::vector<std::string> fields;
    bool unclosedQuote = false;  // the file ended inside a quoted field
};

// The records of the text. The separator is a semicolon when the first line
// holds more semicolons than commas outside quotes, or when it says "sep=;" as
// Excel writes it. Blank lines are no records.
std::vector<CsvRecord> parseCsv(std::string_view text);

// Each record as a shortcut. The header, when there is one, names the columns
// in any order; without one the columns are trigger and text. A file this
// program exported keeps its texts byte for byte; in any other, a line break
// inside a text is made CR LF, which types Enter.
ImportRows readCsvShortcuts(std::string_view text);

struct CsvExport {
    std::string bytes;        // UTF-8 with a byte-order mark, so that Excel reads it as such
    std::size_t leftOut = 0;  // rows that are no entry (a damaged file's lines)
};
CsvExport formatCsvShortcuts(const ShortcutList& list);

}  // namespace quorvel
