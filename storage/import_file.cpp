#include "storage/import_file.h"

#include <algorithm>

#include "storage/csv_shortcuts.h"
#include "storage/import_autohotkey.h"
#include "storage/import_beeftext.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

bool hasExtension(std::string_view path, std::string_view extension) {
    return path.size() > extension.size() &&
           equalIgnoringCase(path.substr(path.size() - extension.size()), extension);
}

// Beeftext writes four columns, the last one whether the combo is enabled.
bool looksLikeBeeftextCsv(std::string_view text) {
    const std::vector<CsvRecord> records = parseCsv(text);
    return !records.empty() && std::ranges::all_of(records, [](const CsvRecord& record) {
        if (record.fields.size() != 4) {
            return false;
        }
        const std::string enabled = lowerCase(trimBlanks(record.fields[3]));
        return enabled == "true" || enabled == "false" || enabled == "enabled";
    });
}

ImportFormat formatOf(std::string_view path, std::string_view text) {
    if (hasExtension(path, ".ahk")) {
        return ImportFormat::AutoHotkey;
    }
    if (hasExtension(path, ".json")) {
        return ImportFormat::BeeftextJson;
    }
    if (!hasExtension(path, ".csv")) {
        const std::string_view start = trimBlanks(text.substr(0, 64));
        if (start.starts_with('{') || start.starts_with('[')) {
            return ImportFormat::BeeftextJson;
        }
        if (text.starts_with(':') || text.find("\n:") != std::string_view::npos) {
            return ImportFormat::AutoHotkey;
        }
    }
    return looksLikeBeeftextCsv(text) ? ImportFormat::BeeftextCsv : ImportFormat::Csv;
}

}  // namespace

ImportedFile readOtherProgramFile(std::string_view path, std::string_view bytes,
                                  const AnsiCodePage& codePage) {
    const ImportText decoded = decodeImportText(bytes, codePage);
    ImportedFile file;
    file.format = formatOf(path, decoded.text);
    file.exact = decoded.exact;
    switch (file.format) {
        case ImportFormat::AutoHotkey:
            file.rows = readAutoHotkeyScript(decoded.text);
            break;
        case ImportFormat::BeeftextJson:
            file.rows = readBeeftextJson(decoded.text);
            break;
        case ImportFormat::BeeftextCsv:
            file.rows = readBeeftextCsv(decoded.text);
            break;
        case ImportFormat::Csv:
            file.rows = readCsvShortcuts(decoded.text);
            break;
    }
    return file;
}

std::string_view formatName(ImportFormat format) {
    switch (format) {
        case ImportFormat::AutoHotkey:
            return "AutoHotkey script";
        case ImportFormat::BeeftextJson:
            return "Beeftext JSON export";
        case ImportFormat::BeeftextCsv:
            return "Beeftext CSV export";
        case ImportFormat::Csv:
            break;
    }
    return "CSV";
}

}  // namespace quorvel
