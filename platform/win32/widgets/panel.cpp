#include "platform/win32/widgets/panel.h"

namespace quorvel {

namespace {

constexpr wchar_t PanelClass[] = L"QuorvelPanel";

LRESULT CALLBACK panelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return ::SendMessageW(::GetParent(panel), message, wParam, lParam);
        default:
            return ::DefWindowProcW(panel, message, wParam, lParam);
    }
}

}  // namespace

bool registerPanelClass(HINSTANCE instance) {
    WNDCLASSW panelClass{};
    if (::GetClassInfoW(instance, PanelClass, &panelClass)) {
        return true;
    }
    panelClass.lpfnWndProc = &panelProcedure;
    panelClass.hInstance = instance;
    panelClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    panelClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panelClass.lpszClassName = PanelClass;
    return ::RegisterClassW(&panelClass) != 0;
}

HWND createPanel(HWND parent, int id) {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    if (!registerPanelClass(instance)) {
        return nullptr;
    }
    return ::CreateWindowExW(WS_EX_CONTROLPARENT, PanelClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0,
                             0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             instance, nullptr);
}

}  // namespace quorvel
