#pragma once
// What a list shows for a row: line breaks would draw as empty boxes, so each
// is shown as a mark. Only the shown text changes; the row keeps its text.

#include <string>
#include <string_view>

namespace quorvel {

// No list row shows more of its text than this many bytes: a row of megabytes
// would be converted again at every paint of the list, and no one reads that
// much in one row.
inline constexpr std::size_t ShownRowBytes = 2000;

// Each CR LF, and each CR or LF on its own, replaced by `mark`; more than three
// in a row show as one mark and their count ("¶×40"), so that a text of blank
// lines still reads. A row longer than ShownRowBytes shows its start, cut
// between two characters, and "…".
std::string markLineBreaks(std::string_view row, std::string_view mark);

}  // namespace quorvel
