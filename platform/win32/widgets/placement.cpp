#include "platform/win32/widgets/placement.h"

namespace quorvel {

namespace {

ScreenRect toScreenRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void moveTo(HWND window, const ScreenRect& rect) {
    RECT now{};
    ::GetWindowRect(window, &now);
    if (toScreenRect(now) == rect) {
        return;
    }
    ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.width(), rect.height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

ScreenRect workAreaAround(const RECT& rect) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return toScreenRect(monitor.rcWork);
    }
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return toScreenRect(work);
}

RECT restoredRect(HWND window) {
    RECT rect{};
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    // A minimised window stands far off the screen; its place when restored is
    // in workspace coordinates, close enough to find its monitor.
    if (::IsIconic(window) && ::GetWindowPlacement(window, &placement)) {
        return placement.rcNormalPosition;
    }
    ::GetWindowRect(window, &rect);
    return rect;
}

void keepInsideWorkArea(HWND window) {
    RECT rect{};
    if (::IsIconic(window) || !::GetWindowRect(window, &rect)) {
        return;
    }
    moveTo(window, keptInside(toScreenRect(rect), workAreaAround(rect)));
}

void placeBeside(HWND window, HWND anchor) {
    RECT own{};
    if (anchor == nullptr || !::GetWindowRect(window, &own)) {
        return;
    }
    constexpr int Gap = 8;
    const RECT anchorRect = restoredRect(anchor);
    moveTo(window, besideAnchor(own.right - own.left, own.bottom - own.top,
                                toScreenRect(anchorRect), workAreaAround(anchorRect), Gap));
}

void placeCentredOver(HWND window, HWND anchor) {
    RECT own{};
    if (anchor == nullptr || !::GetWindowRect(window, &own)) {
        return;
    }
    const RECT anchorRect = restoredRect(anchor);
    moveTo(window, centredOver(own.right - own.left, own.bottom - own.top, toScreenRect(anchorRect),
                               workAreaAround(anchorRect)));
}

void bringToFront(HWND window) {
    if (::IsIconic(window)) {
        ::ShowWindow(window, SW_RESTORE);
    } else if (!::IsWindowVisible(window)) {
        ::ShowWindow(window, SW_SHOW);
    }
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(window);
}

}  // namespace quorvel
