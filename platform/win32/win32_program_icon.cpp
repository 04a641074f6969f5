#include "platform/win32/win32_program_icon.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/win32/program_icon_id.h"
#include "platform/win32/unique_handle.h"

namespace quorvel {

namespace {

// Picks the image of that size from the icon group (LoadIcon would take the
// default size and let the system shrink it).
UniqueHicon loadProgramIcon(int metric, UINT dpi) {
    const int size = ::GetSystemMetricsForDpi(metric, dpi);
    return UniqueHicon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                       MAKEINTRESOURCEW(QUORVEL_PROGRAM_ICON),
                                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

// The same picture in grey: plainly the program's icon, plainly not at work.
UniqueHicon greyedIcon(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) {
        return {};
    }
    const UniqueHbitmap color(info.hbmColor);
    const UniqueHbitmap mask(info.hbmMask);
    BITMAP picture{};
    if (!color || ::GetObjectW(color.get(), sizeof(picture), &picture) == 0) {
        return {};
    }
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = picture.bmWidth;
    format.bmiHeader.biHeight = -picture.bmHeight;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(picture.bmWidth) *
                                      static_cast<std::size_t>(picture.bmHeight));
    const HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, color.get(), 0, static_cast<UINT>(picture.bmHeight),
                                 pixels.data(), &format, DIB_RGB_COLORS);
    void* bits = nullptr;
    const UniqueHbitmap grey(
        rows == picture.bmHeight
            ? ::CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0)
            : nullptr);
    ::ReleaseDC(nullptr, screen);
    if (!grey || bits == nullptr) {
        return {};
    }
    for (std::uint32_t& pixel : pixels) {
        const std::uint32_t alpha = pixel >> 24;
        const std::uint32_t red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF,
                            blue = pixel & 0xFF;
        const std::uint32_t level = (red * 30 + green * 59 + blue * 11) / 100;
        pixel = (alpha << 24) | (level << 16) | (level << 8) | level;
    }
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(pixels[0]));
    ICONINFO greyInfo{TRUE, 0, 0, mask.get(), grey.get()};
    return UniqueHicon(::CreateIconIndirect(&greyInfo));
}

struct LoadedIcons {
    LoadedIcons() {
        const UINT dpi = ::GetDpiForSystem();
        large = loadProgramIcon(SM_CXICON, dpi);
        small = loadProgramIcon(SM_CXSMICON, dpi);
        const HICON fallback = ::LoadIconW(nullptr, IDI_APPLICATION);
        icons = {large ? large.get() : fallback, small ? small.get() : fallback, nullptr};
        paused = greyedIcon(icons.small);
        icons.paused = paused ? paused.get() : icons.small;
    }

    UniqueHicon large;
    UniqueHicon small;
    UniqueHicon paused;
    ProgramIcons icons{};
};

}  // namespace

const ProgramIcons& programIcons() {
    static const LoadedIcons loaded;
    return loaded.icons;
}

}  // namespace quorvel
