#pragma once
#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace quorvel {

// A clipboard of numbered formats; format 13 is the text, as Unicode text is on
// Windows, held here as UTF-8.
class FakeClipboard final : public Clipboard {
  public:
    static constexpr std::uint32_t TextFormat = 13;

    std::optional<std::string> getText() override;
    bool clear() override;
    bool setText(std::string_view text) override;
    std::optional<ClipboardSnapshot> snapshot() override;
    bool restore(const ClipboardSnapshot& snapshot) override;
    std::uint32_t sequenceNumber() override { return static_cast<std::uint32_t>(writes); }

    // Puts a non-text format on the clipboard, as a picture would be.
    void putFormat(std::uint32_t id, std::vector<std::uint8_t> bytes);
    const ClipboardSnapshot& contents() const { return contents_; }

    // While true every operation fails, as when another program holds the clipboard open.
    bool locked = false;
    int writes = 0;

  private:
    ClipboardSnapshot contents_;
};

}  // namespace quorvel
