#pragma once
// What a list shows for a row: line breaks would draw as empty boxes, so each
// is shown as a mark. Only the shown text changes; the row keeps its text.

#include <string>
#include <string_view>

namespace quorvel {

// Each CR LF, and each CR or LF on its own, replaced by `mark`.
std::string markLineBreaks(std::string_view row, std::string_view mark);

}  // namespace quorvel
