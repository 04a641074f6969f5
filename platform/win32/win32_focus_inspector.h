#pragma once
// The foreground window and its keyboard focus, as the engine asks about them
// inside the keyboard hook: each query is cheap or cached.

#include <windows.h>

#include "platform/focus_inspector.h"

namespace quorvel {

class Win32FocusInspector final : public FocusInspector {
  public:
    const FocusFacts& inspect() override;

  private:
    FocusFacts facts_;
    HWND foreground_ = nullptr;
    DWORD processId_ = 0;
    HWND focus_ = nullptr;
    bool focusIsEdit_ = false;  // a class that knows ES_PASSWORD
    ULONGLONG fullScreenAt_ = 0;
};

}  // namespace quorvel
