#include "platform/win32/widgets/controls.h"

#include <string_view>

#include "platform/win32/win32_text.h"

namespace quorvel {

HWND createControl(HWND parent, const wchar_t* windowClass, const std::string& text, DWORD style,
                   int id, HFONT font, DWORD extendedStyle) {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    HWND control = ::CreateWindowExW(
        extendedStyle, windowClass, wideText(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
        0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (control != nullptr && font != nullptr) {
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    // A box takes 30,000 characters unless told otherwise, and cuts a longer
    // text short without a word: let every box take any length.
    if (control != nullptr && std::wstring_view(windowClass) == L"EDIT") {
        ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
    }
    return control;
}

std::wstring wideWindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

std::string windowText(HWND window) {
    return utf8Text(wideWindowText(window));
}

bool syncText(HWND window, const std::string& text) {
    if (window == nullptr) {
        return false;
    }
    const std::wstring wanted = wideText(text);
    if (wideWindowText(window) == wanted) {
        return false;
    }
    ::SetWindowTextW(window, wanted.c_str());
    return true;
}

bool syncChecked(HWND button, bool checked) {
    const bool shown = ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (button == nullptr || shown == checked) {
        return false;
    }
    ::SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

bool syncEnabled(HWND window, bool enabled) {
    if (window == nullptr || (::IsWindowEnabled(window) != FALSE) == enabled) {
        return false;
    }
    ::EnableWindow(window, enabled ? TRUE : FALSE);
    return true;
}

bool syncVisible(HWND window, bool visible) {
    const bool shown = (::GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (window == nullptr || shown == visible) {
        return false;
    }
    ::ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
    return true;
}

}  // namespace quorvel
