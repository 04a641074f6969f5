#pragma once
// The system clipboard through the Win32 clipboard functions.

#include <windows.h>

#include <string>

#include "platform/clipboard.h"
#include "platform/win32/unique_handle.h"

namespace quorvel {

using UniqueHwnd = UniqueHandle<HWND, NullIsNoHandle<HWND, &::DestroyWindow>>;

class Win32Clipboard final : public Clipboard {
  public:
    // `owner` becomes the clipboard's owner when this writes plain text to it; may
    // be null. A paste's writes are owned by a hidden window of this class's own,
    // which hands the paste's text over when a program reads it; it lives on the
    // thread that makes this, whose message loop must run.
    explicit Win32Clipboard(HWND owner);
    ~Win32Clipboard() override;
    Win32Clipboard(const Win32Clipboard&) = delete;
    Win32Clipboard& operator=(const Win32Clipboard&) = delete;

    std::optional<std::string> getText() override;
    bool clear() override;
    bool setText(std::string_view text) override;
    SnapshotResult snapshot(const SnapshotLimits& limits) override;
    bool offerPaste(std::string_view text) override;
    void armPaste() override;
    bool pasteRead() override { return read_; }
    bool holdsPaste() override;
    RestoreOutcome restore(const ClipboardSnapshot& snapshot) override;
    bool available() override;

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void renderText();
    bool readByTarget() const;

    HWND owner_;
    // The paste's text while it is on the clipboard, rendered or not.
    std::wstring offered_;
    bool offering_ = false;
    bool armed_ = false;
    bool read_ = false;
    // The foreground window when the Ctrl+V went, and its process.
    HWND target_ = nullptr;
    DWORD targetProcess_ = 0;
    // Last: destroyed first, while the text it may still have to hand over lives.
    UniqueHwnd window_;
};

}  // namespace quorvel
