#pragma once
// The popup's hot key through RegisterHotKey: the system consumes the key and
// posts WM_HOTKEY to the window, whatever program is in front.

#include <windows.h>

#include "platform/global_hot_key.h"

namespace quorvel {

class Win32GlobalHotKey final : public GlobalHotKey {
  public:
    static constexpr int Id = 1;

    explicit Win32GlobalHotKey(HWND window) : window_(window) {}
    ~Win32GlobalHotKey() override { release(); }
    Win32GlobalHotKey(const Win32GlobalHotKey&) = delete;
    Win32GlobalHotKey& operator=(const Win32GlobalHotKey&) = delete;

    bool claim(const KeyChord& chord) override;
    void release() override;

  private:
    HWND window_;
    bool held_ = false;
};

}  // namespace quorvel
