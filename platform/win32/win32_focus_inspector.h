#pragma once
// The foreground window and its keyboard focus, as the engine asks about them
// inside the keyboard hook: each query is cheap or cached.

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/focus_inspector.h"

namespace quorvel {

class Win32FocusInspector final : public FocusInspector {
  public:
    // Starts the thread that follows the focus through accessibility.
    Win32FocusInspector();
    ~Win32FocusInspector() override;
    Win32FocusInspector(const Win32FocusInspector&) = delete;
    Win32FocusInspector& operator=(const Win32FocusInspector&) = delete;

    const FocusFacts& inspect() override;
    std::string lastOtherProgram() override;
    std::optional<std::string> textBeforeCaret() override;

  private:
    HANDLE watcher_ = nullptr;
    DWORD watcherId_ = 0;
    FocusFacts facts_;
    HWND foreground_ = nullptr;
    DWORD processId_ = 0;
    HWND focus_ = nullptr;
    bool focusIsEdit_ = false;  // a class that knows ES_PASSWORD
    std::uint64_t objectChangesSeen_ = 0;
    HKL layout_ = nullptr;
    bool layoutHasInputMethod_ = false;
    ULONGLONG fullScreenAt_ = 0;
};

}  // namespace quorvel
