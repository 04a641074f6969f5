#pragma once
// FolderWatch on a change notification waited for by a thread of its own, which
// posts `message` to the window for each change.

#include <windows.h>

#include "platform/folder_watch.h"
#include "platform/win32/unique_handle.h"

namespace quorvel {

class Win32FolderWatch final : public FolderWatch {
  public:
    Win32FolderWatch(HWND window, UINT message);
    ~Win32FolderWatch() override;
    Win32FolderWatch(const Win32FolderWatch&) = delete;
    Win32FolderWatch& operator=(const Win32FolderWatch&) = delete;

    bool watch(std::string_view folder) override;

  private:
    void stop();

    HWND window_;
    UINT message_;
    UniqueKernelHandle stopEvent_;
    UniqueKernelHandle thread_;
};

}  // namespace quorvel
