#include "storage/import_beeftext.h"

#include <nlohmann/json.hpp>

#include "storage/csv_shortcuts.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

struct Variable {
    std::string_view name;
    std::string_view macro;
};
constexpr Variable Variables[] = {
    {"clipboard", "%(clipboard text)%"},
    {"date", "%(date)%"},
    {"time", "%(time)%"},
    {"dateTime", "%(now)%"},
};

// The snippet in Quorvel's notation, or why it cannot be: the characters as
// themselves, each known variable as its macro.
std::string convertSnippet(std::string_view snippet, std::string& notation) {
    for (std::size_t at = 0;;) {
        const std::size_t open = snippet.find("#{", at);
        notation += literalNotation(snippet.substr(at, open - at));
        if (open == std::string_view::npos) {
            return {};
        }
        const std::size_t close = snippet.find('}', open);
        if (close == std::string_view::npos) {
            notation += literalNotation(snippet.substr(open));
            return {};
        }
        const std::string_view name = snippet.substr(open + 2, close - open - 2);
        const Variable* known = nullptr;
        for (const Variable& variable : Variables) {
            known = name == variable.name ? &variable : known;
        }
        if (known == nullptr) {
            return "the variable #{" + std::string(name) + "} has no Quorvel macro";
        }
        notation += known->macro;
        at = close + 1;
    }
}

ImportRow comboRow(std::size_t line, std::string keyword, std::string_view snippet, bool enabled) {
    ImportRow row = skippedRow(line, std::string(trimBlanks(keyword)), "");
    row.entry.launchMode = LaunchMode::Space;
    row.entry.trigger = row.trigger;
    if (!enabled) {
        row.skipReason = "disabled in Beeftext";
    } else if (row.trigger.empty()) {
        row.skipReason = "no keyword";
    } else {
        row.skipReason = convertSnippet(snippet, row.entry.text);
    }
    return row;
}

std::string stringField(const nlohmann::json& combo, const char* name) {
    const auto found = combo.find(name);
    return found != combo.end() && found->is_string() ? found->get<std::string>() : std::string();
}

}  // namespace

ImportRows readBeeftextJson(std::string_view json) {
    const nlohmann::json document = nlohmann::json::parse(json, nullptr, false);
    if (document.is_discarded()) {
        return {skippedRow(1, "", "the file is not valid JSON")};
    }
    const nlohmann::json* combos = &document;
    if (document.is_object()) {
        const auto found = document.find("combos");
        if (found == document.end() || !found->is_array()) {
            return {skippedRow(1, "", "the file holds no list of combos")};
        }
        combos = &*found;
    }
    ImportRows rows;
    std::size_t number = 0;
    for (const nlohmann::json& combo : *combos) {
        ++number;
        if (!combo.is_object()) {
            rows.push_back(
                skippedRow(number, "", "combo " + std::to_string(number) + " is not an object"));
            continue;
        }
        const auto enabled = combo.find("enabled");
        const std::string snippet =
            combo.contains("snippet") ? stringField(combo, "snippet") : stringField(combo, "text");
        ImportRow row =
            comboRow(number, stringField(combo, "keyword"), snippet,
                     enabled == combo.end() || !enabled->is_boolean() || enabled->get<bool>());
        rows.push_back(std::move(row));
    }
    return rows;
}

ImportRows readBeeftextCsv(std::string_view csv) {
    ImportRows rows;
    const std::vector<CsvRecord> records = parseCsv(csv);
    for (const CsvRecord& record : records) {
        if (&record == &records.front() && !record.fields.empty() &&
            equalIgnoringCase(trimBlanks(record.fields[0]), "keyword")) {
            continue;  // a header
        }
        const auto field = [&](std::size_t i) {
            return i < record.fields.size() ? record.fields[i] : std::string();
        };
        if (record.unclosedQuote) {
            rows.push_back(
                skippedRow(record.line, field(0), "a quote opened here is never closed"));
            continue;
        }
        const std::string enabled = lowerCase(trimBlanks(field(3)));
        rows.push_back(comboRow(record.line, field(0), field(1),
                                enabled != "false" && enabled != "0" && enabled != "no"));
    }
    return rows;
}

}  // namespace quorvel
