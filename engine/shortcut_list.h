#pragma once
// The shortcut list: every entry as its entry line (what the engine scans and the
// file stores), kept in ascending order of the entry line without regard to case.
// The line the user sees is made from the entry line when a row is drawn.
//
// A list may hold 100,000 entries, so it keeps each line once: the lines one
// after another in one store, each row a small record of where its line is,
// the order a vector of row numbers. Besides the rows the list keeps an index
// from trigger to rows, so that finding the entry a launching key completes
// costs the same with 100 entries as with 100,000, with exactly the result of
// scanning the rows from the top.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/shortcut_entry.h"
#include "engine/trigger_index.h"

namespace quorvel {

struct LaunchMatch {
    enum class Rule { Direct, CtrlStripped };
    std::size_t row = 0;
    Rule rule = Rule::Direct;
    LaunchMode launchMode = LaunchMode::None;
    bool enterAfter = false;
    // The trigger's characters went into the application as they were typed
    // (see triggerTypesCharacters), so a send erases them.
    bool triggerTyped = false;
    std::string_view trigger;  // the row's trigger field, trimmed
    std::string_view text;     // the row's text
};

// Lines one after another in one text, line i ending at ends[i]: a file's
// lines as they are read, without a view of its own for each.
struct PackedLines {
    std::string_view text;
    std::span<const std::size_t> ends;

    std::size_t size() const { return ends.size(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t start = i == 0 ? 0 : ends[i - 1];
        return text.substr(start, ends[i] - start);
    }
};

class ShortcutList {
  public:
    // Adds an entry line at its sorted place (after rows that compare equal)
    // and returns the row index. An empty entry line is refused: a row that
    // reads as empty would end every scan before the entries below it. So is a
    // line that would take the store past 4 GiB.
    //
    // The row shows as its entry line with every separator made "-", or as
    // `shownAs` when given (the editor shows a new entry as the user typed it).
    std::optional<std::size_t> add(std::string_view entryLine,
                                   std::optional<std::string_view> shownAs = std::nullopt);
    // Adds the lines as add() would one by one, sorting once; returns how many
    // were added.
    std::size_t addAll(std::span<const std::string_view> entryLines);
    std::size_t addAll(const PackedLines& entryLines);
    // The same, but leaves out a line that a row holds already or that came
    // earlier among the lines: an entry line is the whole entry, so a second
    // row with it could only repeat the first.
    struct AddedLines {
        std::size_t added = 0;
        std::size_t repeats = 0;  // left out
    };
    AddedLines addAllNew(const PackedLines& entryLines);
    void removeAt(std::size_t row);
    void clear();

    std::size_t count() const { return order_.size(); }
    // The lines of row i; empty past the last row.
    std::string_view entryLine(std::size_t row) const;
    std::string displayLine(std::size_t row) const;
    // Whether a row holds exactly this entry line.
    bool contains(std::string_view entryLine) const;

    // The row selected in the display list.
    std::optional<std::size_t> selectedIndex() const { return selected_; }
    void select(std::optional<std::size_t> row);

    // Counts every change of rows, so that a view knows when to redraw.
    std::uint64_t revision() const { return revision_; }

    // The row that the launching key completes, among rows whose mode accepts
    // the key: the first, in list order, whose trigger lower-cased equals `typed`
    // (the direct rule); failing that, when a modifier is recorded, the first
    // whose trigger with every "{Ctrl}" removed does (the Ctrl-stripped rule).
    // Rows with fewer than two separators never match, and nothing matches an
    // empty `typed`.
    std::optional<LaunchMatch> findLaunch(std::string_view typed, int keyCode,
                                          bool modifierRecorded) const;

    // The bytes the list has taken from the heap.
    std::size_t heapBytes() const;

  private:
    using RowId = std::uint32_t;
    struct Row {
        std::uint32_t offset = 0;  // of the entry line in store_
        std::uint32_t length = 0;
        // Rows whose lines compare equal keep the order in which they were added.
        std::uint32_t sequence = 0;
        // Read from the line's fields once, when it is stored.
        LaunchMode launchMode = LaunchMode::None;
        bool indexed : 1 = false;     // the line has its two separators
        bool strippable : 1 = false;  // its trigger holds "{Ctrl}"
        bool enterAfter : 1 = false;
        bool triggerTyped : 1 = false;
    };
    enum class KeyRule { Direct, CtrlStripped };
    enum class Repeats { Keep, Skip };

    std::string_view lineOf(RowId id) const;
    bool before(RowId a, RowId b) const;
    // Puts the line in the store as a new row; the caller indexes and places it.
    std::optional<RowId> store(std::string_view entryLine);
    template <class Lines>
    AddedLines addLines(const Lines& entryLines, Repeats repeats);
    std::size_t dropRepeatsAndIndex(std::uint32_t firstNew);
    void makeRoomForSequences(std::size_t rows);
    void release(RowId id);
    void compactStore();
    std::string keyOf(RowId id, KeyRule rule) const;
    void index(RowId id);
    void unindex(std::size_t position);
    RowId firstAccepted(KeyRule rule, std::string_view typed, int keyCode) const;
    std::size_t positionOf(RowId id) const;

    std::string store_;             // the entry lines, one after another
    std::size_t storeGarbage_ = 0;  // bytes of removed rows still in store_
    std::vector<Row> rows_;         // by row id
    std::vector<RowId> freeIds_;    // of removed rows
    std::vector<RowId> order_;      // row ids in list order
    std::unordered_map<RowId, std::string> shownAs_;
    TriggerIndex direct_;
    TriggerIndex ctrlStripped_;
    std::optional<std::size_t> selected_;
    std::uint32_t nextSequence_ = 0;
    std::uint64_t revision_ = 0;
};

}  // namespace quorvel
