#include "engine/shortcut_list.h"

#include <algorithm>
#include <limits>

#include "engine/key_filter.h"
#include "engine/shortcut_entry.h"
#include "platform/virtual_keys.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

constexpr std::string_view CtrlToken = "{Ctrl}";
constexpr std::size_t StoreLimit = std::numeric_limits<std::uint32_t>::max();
// Removed rows' bytes stay in the store until they are half of it.
constexpr std::size_t SmallestCompaction = 64 * 1024;

// The one mode that Tab, Space or Esc launches; every other launching key
// launches entries of any mode.
std::optional<LaunchMode> modeLaunchedBy(int keyCode) {
    switch (keyCode) {
        case vk::Tab:
            return LaunchMode::Tab;
        case vk::Space:
            return LaunchMode::Space;
        case vk::Esc:
            return LaunchMode::Esc;
        default:
            return std::nullopt;
    }
}

constexpr LaunchMode AllModes[] = {LaunchMode::None, LaunchMode::Space, LaunchMode::Tab,
                                   LaunchMode::Esc, LaunchMode::FunctionKey};

}  // namespace

std::string_view ShortcutList::lineOf(RowId id) const {
    const Row& row = rows_[id];
    return std::string_view(store_).substr(row.offset, row.length);
}

bool ShortcutList::before(RowId a, RowId b) const {
    const int order = compareIgnoringCase(lineOf(a), lineOf(b));
    if (order != 0) {
        return order < 0;
    }
    return rows_[a].sequence < rows_[b].sequence;
}

std::optional<ShortcutList::RowId> ShortcutList::store(std::string_view entryLine) {
    if (entryLine.empty() || entryLine.size() > StoreLimit - store_.size()) {
        return std::nullopt;
    }
    Row row;
    row.offset = static_cast<std::uint32_t>(store_.size());
    row.length = static_cast<std::uint32_t>(entryLine.size());
    row.sequence = nextSequence_++;
    if (const auto fields = splitEntryLine(entryLine)) {
        row.indexed = true;
        row.launchMode = launchModeOf(fields->mode);
        row.enterAfter = enterAfterOf(fields->mode);
        row.triggerTyped = triggerTypesCharacters(fields->trigger);
        row.strippable = fields->trigger.find(CtrlToken) != std::string_view::npos;
    }
    store_.append(entryLine);
    if (freeIds_.empty()) {
        rows_.push_back(row);
        return static_cast<RowId>(rows_.size() - 1);
    }
    const RowId id = freeIds_.back();
    freeIds_.pop_back();
    rows_[id] = row;
    return id;
}

void ShortcutList::makeRoomForSequences(std::size_t rows) {
    if (rows <= std::numeric_limits<std::uint32_t>::max() - nextSequence_) {
        return;
    }
    // Renumbering in list order keeps every row where it is.
    for (std::size_t position = 0; position < order_.size(); ++position) {
        rows_[order_[position]].sequence = static_cast<std::uint32_t>(position);
    }
    nextSequence_ = static_cast<std::uint32_t>(order_.size());
}

void ShortcutList::release(RowId id) {
    storeGarbage_ += rows_[id].length;
    rows_[id] = Row{};
    freeIds_.push_back(id);
    shownAs_.erase(id);
    if (order_.empty()) {
        clear();
    } else if (storeGarbage_ >= SmallestCompaction && storeGarbage_ * 2 >= store_.size()) {
        compactStore();
    }
}

void ShortcutList::compactStore() {
    std::string compacted;
    compacted.reserve(store_.size() - storeGarbage_);
    for (const RowId id : order_) {
        const std::string_view line = lineOf(id);
        rows_[id].offset = static_cast<std::uint32_t>(compacted.size());
        compacted.append(line);
    }
    store_ = std::move(compacted);
    storeGarbage_ = 0;
}

std::string ShortcutList::keyOf(RowId id, KeyRule rule) const {
    const std::string_view trigger = splitEntryLine(lineOf(id))->trigger;
    return rule == KeyRule::Direct ? lowerCase(trigger)
                                   : lowerCase(replaceAll(trigger, CtrlToken, ""));
}

namespace {

std::uint32_t hashOf(std::string_view key, LaunchMode launchMode) {
    std::uint32_t hash = 2166136261u ^ static_cast<std::uint32_t>(launchMode);
    for (const char byte : key) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
    }
    return hash;
}

}  // namespace

void ShortcutList::index(RowId id) {
    const Row& row = rows_[id];
    if (!row.indexed) {
        return;
    }
    const auto add = [&](TriggerIndex& index, KeyRule rule) {
        const std::string key = keyOf(id, rule);
        index.insert(
            hashOf(key, row.launchMode), id,
            [&](RowId other) {
                return rows_[other].launchMode == row.launchMode && keyOf(other, rule) == key;
            },
            [&](RowId a, RowId b) { return before(a, b); });
    };
    add(direct_, KeyRule::Direct);
    // A trigger without the token is found by the direct rule first, so only
    // triggers holding it need the stripped index.
    if (row.strippable) {
        add(ctrlStripped_, KeyRule::CtrlStripped);
    }
}

