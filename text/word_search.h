#pragma once
// Finding shortcuts by what they say: the words typed into a search box, each of
// which must occur somewhere in a row's trigger or text, in any order, letter
// case ignored in every script. The query is folded once; each row is folded
// as it is read, into one buffer the search reuses, so the texts are never
// held twice.

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class WordSearch {
  public:
    // Splits the typed query at spaces and tabs; an empty or blank query matches
    // every row.
    explicit WordSearch(std::string_view typed);

    bool empty() const { return words_.empty(); }
    // Whether every word occurs in `trigger` or in `text`. Not for two threads
    // at once: the rows are folded into the search's own buffer.
    bool matches(std::string_view trigger, std::string_view text) const;

  private:
    std::vector<std::string> words_;  // folded
    mutable std::string folded_;      // the row being read: trigger, then text
};

// The text with letter case folded, for comparing without regard to case.
std::string foldCase(std::string_view text);

}  // namespace quorvel
