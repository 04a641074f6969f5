#pragma once
// A file of another program's shortcuts, read as its kind says: an AutoHotkey
// script (.ahk), Beeftext's JSON or CSV export, or a plain CSV of triggers and
// texts. A file of another extension is told apart by what it holds.

#include <string>
#include <string_view>

#include "platform/ansi_code_page.h"
#include "storage/import_rows.h"

namespace quorvel {

enum class ImportFormat { AutoHotkey, BeeftextJson, BeeftextCsv, Csv };

struct ImportedFile {
    ImportFormat format = ImportFormat::Csv;
    ImportRows rows;
    bool exact = true;  // as in ImportText
};

ImportedFile readOtherProgramFile(std::string_view path, std::string_view bytes,
                                  const AnsiCodePage& codePage);

std::string_view formatName(ImportFormat format);

}  // namespace quorvel
