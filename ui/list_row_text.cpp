#include "ui/list_row_text.h"

namespace quorvel {

namespace {

constexpr std::string_view Ellipsis = "\xE2\x80\xA6";

// The row's first ShownRowBytes bytes at most, not ending inside a UTF-8
// character.
std::string_view shownPart(std::string_view row) {
    if (row.size() <= ShownRowBytes) {
        return row;
    }
    std::size_t end = ShownRowBytes;
    while (end > 0 && (static_cast<unsigned char>(row[end]) & 0xC0) == 0x80) {
        --end;
    }
    return row.substr(0, end);
}

}  // namespace

std::string markLineBreaks(std::string_view fullRow, std::string_view mark) {
    const std::string_view row = shownPart(fullRow);
    std::string shown;
    shown.reserve(row.size() + Ellipsis.size());
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
    if (row.size() < fullRow.size()) {
        shown += Ellipsis;
    }
    return shown;
}

}  // namespace quorvel