void ShortcutList::unindex(std::size_t position) {
    const RowId id = order_[position];
    const Row& row = rows_[id];
    if (!row.indexed) {
        return;
    }
    const auto forget = [&](TriggerIndex& index, KeyRule rule) {
        const std::string key = keyOf(id, rule);
        const auto holds = [&](RowId other) {
            return rows_[other].indexed && rows_[other].launchMode == row.launchMode &&
                   (rule == KeyRule::Direct || rows_[other].strippable) &&
                   keyOf(other, rule) == key;
        };
        // The first holder goes: the next one is further down the list. Two
        // rows share a trigger and a launch key rarely, so a walk is cheap enough.
        const auto nextHolder = [&] {
            for (std::size_t later = position + 1; later < order_.size(); ++later) {
                if (holds(order_[later])) {
                    return order_[later];
                }
            }
            return TriggerIndex::NoRow;
        };
        index.remove(hashOf(key, row.launchMode), id, holds, nextHolder);
    };
    forget(direct_, KeyRule::Direct);
    if (row.strippable) {
        forget(ctrlStripped_, KeyRule::CtrlStripped);
    }
}

std::optional<std::size_t> ShortcutList::add(std::string_view entryLine,
                                             std::optional<std::string_view> shownAs) {
    makeRoomForSequences(1);
    const std::optional<RowId> id = store(entryLine);
    if (!id) {
        return std::nullopt;
    }
    // A saved file comes back in list order: each row then belongs at the end.
    const auto place = order_.empty() || !before(*id, order_.back())
                           ? order_.end()
                           : std::upper_bound(order_.begin(), order_.end(), *id,
                                              [this](RowId a, RowId b) { return before(a, b); });
    const auto position = static_cast<std::size_t>(place - order_.begin());
    index(*id);
    order_.insert(place, *id);
    if (shownAs && *shownAs != displayFromEntryLine(lineOf(*id))) {
        shownAs_.emplace(*id, *shownAs);
    }
    selected_.reset();
    ++revision_;
    return position;
}

std::size_t ShortcutList::addAll(std::span<const std::string_view> entryLines) {
    return addLines(entryLines, Repeats::Keep).added;
}

std::size_t ShortcutList::addAll(const PackedLines& entryLines) {
    return addLines(entryLines, Repeats::Keep).added;
}

ShortcutList::AddedLines ShortcutList::addAllNew(const PackedLines& entryLines) {
    return addLines(entryLines, Repeats::Skip);
}

template <class Lines>
ShortcutList::AddedLines ShortcutList::addLines(const Lines& entryLines, Repeats repeats) {
    makeRoomForSequences(entryLines.size());
    const std::uint32_t firstNew = nextSequence_;
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < entryLines.size(); ++i) {
        bytes += entryLines[i].size();
    }
    store_.reserve(store_.size() + std::min(bytes, StoreLimit - store_.size()));
    rows_.reserve(rows_.size() + entryLines.size());
    direct_.reserve(entryLines.size());
    // The new rows go straight to the end of the order, then take their places.
    const std::size_t held = order_.size();
    order_.reserve(held + entryLines.size());
    for (std::size_t i = 0; i < entryLines.size(); ++i) {
        if (const std::optional<RowId> id = store(entryLines[i])) {
            if (repeats == Repeats::Keep) {
                index(*id);
            }
            order_.push_back(*id);
        }
    }
    const std::size_t stored = order_.size() - held;
    const auto inOrder = [this](RowId a, RowId b) { return before(a, b); };
    const auto added = order_.begin() + static_cast<std::ptrdiff_t>(held);
    // A file the program saved is in list order already.
    if (!std::is_sorted(added, order_.end(), inOrder)) {
        std::sort(added, order_.end(), inOrder);
    }
    std::inplace_merge(order_.begin(), added, order_.end(), inOrder);
    const std::size_t dropped = repeats == Repeats::Skip ? dropRepeatsAndIndex(firstNew) : 0;
    const std::size_t count = stored - dropped;
    if (count > 0) {
        selected_.reset();
    }
    if (stored > 0) {
        ++revision_;  // the store may have moved
    }
    return {.added = count, .repeats = dropped};
}

