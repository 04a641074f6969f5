#include "platform/win32/win32_view_controls.h"

#include <vector>

namespace quorvel {

HWND createControl(HWND parent, const char* windowClass, const std::string& text, DWORD style,
                   int id, HFONT font, DWORD extendedStyle) {
    const auto instance =
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    HWND control = ::CreateWindowExA(extendedStyle, windowClass, text.c_str(),
                                     WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                     nullptr);
    if (control != nullptr && font != nullptr) {
        ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

std::string windowText(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    if (length <= 0) {
        return {};
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

bool syncText(HWND window, const std::string& text) {
    if (window == nullptr || windowText(window) == text) {
        return false;
    }
    ::SetWindowTextA(window, text.c_str());
    return true;
}

bool syncChecked(HWND button, bool checked) {
    const bool shown = ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (button == nullptr || shown == checked) {
        return false;
    }
    ::SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
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
    const bool shown = (::GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (window == nullptr || shown == visible) {
        return false;
    }
    ::ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
    return true;
}

}  // namespace quorvel
