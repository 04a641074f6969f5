#pragma once
// Delivers matched shortcuts to the focused application: expands the macros,
// takes the clipboard for a paste, erases the typed trigger, waits the
// calibration pause and types or pastes the text, then Enter when the entry
// asks for it.
//
// A send is a state machine stepped by the program's one message loop: each
// step runs from posted work, or once the keys it injected have come through
// the hook, and returns; nothing waits inside an event. Matches arrive while
// the hook's callback runs and are queued. Keys typed while one is on its way
// are held, and replayed after it (see KeyHold); after a paste, once the
// user's clipboard is back (see ClipboardLoan), within a bound.

#include <cstdint>
#include <deque>
#include <functional>

#include "engine/clipboard_loan.h"
#include "engine/engine_options.h"
#include "engine/engine_services.h"
#include "engine/keyboard_engine.h"
#include "engine/macro_expander.h"
#include "engine/send_request.h"

namespace quorvel {

class TextSender {
  public:
    TextSender(const EngineOptions& options, KeyboardEngine& keyboard, EngineServices& services);
    TextSender(const TextSender&) = delete;
    TextSender& operator=(const TextSender&) = delete;

    void enqueue(SendRequest request);
    bool busy() const { return phase_ != Phase::Idle || !queue_.empty(); }

    // How long a paste waits for a clipboard another program holds open, before
    // the snapshot, the write and the Ctrl+V; past it the text is typed. Well
    // inside the key hold's bound, so that the user's keys held meanwhile come
    // out in order.
    static constexpr std::uint64_t ClipboardWaitMilliseconds = 2000;
    // How much of the calibration number one pass of the loop in the pause uses
    // up, in quarters. A pass used to be one look at an empty message queue; a
    // step posted to the loop costs about three times that (measured under Wine
    // on a quiet machine, the same number's pause before and after in turn), so
    // the same number still gives the same pause.
    static constexpr std::int64_t CalibrationQuartersPerPass = 12;
    // How often the clipboard is stepped back to the user's after a paste.
    static constexpr std::int32_t ClipboardStepMilliseconds = 100;
    // Whether the clipboard timer must run: a paste's clipboard is not back yet.
    bool wantsClipboardSteps() const { return clipboardSteps_; }
    void clipboardTick();
    // The program ends: a clipboard lent to a paste goes back to the user now.
    void giveBackClipboard() { loan_.giveBackNow(); }

    // Told, once a run, that the clipboard held more than a paste can give back:
    // the text is typed instead.
    std::function<void()> onClipboardTooLarge;
    // The clipboard's text could not be read for this trigger's text, which was
    // left as typed.
    std::function<void(const std::string& trigger)> onClipboardUnreadable;
    // This trigger's text would start a program only by way of the user's date
    // or time forms, which no approval covers; it was left as typed.
    std::function<void(const std::string& trigger)> onProgramFromDateOrTime;

  private:
    enum class Phase {
        Idle,
        Start,   // the next request
        Expand,  // its macros, the clipboard's text read; then the clipboard saved
        Undo,    // a Backspace takes the last send back, if the text is still ours
        SaveClipboard,
        LendClipboard,
        Erase,
        Pause,    // the calibration pause, one pass of the loop at a time
        Deliver,  // a run macro starts; a text goes on after a pass
        Output,
        AwaitClipboard,
        Paste,
        PasteArrived,
        Pasted,
        TypeText,
        TextArrived,
        Typed,
        Enter,
        Finish,    // every key of ours through the hook...
        GiveBack,  // ...and the user's clipboard back, within a bound
        Replay,
        Replaying,
    };
    // Runs the steps that follow one another at once, up to one that waits.
    void run();
    // One step; false when the machine must wait for the loop or a callback.
    bool step();
    // Goes on with `next` at the loop's next pass, or once every key injected
    // so far has come through the hook.
    bool afterPass(Phase next);
    bool afterKeysArrive(Phase next);
    // Tries `attempt` while the clipboard is free; false once it has failed for
    // ClipboardWaitMilliseconds.
    enum class Try { Done, Again, GaveUp };
    Try tryClipboard(const std::function<bool()>& attempt);
    void endEarly();
    void leaveAsTyped(const std::function<void(const std::string& trigger)>& tell);
    Wait forceWait() const { return options_.forceText ? Wait::Yes : Wait::No; }

    const EngineOptions& options_;
    KeyboardEngine& keyboard_;
    EngineServices& services_;
    ClipboardLoan loan_{services_.clipboard, services_.clock};
    std::deque<SendRequest> queue_;
    bool clipboardSteps_ = false;
    bool toldTooLarge_ = false;

    // The send on its way.
    Phase phase_ = Phase::Idle;
    SendRequest request_;
    MacroExpansion expansion_;
    std::string literal_;  // the expansion as a paste puts it in
    bool paste_ = false;
    std::int64_t passQuarters_ = 0;  // of the calibration number used up
    std::uint64_t waitStart_ = 0;
    SnapshotResult::Outcome saved_ = SnapshotResult::Outcome::Busy;
    std::size_t erasures_ = 0;  // Backspaces before the text
    // What the send has put in so far, while it is only characters and line breaks.
    std::optional<std::string> sentText_;
};

}  // namespace quorvel
