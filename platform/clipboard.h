#pragma once
// The system clipboard.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Every copyable format that was on the clipboard, so that a paste through the
// clipboard can give the user back exactly what they had. Each format's bytes are
// in a form its platform can put back: the memory block itself, or for a picture
// or palette held as a system object, a copy of that object's contents.
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

    // The writes of a paste, text and restore alike, are marked so that clipboard
    // monitors, the clipboard history and the cloud clipboard leave them alone: the
    // text is ours for a moment, and what the user had was recorded when they copied it.

    // Empties the clipboard and puts the text on it, marked.
    virtual bool setPasteText(std::string_view text) = 0;
    // Replaces the clipboard's contents by the snapshot, marked; an empty snapshot
    // leaves it empty.
    virtual bool restore(const ClipboardSnapshot& snapshot) = 0;
    // False while another program holds the clipboard open (a clipboard manager
    // reading it): nothing could be written, nor pasted from it.
    virtual bool available() = 0;
    // A number that changes whenever the clipboard's contents change, whoever
    // changes them.
    virtual std::uint32_t sequenceNumber() = 0;
};

}  // namespace quorvel
