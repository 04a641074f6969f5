#pragma once
// The system clipboard.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Every copyable format that was on the clipboard, so that a paste through the
// clipboard can give the user back exactly what they had.
struct ClipboardSnapshot {
    struct Format {
        std::uint32_t id = 0;
        std::vector<std::uint8_t> bytes;
        bool operator==(const Format&) const = default;
    };
    std::vector<Format> formats;
    bool operator==(const ClipboardSnapshot&) const = default;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // The clipboard's text; empty text when it holds none. Nothing when the clipboard
    // cannot be opened or its text cannot be read.
    virtual std::optional<std::string> getText() = 0;
    virtual bool clear() = 0;
    virtual bool setText(std::string_view text) = 0;
    virtual std::optional<ClipboardSnapshot> snapshot() = 0;
    // Replaces the clipboard's contents by the snapshot; an empty snapshot leaves it empty.
    virtual bool restore(const ClipboardSnapshot& snapshot) = 0;
    // A number that changes whenever the clipboard's contents change, whoever
    // changes them.
    virtual std::uint32_t sequenceNumber() = 0;
};

}  // namespace quorvel
