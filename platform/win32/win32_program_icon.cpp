#include "platform/win32/win32_program_icon.h"

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

struct LoadedIcons {
    LoadedIcons() {
        const UINT dpi = ::GetDpiForSystem();
        large = loadProgramIcon(SM_CXICON, dpi);
        small = loadProgramIcon(SM_CXSMICON, dpi);
        const HICON fallback = ::LoadIconW(nullptr, IDI_APPLICATION);
        icons = {large ? large.get() : fallback, small ? small.get() : fallback};
    }

    UniqueHicon large;
    UniqueHicon small;
    ProgramIcons icons{};
};

}  // namespace

const ProgramIcons& programIcons() {
    static const LoadedIcons loaded;
    return loaded.icons;
}

}  // namespace quorvel
