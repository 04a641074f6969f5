#pragma once
// A plain list box that shows a model's rows and its chosen row, and a window's
// focus moved on from a control that has just been disabled.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// Fills `list` with `rows` when they differ from `shown` (what it holds now),
// scrolling sideways as far as the longest row when `scrollSideways`, and
// chooses `selected` (nothing when empty). Choosing scrolls the row into view.
void syncListBox(HWND list, const std::vector<std::string>& rows, std::vector<std::string>& shown,
                 std::optional<std::size_t> selected, bool scrollSideways = false);

// The row the user chose, on a list box's notification; nothing for other ones.
std::optional<std::size_t> chosenListRow(HWND list, int notification);

// A button that has just done its work for good (the last row removed) is
// disabled: the focus goes on to the next control rather than to nowhere.
void moveFocusOffDisabled(HWND window);

}  // namespace quorvel
