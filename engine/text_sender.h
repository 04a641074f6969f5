#pragma once
// Delivers matched shortcuts to the focused application: expands the macros,
// takes the clipboard for a paste, erases the typed trigger, waits the
// calibration pause and types or pastes the text, then Enter when the entry
// asks for it.
//
// Matches arrive while the hook's callback runs; each is sent from work posted
// to the window thread, after the callback has returned, since the platform
// drops a hook whose callback runs too long. Keys typed while one is on its way
// are held, and replayed after it (see KeyHold); after a paste, once the
// user's clipboard is back (see ClipboardLoan), within a bound.

#include <cstdint>
#include <deque>
#include <functional>

#include "engine/clipboard_loan.h"
#include "engine/engine_options.h"
#include "engine/engine_services.h"
#include "engine/keyboard_engine.h"
#include "engine/send_request.h"

namespace quorvel {

class TextSender {
  public:
    TextSender(const EngineOptions& options, KeyboardEngine& keyboard, EngineServices& services);
    TextSender(const TextSender&) = delete;
    TextSender& operator=(const TextSender&) = delete;

    void enqueue(SendRequest request);
    bool busy() const { return sending_ || !queue_.empty(); }

    // How long a paste waits for a clipboard another program holds open, before
    // the snapshot, the write and the Ctrl+V; past it the text is typed. Well
    // inside the key hold's bound, so that the user's keys held meanwhile come
    // out in order.
    static constexpr std::uint64_t ClipboardWaitMilliseconds = 2000;
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

  private:
    void sendQueued();
    void sendNext();
    void replayHeldKeys();
    void send(const SendRequest& request);
    // Saves the user's clipboard and puts the text on it; false when the text
    // must be typed instead.
    bool lendClipboard(const std::string& text);
    bool pasteText();
    // False when the clipboard is still held open by another program after
    // ClipboardWaitMilliseconds. With a step, the step too must have worked:
    // another program may open the clipboard between the wait and the step.
    bool waitForClipboard(const std::function<bool()>& step = nullptr);
    void calibrationPause();
    void endEarly();
    Wait forceWait() const { return options_.forceText ? Wait::Yes : Wait::No; }

    const EngineOptions& options_;
    KeyboardEngine& keyboard_;
    EngineServices& services_;
    ClipboardLoan loan_{services_.clipboard, services_.clock};
    bool clipboardSteps_ = false;
    std::deque<SendRequest> queue_;
    bool sendPosted_ = false;
    bool sending_ = false;
    bool toldTooLarge_ = false;
};

}  // namespace quorvel
