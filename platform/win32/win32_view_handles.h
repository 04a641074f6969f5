#pragma once
// Owning wrappers for the window-system handles of the program's views.

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace quorvel {

struct DestroyWindowDeleter {
    static HWND invalid() noexcept { return nullptr; }
    void operator()(HWND window) const noexcept { ::DestroyWindow(window); }
};

// A menu that is not attached to a window; once SetMenu takes it, release it.
struct DestroyMenuDeleter {
    static HMENU invalid() noexcept { return nullptr; }
    void operator()(HMENU menu) const noexcept { ::DestroyMenu(menu); }
};

template <typename GdiObject>
struct DeleteObjectDeleter {
    static GdiObject invalid() noexcept { return nullptr; }
    void operator()(GdiObject object) const noexcept { ::DeleteObject(object); }
};

// A library kept loaded while something of it is in use.
struct FreeLibraryDeleter {
    static HMODULE invalid() noexcept { return nullptr; }
    void operator()(HMODULE module) const noexcept { ::FreeLibrary(module); }
};

using UniqueHwnd = UniqueHandle<HWND, DestroyWindowDeleter>;
using UniqueHmenu = UniqueHandle<HMENU, DestroyMenuDeleter>;
using UniqueHfont = UniqueHandle<HFONT, DeleteObjectDeleter<HFONT>>;
using UniqueHbrush = UniqueHandle<HBRUSH, DeleteObjectDeleter<HBRUSH>>;
using UniqueHmodule = UniqueHandle<HMODULE, FreeLibraryDeleter>;

}  // namespace quorvel