// Only identical lines compare equal, and equal lines stand in the order they
// came: a repeat follows the row it repeats, and one walk finds every repeat,
// in the file and in the list, at about the cost of the merge before it.
std::size_t ShortcutList::dropRepeatsAndIndex(std::uint32_t firstNew) {
    std::vector<RowId> dropped;
    std::size_t kept = 0;
    for (std::size_t position = 0; position < order_.size(); ++position) {
        const RowId id = order_[position];
        const bool isNew = rows_[id].sequence >= firstNew;
        if (isNew && kept > 0 && lineOf(order_[kept - 1]) == lineOf(id)) {
            dropped.push_back(id);
            continue;
        }
        if (isNew) {
            index(id);
        }
        order_[kept++] = id;
    }
    order_.resize(kept);
    for (const RowId id : dropped) {
        release(id);
    }
    return dropped.size();
}

void ShortcutList::removeAt(std::size_t row) {
    if (row >= order_.size()) {
        return;
    }
    unindex(row);
    const RowId id = order_[row];
    order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(row));
    release(id);
    selected_.reset();
    ++revision_;
}

void ShortcutList::clear() {
    std::string().swap(store_);
    storeGarbage_ = 0;
    std::vector<Row>().swap(rows_);
    std::vector<RowId>().swap(freeIds_);
    std::vector<RowId>().swap(order_);
    shownAs_.clear();
    direct_.clear();
    ctrlStripped_.clear();
    nextSequence_ = 0;
    selected_.reset();
    ++revision_;
}

std::string_view ShortcutList::entryLine(std::size_t row) const {
    return row < order_.size() ? lineOf(order_[row]) : std::string_view();
}

std::string ShortcutList::displayLine(std::size_t row) const {
    if (row >= order_.size()) {
        return {};
    }
    if (const auto shown = shownAs_.find(order_[row]); shown != shownAs_.end()) {
        return shown->second;
    }
    return displayFromEntryLine(lineOf(order_[row]));
}

bool ShortcutList::contains(std::string_view entryLine) const {
    auto candidate = std::lower_bound(order_.begin(), order_.end(), entryLine,
                                      [this](RowId id, std::string_view line) {
                                          return compareIgnoringCase(lineOf(id), line) < 0;
                                      });
    for (; candidate != order_.end() && compareIgnoringCase(lineOf(*candidate), entryLine) == 0;
         ++candidate) {
        if (lineOf(*candidate) == entryLine) {
            return true;
        }
    }
    return false;
}

void ShortcutList::select(std::optional<std::size_t> row) {
    selected_ = (row && *row < order_.size()) ? row : std::nullopt;
}

std::size_t ShortcutList::positionOf(RowId id) const {
    const auto place = std::lower_bound(order_.begin(), order_.end(), id,
                                        [this](RowId a, RowId b) { return before(a, b); });
    return static_cast<std::size_t>(place - order_.begin());
}

ShortcutList::RowId ShortcutList::firstAccepted(KeyRule rule, std::string_view typed,
                                                int keyCode) const {
    const TriggerIndex& index = rule == KeyRule::Direct ? direct_ : ctrlStripped_;
    RowId first = TriggerIndex::NoRow;
    const auto consider = [&](LaunchMode launchMode) {
        const RowId found = index.first(hashOf(typed, launchMode), [&](RowId other) {
            return rows_[other].launchMode == launchMode && keyOf(other, rule) == typed;
        });
        if (found != TriggerIndex::NoRow &&
            (first == TriggerIndex::NoRow || before(found, first))) {
            first = found;
        }
    };
    if (launchesAnyMode(keyCode)) {
        for (const LaunchMode launchMode : AllModes) {
            consider(launchMode);
        }
    } else if (const auto launched = modeLaunchedBy(keyCode)) {
        consider(*launched);
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
    RowId winner = firstAccepted(KeyRule::Direct, typed, keyCode);
    if (winner == TriggerIndex::NoRow && modifierRecorded) {
        winner = firstAccepted(KeyRule::CtrlStripped, typed, keyCode);
        rule = LaunchMatch::Rule::CtrlStripped;
    }
    if (winner == TriggerIndex::NoRow) {
        return std::nullopt;
    }
    const EntryLineFields fields = *splitEntryLine(lineOf(winner));
    const Row& row = rows_[winner];
    return LaunchMatch{positionOf(winner), rule,           row.launchMode, row.enterAfter,
                       row.triggerTyped,   fields.trigger, fields.text};
}

std::size_t ShortcutList::heapBytes() const {
    std::size_t shown = 0;
    for (const auto& [id, text] : shownAs_) {
        shown += sizeof(std::pair<const RowId, std::string>) + 2 * sizeof(void*) + text.capacity();
    }
    return store_.capacity() + rows_.capacity() * sizeof(Row) +
           (freeIds_.capacity() + order_.capacity()) * sizeof(RowId) + shown + direct_.heapBytes() +
           ctrlStripped_.heapBytes();
}

}  // namespace quorvel
