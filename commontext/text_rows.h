#pragma once
// Common Text's rows, kept in one buffer: a row costs its bytes and one offset.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class TextRows {
  public:
    TextRows() = default;
    TextRows(std::initializer_list<std::string_view> texts) {
        for (const std::string_view text : texts) {
            push_back(text);
        }
    }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t row) const;

    void push_back(std::string_view text);
    void erase(std::size_t row);
    // Gives back the room kept for rows still to come.
    void shrinkToFit() {
        bytes_.shrink_to_fit();
        ends_.shrink_to_fit();
    }
    // Puts the rows in `order`, which names every row once.
    void reorder(std::span<const std::size_t> order);

    // Changes with every change to the rows, so a view can tell when to redraw.
    std::uint64_t revision() const { return revision_; }

  private:
    std::size_t begin(std::size_t row) const { return row == 0 ? 0 : ends_[row - 1]; }

    std::string bytes_;
    std::vector<std::size_t> ends_;  // where each row ends in bytes_
    std::uint64_t revision_ = 0;
};

}  // namespace quorvel
