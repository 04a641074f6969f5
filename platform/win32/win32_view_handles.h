#pragma once
// Owning wrappers for the window-system handles of the program's views.

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace quorvel {

using UniqueHwnd = UniqueHandle<HWND, NullIsNoHandle<HWND, &::DestroyWindow>>;
// A menu that is not attached to a window; once SetMenu takes it, release it.
using UniqueHmenu = UniqueHandle<HMENU, NullIsNoHandle<HMENU, &::DestroyMenu>>;
using UniqueHfont = UniqueHandle<HFONT, NullIsNoHandle<HFONT, &::DeleteObject>>;
using UniqueHbrush = UniqueHandle<HBRUSH, NullIsNoHandle<HBRUSH, &::DeleteObject>>;
// A library kept loaded while something of it is in use.
using UniqueHmodule = UniqueHandle<HMODULE, NullIsNoHandle<HMODULE, &::FreeLibrary>>;

}  // namespace quorvel
