#include "storage/csv_shortcuts.h"

#include <algorithm>
#include <array>
#include <optional>

#include "storage/shortcut_file_encoding.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

constexpr std::string_view ExportHeader = "Trigger,Launch key,Enter after,Text";

constexpr std::array<std::pair<LaunchMode, std::string_view>, 5> LaunchKeyNames = {{
    {LaunchMode::None, "None"},
    {LaunchMode::Space, "Space"},
    {LaunchMode::Tab, "Tab"},
    {LaunchMode::Esc, "Esc"},
    {LaunchMode::FunctionKey, "Function key"},
}};

char separatorOf(std::string_view firstLine) {
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    bool quoted = false;
    for (const char c : firstLine) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted) {
            commas += c == ',' ? 1 : 0;
            semicolons += c == ';' ? 1 : 0;
        }
    }
    return semicolons > commas ? ';' : ',';
}

bool isBlankRecord(const CsvRecord& record) {
    return record.fields.size() == 1 && record.fields[0].empty() && !record.unclosedQuote;
}

enum class Column { Trigger, Text, LaunchKey, EnterAfter, Enabled, Other };

Column columnNamed(std::string_view name) {
    const std::string key = lowerCase(trimBlanks(name));
    for (const std::string_view trigger : {"trigger", "keyword", "abbreviation", "shortcut"}) {
        if (key == trigger) {
            return Column::Trigger;
        }
    }
    for (const std::string_view text : {"text", "snippet", "replacement", "expansion", "phrase"}) {
        if (key == text) {
            return Column::Text;
        }
    }
    if (key == "launch key") {
        return Column::LaunchKey;
    }
    if (key == "enter after") {
        return Column::EnterAfter;
    }
    return key == "enabled" ? Column::Enabled : Column::Other;
}

std::optional<bool> yesOrNo(std::string_view field) {
    const std::string key = lowerCase(trimBlanks(field));
    if (key.empty() || key == "no" || key == "false" || key == "0") {
        return false;
    }
    if (key == "yes" || key == "true" || key == "1") {
        return true;
    }
    return std::nullopt;
}

std::optional<LaunchMode> launchModeNamed(std::string_view field) {
    const std::string_view name = trimBlanks(field);
    if (name.empty()) {
        return LaunchMode::Space;
    }
    for (const auto& [mode, known] : LaunchKeyNames) {
        if (equalIgnoringCase(name, known)) {
            return mode;
        }
    }
    return std::nullopt;
}

// Excel and most tools end a line inside a cell with a line feed alone, which
// would type nothing.
std::string withEnterBreaks(std::string_view text) {
    return text.find('\r') != std::string_view::npos ? std::string(text)
                                                     : replaceAll(text, "\n", "\r\n");
}

void appendField(std::string& out, std::string_view field) {
    if (field.find_first_of(",;\"\r\n") == std::string_view::npos && field == trimBlanks(field)) {
        out += field;
        return;
    }
    out += '"';
    out += replaceAll(field, "\"", "\"\"");
    out += '"';
}

}  // namespace

std::vector<CsvRecord> parseCsv(std::string_view text) {
    std::vector<CsvRecord> records;
    std::size_t line = 1;
    const std::size_t firstEnd = text.find_first_of("\r\n");
    const std::string_view firstLine = text.substr(0, firstEnd);
    char separator = separatorOf(firstLine);
    std::size_t at = 0;
    const auto skipLineBreak = [&] {
        if (at < text.size() && text[at] == '\r') {
            ++at;
        }
        if (at < text.size() && text[at] == '\n') {
            ++at;
        }
        ++line;
    };
    if (firstLine.size() == 5 && equalIgnoringCase(firstLine.substr(0, 4), "sep=")) {
        separator = firstLine[4];
        at = firstLine.size();
        skipLineBreak();
    }
    while (at < text.size()) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool quoted = false;
        bool ended = false;
        while (!ended) {
            if (at == text.size()) {
                record.unclosedQuote = quoted;
                break;
            }
            const char c = text[at];
            if (quoted) {
                if (c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                    field += '"';
                    at += 2;
                } else if (c == '"') {
                    quoted = false;
                    ++at;
                } else {
                    line += c == '\n' ? 1 : 0;
                    field += c;
                    ++at;
                }
            } else if (c == '"' && field.empty()) {
                quoted = true;
                ++at;
            } else if (c == separator) {
                record.fields.push_back(std::move(field));
                field.clear();
                ++at;
            } else if (c == '\r' || c == '\n') {
                skipLineBreak();
                ended = true;
            } else {
                field += c;
                ++at;
            }
        }
        record.fields.push_back(std::move(field));
        if (!isBlankRecord(record)) {
            records.push_back(std::move(record));
        }
    }
    return records;
}

