#pragma once
// The system clipboard through the Win32 clipboard functions.

#include <windows.h>

#include "platform/clipboard.h"

namespace quorvel {

class Win32Clipboard final : public Clipboard {
  public:
    // `owner` becomes the clipboard's owner when this writes to it; may be null.
    explicit Win32Clipboard(HWND owner) : owner_(owner) {}

    std::optional<std::string> getText() override;
    bool clear() override;
    bool setText(std::string_view text) override;
    std::optional<ClipboardSnapshot> snapshot() override;
    bool setPasteText(std::string_view text) override;
    bool restore(const ClipboardSnapshot& snapshot) override;
    bool available() override;
    std::uint32_t sequenceNumber() override { return ::GetClipboardSequenceNumber(); }

  private:
    HWND owner_;
};

}  // namespace quorvel
