#include "platform/win32/widgets/dpi.h"

namespace quorvel {

namespace {

using SetDpiAwarenessContext = BOOL(WINAPI*)(HANDLE);
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// Looked up at run time: systems before Windows 10 version 1607 lack them.
template <typename Function>
Function user32Function(const char* name) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

int roundedScale(int value, int numerator, int denominator) {
    return ::MulDiv(value, numerator, denominator);
}

BOOL CALLBACK setFont(HWND child, LPARAM font) {
    ::SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

}  // namespace

int twipsToPixels(int twips, int dpi) {
    return roundedScale(twips, dpi, TwipsPerInch);
}

int pixelsToTwips(int pixels, int dpi) {
    return dpi > 0 ? roundedScale(pixels, TwipsPerInch, dpi) : pixels * (TwipsPerInch / DefaultDpi);
}

void becomeDpiAware() {
    if (auto setContext = user32Function<SetDpiAwarenessContext>("SetProcessDpiAwarenessContext")) {
        // Per monitor, version 2: the value is (HANDLE)-4.
        if (setContext(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)))) {
            return;
        }
    }
    ::SetProcessDPIAware();
}

int dpiOf(HWND window) {
    if (window != nullptr) {
        if (auto forWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow")) {
            if (const UINT dpi = forWindow(window); dpi != 0) {
                return static_cast<int>(dpi);
            }
        }
    }
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : DefaultDpi;
    if (screen != nullptr) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : DefaultDpi;
}

UniqueHfont messageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    const auto forDpi =
        user32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    if (forDpi != nullptr &&
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
        return UniqueHfont(::CreateFontIndirectW(&metrics.lfMessageFont));
    }
    // Without it the metrics come at the screen's DPI.
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        metrics.lfMessageFont.lfHeight =
            roundedScale(metrics.lfMessageFont.lfHeight, dpi, dpiOf(nullptr));
        return UniqueHfont(::CreateFontIndirectW(&metrics.lfMessageFont));
    }
    return UniqueHfont(::CreateFontW(-::MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                     L"MS Shell Dlg"));
}

void applyFont(HWND window, HFONT font) {
    ::EnumChildWindows(window, &setFont, reinterpret_cast<LPARAM>(font));
}

SIZE outerSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD extendedStyle,
                        int dpi) {
    RECT frame{0, 0, clientWidth, clientHeight};
    const auto forDpi =
        user32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    if (forDpi == nullptr || !forDpi(&frame, style, FALSE, extendedStyle, static_cast<UINT>(dpi))) {
        ::AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void placeInTwips(HWND child, const TwipsRect& rect, int dpi) {
    ::MoveWindow(child, twipsToPixels(rect.left, dpi), twipsToPixels(rect.top, dpi),
                 twipsToPixels(rect.width, dpi), twipsToPixels(rect.height, dpi), TRUE);
}

}  // namespace quorvel
