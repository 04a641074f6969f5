#pragma once
// The user's clipboard, lent to a paste: saved before the paste's text goes on
// it, and given back once the target has read the paste, or when it has not
// read it within a bound. Stepped from the event loop (the clipboardTimer),
// never waited for inside a send.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/clipboard.h"
#include "platform/clock.h"

namespace quorvel {

class ClipboardLoan {
  public:
    // A snapshot larger than this, or that takes the programs that put the
    // formats longer than this to draw (it runs on the keyboard hook's thread),
    // is not taken: the text is typed instead.
    static constexpr SnapshotLimits Limits{std::size_t{64} << 20, 250};
    // A target that never says it read its paste gets it for this long; a
    // browser or a terminal reading in another process a moment after the key
    // reads well within it.
    static constexpr std::uint64_t ReadBoundMilliseconds = 1500;
    // The user's keys held during the send wait this long at most for their
    // clipboard to come back: a Ctrl+V of theirs pastes what they had.
    static constexpr std::uint64_t KeysWaitMilliseconds = 2500;

    ClipboardLoan(Clipboard& clipboard, Clock& clock) : clipboard_(clipboard), clock_(clock) {}

    // Saves what the user has on the clipboard. While an earlier paste's text is
    // still on it, what was saved before that paste stays saved: a second
    // snapshot would save that text as the user's. Until pasteSent or
    // dropPaste, nothing goes back.
    SnapshotResult::Outcome save();
    // Puts the paste's text on the clipboard.
    bool lend(std::string_view text) { return clipboard_.offerPaste(text); }
    // The Ctrl+V goes out now: the bound runs from here.
    void pasteSent();
    // No Ctrl+V will go: what the user had goes back at the next step.
    void dropPaste();
    // Gives the user's contents back once the target has read the paste (or past
    // the bound) and no one has the clipboard open; forgets them when someone
    // else has written the clipboard since. True when nothing is left out.
    bool step();
    bool out() const { return saved_.has_value(); }
    // The program is going, and with it the window that would draw the paste's
    // text: what the user had goes back now, read or not, unless someone else
    // has written the clipboard since.
    void giveBackNow();
    // Runs `then` once, at the step that finds nothing left out or finds
    // KeysWaitMilliseconds gone since the Ctrl+V
    // went or was dropped.
    void whenBack(std::function<void()> then) { whenBack_ = std::move(then); }

  private:
    Clipboard& clipboard_;
    Clock& clock_;
    std::optional<ClipboardSnapshot> saved_;
    bool settingUp_ = false;
    // Whether the Ctrl+V went out (else the text on the clipboard goes back at
    // once), and when it went or was dropped.
    bool sent_ = false;
    std::uint64_t since_ = 0;
    std::function<void()> whenBack_;
};

}  // namespace quorvel
