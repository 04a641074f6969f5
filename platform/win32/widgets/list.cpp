#include "platform/win32/widgets/list.h"

#include <algorithm>

#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {
using InitCommonControlsFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
}

UniqueHmodule loadCommonControls() {
    // Looked up rather than linked, so the program has no import of its own on it.
    UniqueHmodule library(::LoadLibraryW(L"comctl32.dll"));
    if (library) {
        const auto initialise = reinterpret_cast<InitCommonControlsFunction>(
            reinterpret_cast<void*>(::GetProcAddress(library.get(), "InitCommonControlsEx")));
        if (initialise != nullptr) {
            INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
            initialise(&classes);
        }
    }
    return library;
}

HWND createVirtualList(HWND parent, int id, HFONT font) {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    HWND list = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_OWNERDATA |
            LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (list == nullptr) {
        return nullptr;
    }
    if (font != nullptr) {
        ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    return list;
}

std::size_t virtualRowCount(HWND list) {
    const LRESULT count = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

void setVirtualRowCount(HWND list, std::size_t count) {
    ::SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(count),
                   LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    ::InvalidateRect(list, nullptr, TRUE);
}

void fitVirtualColumn(HWND list) {
    RECT client{};
    ::GetClientRect(list, &client);
    ::SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, std::max<LONG>(client.right - client.left, 1));
}

void fillRowText(NMLVDISPINFOW& request, std::string_view text) {
    if ((request.item.mask & LVIF_TEXT) == 0 || request.item.pszText == nullptr ||
        request.item.cchTextMax <= 0) {
        return;
    }
    copyWideText(text, request.item.pszText, static_cast<std::size_t>(request.item.cchTextMax));
}

std::optional<std::size_t> selectedVirtualRow(HWND list) {
    const LRESULT row =
        ::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row);
}

void selectVirtualRow(HWND list, std::optional<std::size_t> row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(&state));
    if (row) {
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(*row),
                       reinterpret_cast<LPARAM>(&state));
        ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(*row), FALSE);
    }
}

}  // namespace quorvel
