#pragma once
// The rows of the shortcut list that the search box lets through: every word
// typed must occur in a row's trigger or text. The view shows these rows by
// their place among them; each stands for a row of the list, which is what the
// editor selects, changes and deletes. Rebuilt when the query or the list's
// revision changes; with no query every row shows, with no copy of the rows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/shortcut_list.h"
#include "text/word_search.h"

namespace quorvel {

class ShortcutFilter {
  public:
    explicit ShortcutFilter(const ShortcutList& list) : list_(list) {}

    const std::string& query() const { return query_; }
    void setQuery(std::string_view typed);
    // A row the user has just added shows whatever the query, until the query
    // changes: they see what they added.
    void keepShown(std::string_view entryLine);

    // Brings the rows up to date with the query and the list.
    void update();

    bool filtering() const { return !search_.empty(); }
    // Counts the rebuilds, so that a view knows when to redraw.
    std::uint64_t generation() const { return generation_; }
    std::size_t shownCount() const;
    // The list row shown at `shown`.
    std::size_t listRow(std::size_t shown) const;
    // Where the list row shows, if it does.
    std::optional<std::size_t> shownRowOf(std::size_t listRow) const;
    // "12 of 3,456 shortcuts", or "3,456 shortcuts" with no query.
    std::string countCaption() const;

  private:
    const ShortcutList& list_;
    std::string query_;
    WordSearch search_{""};
    std::vector<std::string> kept_;
    std::vector<std::uint32_t> rows_;       // list rows, ascending, while filtering
    std::optional<std::uint64_t> builtAt_;  // the list's revision
    std::uint64_t generation_ = 0;
};

}  // namespace quorvel
