#include "app/insert_popup.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <tuple>

#include "engine/macro_expander.h"
#include "engine/shortcut_entry.h"
#include "text/word_search.h"
#include "ui/list_row_text.h"

namespace quorvel {

namespace {

constexpr std::string_view Ellipsis = "\xE2\x80\xA6";

// At most `bytes` bytes, not ending inside a UTF-8 character.
std::string_view cut(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) {
        return text;
    }
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) {
        --bytes;
    }
    return text.substr(0, bytes);
}

}  // namespace

std::string popupRowText(std::string_view trigger, std::string_view text) {
    std::string shown(cut(trigger, InsertPopup::ShownTextBytes));
    shown += "    ";
    const std::string_view firstLine = text.substr(0, text.find_first_of("\r\n"));
    std::string_view part = cut(firstLine, InsertPopup::ShownTextBytes);
    if (firstLine.empty() && !text.empty()) {
        // A text that starts with a line break shows its breaks as marks.
        part = cut(text, 16);
        shown += markLineBreaks(part, "\xC2\xB6");
    } else {
        shown += part;
    }
    if (part.size() < text.size()) {
        shown += Ellipsis;
    }
    return shown;
}

InsertPopup::InsertPopup(const ShortcutList& shortcuts, const TextRows& commonTexts,
                         const UsageHistory& usage)
    : shortcuts_(shortcuts), commonTexts_(commonTexts), usage_(usage) {
    searchBox.onChange = [this] { search(); };
}

void InsertPopup::open() {
    orderShortcuts();
    note.caption.clear();
    visible = true;
    if (searchBox.text().empty()) {
        search();
    } else {
        searchBox.setText("");
    }
}

namespace {

std::size_t fingerprintOf(std::string_view text) {
    return std::hash<std::string_view>{}(text);
}

// The row's text where a list still holds it: at its place, or, the list
// having changed, wherever it went.
template <class TextAt>
std::optional<std::string_view> stillHeld(const InsertPopup::Row& row, std::size_t count,
                                          TextAt textAt) {
    if (row.index < count && fingerprintOf(textAt(row.index)) == row.fingerprint) {
        return textAt(row.index);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (fingerprintOf(textAt(i)) == row.fingerprint) {
            return textAt(i);
        }
    }
    return std::nullopt;
}

}  // namespace

void InsertPopup::close() {
    visible = false;
    rows.clear();
    selected.reset();
    order_.clear();
    ++revision;
}

void InsertPopup::orderShortcuts() {
    struct Used {
        DateTime lastUsed;
        std::uint32_t count;
        std::size_t row;
    };
    std::vector<Used> used;
    std::vector<std::size_t> rest;
    rest.reserve(shortcuts_.count());
    for (std::size_t row = 0; row < shortcuts_.count(); ++row) {
        const auto fields = splitEntryLine(shortcuts_.entryLine(row));
        const UsageRecord* record = fields ? usage_.find(fields->trigger, fields->text) : nullptr;
        if (record) {
            used.push_back({record->lastUsed, record->count, row});
        } else {
            rest.push_back(row);
        }
    }
    // The latest first; within one second the more used, then list order.
    std::ranges::sort(used, [](const Used& a, const Used& b) {
        return std::tie(b.lastUsed, b.count, a.row) < std::tie(a.lastUsed, a.count, b.row);
    });
    order_.clear();
    order_.reserve(shortcuts_.count());
    for (const Used& u : used) {
        order_.push_back(u.row);
    }
    order_.insert(order_.end(), rest.begin(), rest.end());
}

void InsertPopup::search() {
    const WordSearch words(searchBox.text());
    rows.clear();
    for (const std::size_t row : order_) {
        if (rows.size() == MaxRows) {
            break;
        }
        const std::string_view line = shortcuts_.entryLine(row);
        const auto fields = splitEntryLine(line);
        if (fields && words.matches(fields->trigger, fields->text)) {
            rows.push_back({Row::Kind::Shortcut, row, fingerprintOf(line),
                            popupRowText(fields->trigger, fields->text)});
        }
    }
    for (std::size_t i = 0; i < commonTexts_.size() && rows.size() < MaxRows; ++i) {
        const std::string_view text = commonTexts_[i];
        if (!text.empty() && words.matches("", text)) {
            rows.push_back({Row::Kind::CommonText, i, fingerprintOf(text), popupRowText("", text)});
        }
    }
    selected = rows.empty() ? std::nullopt : std::optional<std::size_t>(0);
    ++revision;
}

void InsertPopup::moveSelection(int by) {
    if (rows.empty()) {
        return;
    }
    const auto last = static_cast<long long>(rows.size()) - 1;
    const long long from = selected ? static_cast<long long>(*selected) : 0;
    selected = static_cast<std::size_t>(std::clamp(from + by, 0LL, last));
}

void InsertPopup::select(std::size_t row) {
    if (row < rows.size()) {
        selected = row;
    }
}

void InsertPopup::choose() {
    if (selected) {
        chooseRow(*selected);
    }
}

void InsertPopup::chooseRow(std::size_t index) {
    if (!visible || index >= rows.size()) {
        return;
    }
    const Row& row = rows[index];
    SendRequest request;
    if (row.kind == Row::Kind::Shortcut) {
        const auto line = stillHeld(row, shortcuts_.count(),
                                    [this](std::size_t i) { return shortcuts_.entryLine(i); });
        const auto fields = line ? splitEntryLine(*line) : std::nullopt;
        if (!fields) {
            note.caption = "That shortcut is no longer in the list; nothing was typed.";
            orderShortcuts();
            search();
            return;
        }
        if (approvals != nullptr && mayStartProgram(fields->text) && !approvals->approved(*line)) {
            note.caption =
                "That shortcut starts a program you have not approved; nothing was typed. See "
                "\"Programs Waiting for Approval...\" in the Options menu.";
            return;
        }
        request.trigger = std::string(fields->trigger);
        request.text = std::string(fields->text);
        request.enterAfter = enterAfterOf(fields->mode);
    } else {
        const auto text =
            stillHeld(row, commonTexts_.size(), [this](std::size_t i) { return commonTexts_[i]; });
        if (!text) {
            note.caption = "That text is no longer in Common Text; nothing was typed.";
            search();
            return;
        }
        request.text = std::string(*text);
        request.plainText = true;
    }
    close();
    if (onChosen) {
        onChosen(std::move(request));
    }
}

}  // namespace quorvel
