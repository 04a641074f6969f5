#pragma once
// Finding shortcuts by what they say: the words typed into a search box, each of
// which must occur somewhere in a row's trigger or text, in any order, letter
// case ignored. The query is folded once; rows are read where they lie.

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
    // Whether every word occurs in `trigger` or in `text`.
    bool matches(std::string_view trigger, std::string_view text) const;

  private:
    std::vector<std::string> words_;  // folded
};

// The text with letter case folded, for comparing without regard to case.
std::string foldCase(std::string_view text);

}  // namespace quorvel
