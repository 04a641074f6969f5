#pragma once
// The system clipboard.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Every format that was on the clipboard and can be put back, so that a paste
// through the clipboard can give the user back what they had. Each format's
// bytes are in a form its platform can put back: the memory block itself, or
// for a picture or palette held as a system object, a copy of that object's
// contents. Formats the system makes from others (an ANSI text from the Unicode
// one) are left out: the system makes them again.
struct ClipboardSnapshot {
    struct Format {
        std::uint32_t id = 0;
        std::vector<std::uint8_t> bytes;
        bool operator==(const Format&) const = default;
    };
    std::vector<Format> formats;
    bool operator==(const ClipboardSnapshot&) const = default;
};

// How much a snapshot may take: a clipboard beyond either bound (a large
// spreadsheet range, whose program draws pictures of it on request) is not
// saved at all.
struct SnapshotLimits {
    std::size_t maxBytes = 0;
    std::uint64_t maxMilliseconds = 0;
};

struct SnapshotResult {
    enum class Outcome { Taken, Busy, TooLarge };
    Outcome outcome = Outcome::Busy;
    ClipboardSnapshot contents;  // when Taken
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // The clipboard's text; empty text when it holds none. Nothing when the clipboard
    // cannot be opened or its text cannot be read.
    virtual std::optional<std::string> getText() = 0;
    virtual bool clear() = 0;
    virtual bool setText(std::string_view text) = 0;
    // Busy when the clipboard cannot be opened or read now.
    virtual SnapshotResult snapshot(const SnapshotLimits& limits) = 0;

    // The writes of a paste, text and restore alike, are marked so that clipboard
    // monitors, the clipboard history and the cloud clipboard leave them alone: the
    // text is ours for a moment, and what the user had was recorded when they copied it.

    // Empties the clipboard and offers the text on it, marked. The text itself is
    // handed over only when a program reads it, and not before armPaste: a
    // program reading before the Ctrl+V went out is not the one pasting, and
    // finds the text still unread for the target.
    virtual bool offerPaste(std::string_view text) = 0;
    // The Ctrl+V is about to go to the foreground window.
    virtual void armPaste() = 0;
    // Whether the foreground program has read the offered text since armPaste.
    virtual bool pasteRead() = 0;
    // Whether the clipboard still holds the offered text, written by no one since.
    virtual bool holdsPaste() = 0;

    enum class RestoreOutcome { Restored, Busy, NotOurs };
    // Replaces the offered text by the snapshot, marked (an empty snapshot leaves
    // the clipboard empty), if the clipboard still holds that text; never over
    // contents someone else wrote. Busy while another program has the clipboard
    // open (a reader still reading the paste).
    virtual RestoreOutcome restore(const ClipboardSnapshot& snapshot) = 0;
    // False while another program holds the clipboard open (a clipboard manager
    // reading it): nothing could be written, nor pasted from it.
    virtual bool available() = 0;
};

}  // namespace quorvel
