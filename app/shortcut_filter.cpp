#include "app/shortcut_filter.h"

#include <algorithm>

#include "engine/shortcut_entry.h"

namespace quorvel {

namespace {

// 3456 as "3,456".
std::string withThousands(std::size_t number) {
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ',');
    }
    return digits;
}

std::string shortcuts(std::size_t count) {
    return withThousands(count) + (count == 1 ? " shortcut" : " shortcuts");
}

}  // namespace

void ShortcutFilter::setQuery(std::string_view typed) {
    if (typed == query_) {
        return;
    }
    query_ = typed;
    search_ = WordSearch(typed);
    kept_.clear();
    builtAt_.reset();
}

void ShortcutFilter::keepShown(std::string_view entryLine) {
    if (filtering()) {
        kept_.emplace_back(entryLine);
        builtAt_.reset();
    }
}

void ShortcutFilter::update() {
    if (builtAt_ == list_.revision()) {
        return;
    }
    builtAt_ = list_.revision();
    ++generation_;
    rows_.clear();
    if (!filtering()) {
        rows_.shrink_to_fit();
        return;
    }
    for (std::size_t row = 0; row < list_.count(); ++row) {
        const std::string_view line = list_.entryLine(row);
        const std::optional<EntryLineFields> fields = splitEntryLine(line);
        const bool found =
            fields ? search_.matches(fields->trigger, fields->text) : search_.matches("", line);
        if (found || std::find(kept_.begin(), kept_.end(), line) != kept_.end()) {
            rows_.push_back(static_cast<std::uint32_t>(row));
        }
    }
}

std::size_t ShortcutFilter::shownCount() const {
    return filtering() ? rows_.size() : list_.count();
}

std::size_t ShortcutFilter::listRow(std::size_t shown) const {
    return filtering() ? rows_.at(shown) : shown;
}

std::optional<std::size_t> ShortcutFilter::shownRowOf(std::size_t listRow) const {
    if (!filtering()) {
        return listRow < list_.count() ? std::optional(listRow) : std::nullopt;
    }
    const auto found = std::lower_bound(rows_.begin(), rows_.end(), listRow);
    if (found == rows_.end() || *found != listRow) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - rows_.begin());
}

std::string ShortcutFilter::countCaption() const {
    if (!filtering()) {
        return shortcuts(list_.count());
    }
    return withThousands(rows_.size()) + " of " + shortcuts(list_.count());
}

}  // namespace quorvel
