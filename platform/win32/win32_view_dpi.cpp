#include "platform/win32/win32_view_dpi.h"

namespace quorvel {

namespace {

using SetDpiAwarenessContext = BOOL(WINAPI*)(HANDLE);
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up at run time: older systems (and Wine) may not have them.
template <typename Function>
Function user32Function(const char* name) {
    const HMODULE user32 = ::GetModuleHandleA("user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

int roundedScale(int value, int numerator, int denominator) {
    return ::MulDiv(value, numerator, denominator);
}

}  // namespace

int twipsToPixels(int twips, int dpi) { return roundedScale(twips, dpi, TwipsPerInch); }

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

UniqueHfont dialogFont(int dpi) {
    constexpr int Points = 8;
    return UniqueHfont(::CreateFontA(-::MulDiv(Points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg"));
}

void placeInTwips(HWND child, const TwipsRect& rect, int dpi) {
    ::MoveWindow(child, twipsToPixels(rect.left, dpi), twipsToPixels(rect.top, dpi),
                 twipsToPixels(rect.width, dpi), twipsToPixels(rect.height, dpi), TRUE);
}

}  // namespace quorvel