ImportRows readCsvShortcuts(std::string_view text) {
    const std::vector<CsvRecord> records = parseCsv(text);
    ImportRows rows;
    std::vector<Column> columns = {Column::Trigger, Column::Text};
    bool exported = false;
    std::size_t first = 0;
    if (!records.empty()) {
        std::vector<Column> named;
        for (const std::string& field : records[0].fields) {
            named.push_back(columnNamed(field));
        }
        if (std::ranges::count(named, Column::Trigger) == 1 &&
            std::ranges::count(named, Column::Text) == 1) {
            columns = std::move(named);
            exported = text.substr(0, text.find_first_of("\r\n")) == ExportHeader;
            first = 1;
        }
    }
    for (std::size_t r = first; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        ImportRow row = skippedRow(record.line, "", "");
        row.entry.launchMode = LaunchMode::Space;
        std::optional<std::string> textField;
        for (std::size_t c = 0; c < record.fields.size() && c < columns.size(); ++c) {
            const std::string& field = record.fields[c];
            switch (columns[c]) {
                case Column::Trigger:
                    row.trigger = std::string(trimBlanks(field));
                    break;
                case Column::Text:
                    textField = exported ? field : withEnterBreaks(field);
                    break;
                case Column::LaunchKey:
                    if (const auto mode = launchModeNamed(field)) {
                        row.entry.launchMode = *mode;
                    } else {
                        row.skipReason = "unknown launch key \"" + field + "\"";
                    }
                    break;
                case Column::EnterAfter:
                    if (const auto enter = yesOrNo(field)) {
                        row.entry.enterAfter = *enter;
                    } else {
                        row.skipReason = "Enter after is \"" + field + "\", not Yes or No";
                    }
                    break;
                case Column::Enabled:
                    if (yesOrNo(field) == false) {
                        row.skipReason = "disabled in the file";
                    }
                    break;
                case Column::Other:
                    break;
            }
        }
        row.entry.trigger = row.trigger;
        row.entry.text = textField.value_or("");
        if (record.unclosedQuote) {
            row.skipReason =
                "a quote opened here is never closed; the rest of the file is read "
                "as this one field";
        } else if (!textField) {
            row.skipReason = "no text column in this line";
        } else if (!row.skipped() && row.trigger.empty()) {
            row.skipReason = "no trigger";
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

CsvExport formatCsvShortcuts(const ShortcutList& list) {
    CsvExport out;
    out.bytes = std::string(Utf8Mark) + std::string(ExportHeader) + "\r\n";
    for (std::size_t row = 0; row < list.count(); ++row) {
        const std::optional<ShortcutEntry> entry = parseEntryLine(list.entryLine(row));
        if (!entry) {
            ++out.leftOut;
            continue;
        }
        const auto name = std::ranges::find(LaunchKeyNames, entry->launchMode,
                                            &std::pair<LaunchMode, std::string_view>::first);
        appendField(out.bytes, entry->trigger);
        out.bytes += ',';
        out.bytes += name->second;
        out.bytes += entry->enterAfter ? ",Yes," : ",No,";
        appendField(out.bytes, entry->text);
        out.bytes += "\r\n";
    }
    return out;
}

}  // namespace quorvel
