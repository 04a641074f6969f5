#include "ui/list_row_text.h"

namespace quorvel {

namespace {

constexpr std::string_view Ellipsis = "\xE2\x80\xA6";
constexpr std::string_view Times = "\xC3\x97";
// A longer run of line breaks shows as one mark and its count.
constexpr std::size_t MarksInARow = 3;

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

// Where the run of line breaks that starts at `at` ends, and how many it holds.
std::size_t endOfBreaks(std::string_view row, std::size_t at, std::size_t& breaks) {
    breaks = 0;
    while (at < row.size() && (row[at] == '\r' || row[at] == '\n')) {
        at += row[at] == '\r' && at + 1 < row.size() && row[at + 1] == '\n' ? 2 : 1;
        ++breaks;
    }
    return at;
}

}  // namespace

std::string markLineBreaks(std::string_view fullRow, std::string_view mark) {
    const std::size_t shownEnd = shownPart(fullRow).size();
    std::string shown;
    shown.reserve(shownEnd + Ellipsis.size());
    std::size_t at = 0;
    while (at < shownEnd) {
        const char c = fullRow[at];
        if (c != '\r' && c != '\n') {
            shown += c;
            ++at;
            continue;
        }
        std::size_t breaks = 0;
        at = endOfBreaks(fullRow, at, breaks);
        if (breaks > MarksInARow) {
            shown.append(mark).append(Times).append(std::to_string(breaks));
        } else {
            for (; breaks > 0; --breaks) {
                shown += mark;
            }
        }
    }
    if (at < fullRow.size()) {
        shown += Ellipsis;
    }
    return shown;
}

}  // namespace quorvel
