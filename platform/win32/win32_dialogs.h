#pragma once
// Message boxes and the common open and save dialogs.

#include <windows.h>

#include <functional>

#include "platform/dialogs.h"

namespace quorvel {

class Win32Dialogs final : public Dialogs {
  public:
    // The window the dialogs belong to when no window of the program is handling
    // a message (at start-up), asked afresh for each dialog (the main window may
    // be created after this object). Otherwise they belong to the window the user
    // acted in.
    using OwnerGetter = std::function<HWND()>;

    explicit Win32Dialogs(HWND owner = nullptr);
    explicit Win32Dialogs(OwnerGetter owner);

    MessageAnswer showMessage(std::string_view text, MessageButtons buttons,
                              std::string_view caption) override;
    std::string showOpenDialog(const FileDialogText& text) override;
    std::string showSaveDialog(const FileDialogText& text) override;
    void setBusy(bool busy) override;

  private:
    HWND owner() const;
    std::string fileDialog(bool save, const FileDialogText& text) const;

    OwnerGetter owner_;
    int busyDepth_ = 0;
    HCURSOR cursorBeforeBusy_ = nullptr;
};

}  // namespace quorvel
