#include "commontext/text_rows.h"

#include <utility>

namespace quorvel {

std::string_view TextRows::operator[](std::size_t row) const {
    return std::string_view(bytes_).substr(begin(row), ends_[row] - begin(row));
}

void TextRows::push_back(std::string_view text) {
    bytes_.append(text);
    ends_.push_back(bytes_.size());
    ++revision_;
}

void TextRows::erase(std::size_t row) {
    const std::size_t first = begin(row);
    const std::size_t length = ends_[row] - first;
    bytes_.erase(first, length);
    ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(row));
    for (std::size_t later = row; later < ends_.size(); ++later) {
        ends_[later] -= length;
    }
    ++revision_;
}

void TextRows::reorder(std::span<const std::size_t> order) {
    std::string bytes;
    bytes.reserve(bytes_.size());
    std::vector<std::size_t> ends;
    ends.reserve(order.size());
    for (const std::size_t row : order) {
        bytes.append((*this)[row]);
        ends.push_back(bytes.size());
    }
    bytes_ = std::move(bytes);
    ends_ = std::move(ends);
    ++revision_;
}

}  // namespace quorvel
