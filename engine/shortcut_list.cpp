#include "engine/shortcut_list.h"

#include <algorithm>

#include "engine/key_filter.h"
#include "engine/shortcut_entry.h"
#include "text/utf8_text.h"

namespace quorvel {

struct ShortcutList::Row {
    std::string entryLine;
    std::string displayLine;
    // Rows whose lines compare equal keep the order in which they were added.
    std::uint64_t sequence = 0;
    std::optional<EntryLineFields> fields;  // views into entryLine
    LaunchClass launchClass = LaunchClass::Other;
};

namespace {

constexpr std::string_view CtrlToken = "{Ctrl}";

LaunchClass launchClassOf(std::string_view modeField) {
    const std::string_view head = modeField.substr(0, 3);
    if (head == "{T}") {
        return LaunchClass::Tab;
    }
    if (head == "{S}") {
        return LaunchClass::Space;
    }
    if (head == "{C}") {
        return LaunchClass::Esc;
    }
    return LaunchClass::Other;
}

std::optional<LaunchClass> classLaunchedBy(int keyCode) {
    switch (keyCode) {
        case 9:
            return LaunchClass::Tab;
        case 32:
            return LaunchClass::Space;
        case 27:
            return LaunchClass::Esc;
        default:
            return std::nullopt;
    }
}

}  // namespace

bool ShortcutList::RowOrder::operator()(const Row* a, const Row* b) const {
    const int order = compareIgnoringCase(a->entryLine, b->entryLine);
    if (order != 0) {
        return order < 0;
    }
    return a->sequence < b->sequence;
}

ShortcutList::ShortcutList() = default;
ShortcutList::~ShortcutList() = default;

std::optional<std::size_t> ShortcutList::add(std::string entryLine, std::string displayLine) {
    if (entryLine.empty()) {
        return std::nullopt;
    }
    auto row = std::make_unique<Row>();
    row->entryLine = std::move(entryLine);
    row->displayLine = std::move(displayLine);
    row->sequence = nextSequence_++;
    row->fields = splitEntryLine(row->entryLine);
    if (row->fields) {
        row->launchClass = launchClassOf(row->fields->mode);
    }
    // A saved file comes back in list order: each row then belongs at the end.
    const auto place =
        rows_.empty() || !RowOrder{}(row.get(), rows_.back().get())
            ? rows_.end()
            : std::upper_bound(rows_.begin(), rows_.end(), row.get(),
                               [](const Row* value, const std::unique_ptr<Row>& element) {
                                   return RowOrder{}(value, element.get());
                               });
    const auto index = static_cast<std::size_t>(place - rows_.begin());
    indexRow(row.get());
    rows_.insert(place, std::move(row));
    selected_.reset();
    ++revision_;
    return index;
}

void ShortcutList::removeAt(std::size_t row) {
    if (row >= rows_.size()) {
        return;
    }
    unindexRow(rows_[row].get());
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
    selected_.reset();
    ++revision_;
}

void ShortcutList::clear() {
    direct_.clear();
    ctrlStripped_.clear();
    rows_.clear();
    selected_.reset();
    ++revision_;
}

std::string_view ShortcutList::entryLine(std::size_t row) const {
    return row < rows_.size() ? std::string_view(rows_[row]->entryLine) : std::string_view();
}

std::string_view ShortcutList::displayLine(std::size_t row) const {
    return row < rows_.size() ? std::string_view(rows_[row]->displayLine) : std::string_view();
}

void ShortcutList::select(std::optional<std::size_t> row) {
    selected_ = (row && *row < rows_.size()) ? row : std::nullopt;
}

std::size_t ShortcutList::positionOf(const Row* row) const {
    const auto place = std::lower_bound(rows_.begin(), rows_.end(), row,
                                        [](const std::unique_ptr<Row>& element, const Row* value) {
                                            return RowOrder{}(element.get(), value);
                                        });
    return static_cast<std::size_t>(place - rows_.begin());
}

void ShortcutList::indexRow(const Row* row) {
    if (!row->fields) {
        return;
    }
    const auto slot = static_cast<std::size_t>(row->launchClass);
    direct_[lowerCase(row->fields->trigger)].byClass[slot].insert(row);
    // A trigger without the token is found by the direct rule first, so only
    // triggers holding it need the stripped index.
    if (row->fields->trigger.find(CtrlToken) != std::string_view::npos) {
        ctrlStripped_[lowerCase(replaceAll(row->fields->trigger, CtrlToken, ""))]
            .byClass[slot]
            .insert(row);
    }
}

void ShortcutList::unindexRow(const Row* row) {
    if (!row->fields) {
        return;
    }
    const auto slot = static_cast<std::size_t>(row->launchClass);
    auto forget = [&](Index& index, const std::string& key) {
        const auto found = index.find(key);
        if (found == index.end()) {
            return;
        }
        found->second.byClass[slot].erase(row);
        const auto& sets = found->second.byClass;
        if (std::all_of(std::begin(sets), std::end(sets),
                        [](const RowSet& set) { return set.empty(); })) {
            index.erase(found);
        }
    };
    forget(direct_, lowerCase(row->fields->trigger));
    if (row->fields->trigger.find(CtrlToken) != std::string_view::npos) {
        forget(ctrlStripped_, lowerCase(replaceAll(row->fields->trigger, CtrlToken, "")));
    }
}

const ShortcutList::Row* ShortcutList::firstAccepted(const Index& index, std::string_view typed,
                                                     int keyCode) const {
    const auto found = index.find(std::string(typed));
    if (found == index.end()) {
        return nullptr;
    }
    const Row* first = nullptr;
    auto consider = [&](const RowSet& set) {
        if (!set.empty() && (first == nullptr || RowOrder{}(*set.begin(), first))) {
            first = *set.begin();
        }
    };
    if (launchesAnyMode(keyCode)) {
        for (const RowSet& set : found->second.byClass) {
            consider(set);
        }
    } else if (const auto launched = classLaunchedBy(keyCode)) {
        consider(found->second.byClass[static_cast<std::size_t>(*launched)]);
    }
    return first;
}

std::optional<LaunchMatch> ShortcutList::findLaunch(std::string_view typed, int keyCode,
                                                    bool modifierRecorded) const {
    // Nothing typed completes no trigger: a row with an empty trigger (or one that
    // is only "{Ctrl}") would otherwise fire on a stray Space or Ctrl press.
    if (typed.empty()) {
        return std::nullopt;
    }
    // A trigger typed exactly as written wins over one matched only with "{Ctrl}"
    // left out: otherwise Shift+F9 would fire a "{Ctrl}{Shift}{F9}" entry that
    // sorts above the "{Shift}{F9}" one.
    LaunchMatch::Rule rule = LaunchMatch::Rule::Direct;
    const Row* winner = firstAccepted(direct_, typed, keyCode);
    if (winner == nullptr && modifierRecorded) {
        winner = firstAccepted(ctrlStripped_, typed, keyCode);
        rule = LaunchMatch::Rule::CtrlStripped;
    }
    if (winner == nullptr) {
        return std::nullopt;
    }
    return LaunchMatch{positionOf(winner), rule, winner->fields->mode, winner->fields->trigger,
                       winner->fields->text};
}

}  // namespace quorvel
