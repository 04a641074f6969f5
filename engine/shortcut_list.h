#pragma once
// The shortcut list: every entry as its entry line (what the engine scans and the
// file stores) and its display line (what the user sees), row for row, kept in
// ascending order of the entry line without regard to case.
//
// Besides the rows the list keeps an index from trigger to rows, so that finding
// the entry a launching key completes costs the same with 100 entries as with
// 100,000, with exactly the result of scanning the rows from the top.

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel {

// Which launch keys a row's mode field accepts (by its first three characters).
enum class LaunchClass : std::uint8_t { Tab, Space, Esc, Other };

struct LaunchMatch {
    enum class Rule { Direct, CtrlStripped };
    std::size_t row = 0;
    Rule rule = Rule::Direct;
    std::string_view mode;     // the row's mode field, trimmed
    std::string_view trigger;  // the row's trigger field, trimmed
    std::string_view text;     // the row's text
};

class ShortcutList {
  public:
    ShortcutList();
    ~ShortcutList();
    ShortcutList(const ShortcutList&) = delete;
    ShortcutList& operator=(const ShortcutList&) = delete;

    // Adds a pair of lines at their sorted place (after rows that compare equal)
    // and returns the row index. An empty entry line is refused: a row that reads
    // as empty would end every scan before the entries below it.
    std::optional<std::size_t> add(std::string entryLine, std::string displayLine);
    void removeAt(std::size_t row);
    void clear();

    std::size_t count() const { return rows_.size(); }
    // The lines of row i; empty past the last row.
    std::string_view entryLine(std::size_t row) const;
    std::string_view displayLine(std::size_t row) const;

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

  private:
    struct Row;
    struct RowOrder {
        bool operator()(const Row* a, const Row* b) const;
    };
    using RowSet = std::set<const Row*, RowOrder>;
    struct Candidates {
        RowSet byClass[4];
    };
    using Index = std::unordered_map<std::string, Candidates>;

    std::size_t positionOf(const Row* row) const;
    void indexRow(const Row* row);
    void unindexRow(const Row* row);
    const Row* firstAccepted(const Index& index, std::string_view typed, int keyCode) const;

    std::vector<std::unique_ptr<Row>> rows_;
    Index direct_;
    Index ctrlStripped_;
    std::optional<std::size_t> selected_;
    std::uint64_t nextSequence_ = 0;
    std::uint64_t revision_ = 0;
};

}  // namespace quorvel
