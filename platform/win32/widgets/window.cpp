#include "platform/win32/widgets/window.h"

#include <utility>

#include "platform/win32/widgets/acting_window.h"
#include "platform/win32/widgets/dpi.h"
#include "platform/win32/widgets/placement.h"
#include "platform/win32/win32_program_icon.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

ViewWindow::~ViewWindow() {
    // The window may still get messages while it is destroyed; this object is gone by then.
    if (window_) {
        ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    }
}

bool ViewWindow::createWindow(HINSTANCE instance, const Shape& shape) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!::GetClassInfoExW(instance, shape.windowClass, &windowClass)) {
        windowClass.lpfnWndProc = &ViewWindow::procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = programIcons().large;
        windowClass.hIconSm = programIcons().small;
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = shape.windowClass;
        if (::RegisterClassExW(&windowClass) == 0) {
            return false;
        }
    }
    shape_ = shape;
    // The handle is taken over at WM_NCCREATE, so that the first messages find it.
    const HWND created = ::CreateWindowExW(
        shape.extendedStyle, shape.windowClass, wideText(shape.caption).c_str(), shape.style,
        CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, shape.owner, nullptr, instance, this);
    if (created == nullptr) {
        // A window that failed after WM_NCCREATE is already gone.
        window_.release();
        return false;
    }
    // No WM_DPICHANGED comes for the monitor the window is created on.
    dpi_ = dpiOf(created);
    font_ = messageFont(dpi_);
    RECT rect{};
    ::GetWindowRect(created, &rect);
    sizeForDpi(rect.left, rect.top);
    return true;
}

void ViewWindow::sizeForDpi(int left, int top) {
    const int width = twipsToPixels(shape_.clientWidthTwips, dpi_);
    const int height = twipsToPixels(shape_.clientHeightTwips, dpi_);
    SIZE outer = outerSizeForClient(width, height, shape_.style, shape_.extendedStyle, dpi_);
    ::SetWindowPos(window_.get(), nullptr, left, top, outer.cx, outer.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame drawn may differ by a pixel or two from the one computed (a
    // sizing border at some DPIs): the client area is what the layout needs.
    RECT client{};
    ::GetClientRect(window_.get(), &client);
    if (client.right != width || client.bottom != height) {
        outer.cx += width - client.right;
        outer.cy += height - client.bottom;
        ::SetWindowPos(window_.get(), nullptr, 0, 0, outer.cx, outer.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ViewWindow::changeDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    rebuildFont();
    // The suggested place, with the size worked out from our own twips.
    sizeForDpi(suggested.left, suggested.top);
    layoutControls();
}

void ViewWindow::rebuildFont() {
    UniqueHfont replaced = std::move(font_);
    font_ = messageFont(dpi_);
    applyFont(window_.get(), font_.get());
    // `replaced` goes only now that no control draws with it.
}

void ViewWindow::followMonitorDpi() {
    const int now = dpiOf(window_.get());
    if (now == dpi_) {
        return;
    }
    RECT rect{};
    ::GetWindowRect(window_.get(), &rect);
    changeDpi(now, rect);
    keepInsideWorkArea(window_.get());
}

void ViewWindow::placeBeside(HWND other) {
    quorvel::placeBeside(window_.get(), other);
    followMonitorDpi();
}

void ViewWindow::placeCentredOver(HWND other) {
    quorvel::placeCentredOver(window_.get(), other);
    followMonitorDpi();
}

void ViewWindow::onEnterKey() {
    clickFocusedButton(window_.get());
}

LRESULT ViewWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) {
                onControlCommand(LOWORD(wParam), HIWORD(wParam));
            } else if (LOWORD(wParam) == IDOK) {
                onEnterKey();
            } else if (LOWORD(wParam) == IDCANCEL) {
                onEscapeKey();
            }
            return 0;
        case WM_ACTIVATE:
            focus_.onActivate(window_.get(), wParam);
            return 0;
        case WM_DPICHANGED:
            changeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETNONCLIENTMETRICS) {
                rebuildFont();
                layoutControls();
            }
            return 0;
        default:
            return ::DefWindowProcW(window_.get(), message, wParam, lParam);
    }
}

LRESULT CALLBACK ViewWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* view = static_cast<ViewWindow*>(create->lpCreateParams);
        view->window_.reset(window);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    auto* view = reinterpret_cast<ViewWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (view == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    const ActingWindowScope acting(window);
    return view->onMessage(message, wParam, lParam);
}

}  // namespace quorvel
