#pragma once
// A list of text rows that the control never stores: it asks for the text of
// each row it paints (an owner-data report list view), so showing 30,000 rows
// costs no more than showing ten.

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/win32/widgets/handles.h"

namespace quorvel {

// Loads the common controls library and registers the list view class; keep the
// result for as long as list views exist.
UniqueHmodule loadCommonControls();

HWND createVirtualList(HWND parent, int id, HFONT font);

// Row count as the control knows it; setting it keeps the scroll position.
std::size_t virtualRowCount(HWND list);
void setVirtualRowCount(HWND list, std::size_t count);

// Widens the one column to the control's client width.
void fitVirtualColumn(HWND list);

// The mark that stands for a line break in a list row.
inline constexpr std::string_view lineBreakMark() {
    return "¶";
}

// Answers the control's request for a row's text, given in UTF-8.
void fillRowText(NMLVDISPINFOW& request, std::string_view text);

std::optional<std::size_t> selectedVirtualRow(HWND list);
void selectVirtualRow(HWND list, std::optional<std::size_t> row);

}  // namespace quorvel
