#pragma once
// Owning wrappers for the window-system handles of the program's views.

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace quorvel {

using UniqueHwnd = UniqueHandle<HWND, NullIsNoHandle<HWND, &::DestroyWindow>>;
// A menu that is not attached to a window; once SetMenu takes it, release it.
using UniqueHmenu = UniqueHandle<HMENU, NullIsNoHandle<HMENU, &::DestroyMenu>>;
using UniqueHfont = UniqueHandle<HFONT, NullIsNoHandle<HFONT, &::DeleteObject>>;
using UniqueHbrush = UniqueHandle<HBRUSH, NullIsNoHandle<HBRUSH, &::DeleteObject>>;
// A library kept loaded while something of it is in use.
using UniqueHmodule = UniqueHandle<HMODULE, NullIsNoHandle<HMODULE, &::FreeLibrary>>;

// A window's device context with a font selected, for measuring text; the font
// and the context are given back when it goes.
class TextMeasure {
  public:
    TextMeasure(HWND window, HFONT font)
        : window_(window),
          context_(::GetDC(window)),
          oldFont_(context_ != nullptr ? ::SelectObject(context_, font) : nullptr) {}
    ~TextMeasure() {
        if (context_ != nullptr) {
            ::SelectObject(context_, oldFont_);
            ::ReleaseDC(window_, context_);
        }
    }
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    // The text's width in pixels; 0 without a context.
    int width(const std::wstring& text) const {
        SIZE extent{};
        if (context_ == nullptr ||
            !::GetTextExtentPoint32W(context_, text.c_str(), static_cast<int>(text.size()),
                                     &extent)) {
            return 0;
        }
        return static_cast<int>(extent.cx);
    }

  private:
    HWND window_;
    HDC context_;
    HGDIOBJ oldFont_;
};

}  // namespace quorvel
