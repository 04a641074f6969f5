#include "platform/win32/widgets/list_box.h"

#include <algorithm>

#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {

// Measured in the list's own font, which follows the window's DPI.
void scrollAsFarAsLongest(HWND list, const std::vector<std::string>& rows) {
    const HDC dc = ::GetDC(list);
    const HGDIOBJ oldFont =
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const std::string& row : rows) {
        const std::wstring text = wideText(row);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, size.cx);
    }
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(list, dc);
    ::SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
}

}  // namespace

void syncListBox(HWND list, const std::vector<std::string>& rows, std::vector<std::string>& shown,
                 std::optional<std::size_t> selected, bool scrollSideways) {
    if (shown != rows) {
        ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const std::string& row : rows) {
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideText(row).c_str()));
        }
        if (scrollSideways) {
            scrollAsFarAsLongest(list, rows);
        }
        shown = rows;
    }
    const LRESULT wanted = selected ? static_cast<LRESULT>(*selected) : LB_ERR;
    if (::SendMessageW(list, LB_GETCURSEL, 0, 0) != wanted) {
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(wanted), 0);
    }
}

std::optional<std::size_t> chosenListRow(HWND list, int notification) {
    if (notification != LBN_SELCHANGE) {
        return std::nullopt;
    }
    const LRESULT row = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? std::nullopt : std::optional(static_cast<std::size_t>(row));
}

void moveFocusOffDisabled(HWND window) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window, focus) && !::IsWindowEnabled(focus)) {
        ::SetFocus(::GetNextDlgTabItem(window, focus, FALSE));
    }
}

}  // namespace quorvel
