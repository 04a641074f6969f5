#include "platform/win32/win32_view_list.h"

#include <algorithm>
#include <cstring>

namespace quorvel {

namespace {
using InitCommonControlsFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
}

UniqueHmodule loadCommonControls() {
    // Looked up rather than linked, so the program has no import of its own on it.
    UniqueHmodule library(::LoadLibraryA("comctl32.dll"));
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
    const auto instance =
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    HWND list = ::CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_OWNERDATA |
            LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (list == nullptr) {
        return nullptr;
    }
    if (font != nullptr) {
        ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    return list;
}

std::size_t virtualRowCount(HWND list) {
    const LRESULT count = ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

void setVirtualRowCount(HWND list, std::size_t count) {
    ::SendMessageA(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(count),
                   LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    ::InvalidateRect(list, nullptr, TRUE);
}

void fitVirtualColumn(HWND list) {
    RECT client{};
    ::GetClientRect(list, &client);
    ::SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, std::max<LONG>(client.right - client.left, 1));
}

const std::string& lineBreakMark() {
    static const std::string mark = [] {
        char bytes[8] = {};
        BOOL replaced = FALSE;
        const int length = ::WideCharToMultiByte(CP_ACP, 0, L"\u00B6", 1, bytes, sizeof(bytes),
                                                 nullptr, &replaced);
        return length > 0 && !replaced ? std::string(bytes, static_cast<std::size_t>(length))
                                       : std::string("|");
    }();
    return mark;
}

void fillRowText(NMLVDISPINFOA& request, std::string_view text) {
    if ((request.item.mask & LVIF_TEXT) == 0 || request.item.pszText == nullptr ||
        request.item.cchTextMax <= 0) {
        return;
    }
    const std::size_t room = static_cast<std::size_t>(request.item.cchTextMax) - 1;
    const std::size_t length = std::min(text.size(), room);
    std::memcpy(request.item.pszText, text.data(), length);
    request.item.pszText[length] = '\0';
}

std::optional<std::size_t> selectedVirtualRow(HWND list) {
    const LRESULT row = ::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row);
}

void selectVirtualRow(HWND list, std::optional<std::size_t> row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (row) {
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(*row),
                       reinterpret_cast<LPARAM>(&state));
        ::SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(*row), FALSE);
    }
}

}  // namespace quorvel
