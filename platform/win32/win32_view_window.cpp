#include "platform/win32/win32_view_window.h"

#include "platform/win32/win32_program_icon.h"
#include "platform/win32/win32_view_dpi.h"

namespace quorvel {

ViewWindow::~ViewWindow() {
    // The window may still get messages while it is destroyed; this object is gone by then.
    if (window_) {
        ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
    }
}

bool ViewWindow::createWindow(HINSTANCE instance, const Shape& shape) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!::GetClassInfoExA(instance, shape.windowClass, &windowClass)) {
        windowClass.lpfnWndProc = &ViewWindow::procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = programIcons().large;
        windowClass.hIconSm = programIcons().small;
        windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = shape.windowClass;
        if (::RegisterClassExA(&windowClass) == 0) {
            return false;
        }
    }
    const int dpi = dpiOf(shape.owner);
    RECT frame{0, 0, twipsToPixels(shape.clientWidthTwips, dpi),
               twipsToPixels(shape.clientHeightTwips, dpi)};
    ::AdjustWindowRectEx(&frame, shape.style, FALSE, shape.extendedStyle);
    // The handle is taken over at WM_NCCREATE, so that the first messages find it.
    const HWND created = ::CreateWindowExA(
        shape.extendedStyle, shape.windowClass, shape.caption.c_str(), shape.style, CW_USEDEFAULT,
        CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, shape.owner, nullptr,
        instance, this);
    if (created == nullptr) {
        // A window that failed after WM_NCCREATE is already gone.
        window_.release();
        return false;
    }
    return true;
}

void ViewWindow::placeBeside(HWND other) {
    RECT anchor{};
    if (other == nullptr || !::GetWindowRect(other, &anchor)) {
        return;
    }
    ::SetWindowPos(window_.get(), nullptr, anchor.right + 8, anchor.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ViewWindow::placeCentredOver(HWND other) {
    RECT anchor{};
    RECT own{};
    if (other == nullptr || !::GetWindowRect(other, &anchor) || !::GetWindowRect(window_.get(), &own)) {
        return;
    }
    const int left = (anchor.left + anchor.right - (own.right - own.left)) / 2;
    const int top = (anchor.top + anchor.bottom - (own.bottom - own.top)) / 2;
    ::SetWindowPos(window_.get(), nullptr, left > 0 ? left : 0, top > 0 ? top : 0, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ViewWindow::createDialogFont() {
    const int dpi = dpiOf(window_.get());
    font_ = dialogFont(dpi);
    return dpi;
}

LRESULT ViewWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam != 0) {
        onControlCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    return ::DefWindowProcA(window_.get(), message, wParam, lParam);
}

LRESULT CALLBACK ViewWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* view = static_cast<ViewWindow*>(create->lpCreateParams);
        view->window_.reset(window);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    auto* view = reinterpret_cast<ViewWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (view == nullptr) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    return view->onMessage(message, wParam, lParam);
}

}  // namespace quorvel
