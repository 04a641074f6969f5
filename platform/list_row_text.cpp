#include "platform/list_row_text.h"

namespace quorvel {

std::string markLineBreaks(std::string_view row, std::string_view mark) {
    std::string shown;
    shown.reserve(row.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
        const char c = row[i];
        if (c != '\r' && c != '\n') {
            shown += c;
            continue;
        }
        shown += mark;
        if (c == '\r' && i + 1 < row.size() && row[i + 1] == '\n') {
            ++i;
        }
    }
    return shown;
}

}  // namespace quorvel
