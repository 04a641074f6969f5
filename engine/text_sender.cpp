#include "engine/text_sender.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/calibration.h"
#include "engine/engine_timers.h"
#include "engine/macro_expander.h"
#include "engine/send_keys_notation.h"
#include "platform/virtual_keys.h"
#include "text/utf8.h"
#include "text/utf8_text.h"

namespace quorvel {

TextSender::TextSender(EngineForm& form, MainData& mainData, EngineServices& services)
    : form_(form), mainData_(mainData), services_(services) {}

void TextSender::enqueue(SendRequest request) {
    queue_.push_back(std::move(request));
    if (!sendPosted_ && !sending_) {
        sendPosted_ = true;
        services_.events.post([this] {
            sendPosted_ = false;
            sendQueued();
        });
    }
}

void TextSender::sendQueued() {
    // A send yields to the event loop; work posted meanwhile must not start a
    // second send inside the first.
    if (sending_) {
        return;
    }
    sending_ = true;
    sendNext();
}

void TextSender::sendNext() {
    ClipboardLoan& loan = mainData_.clipboardLoan();
    while (!queue_.empty()) {
        const SendRequest request = std::move(queue_.front());
        queue_.pop_front();
        mainData_.keyHold().maskMenuKeys();
        send(request);
        // The user's keys go after every one of ours; a trigger among them queues
        // the next send here.
        services_.injector.waitForOwnKeys();
        // After a paste they wait, within a bound, for the user's clipboard to come
        // back, so that a Ctrl+V of theirs pastes what they had. The clipboardTimer
        // steps the loan; nothing here waits for it.
        if (!loan.step()) {
            loan.whenBack([this] {
                replayHeldKeys();
                sendNext();
            });
            return;
        }
        replayHeldKeys();
    }
    sending_ = false;
}

void TextSender::replayHeldKeys() {
    mainData_.keyHold().replayAfterSend([this] { return !queue_.empty(); });
}

void TextSender::send(const SendRequest& request) {
    form_.clipboardTimer.enabled = false;

    const MacroExpansion expansion = expandMacros(
        request.text, services_.clock.now(), [this] { return services_.clipboard.getText(); },
        services_.locale);
    // A paste takes the clipboard before the trigger is erased: a clipboard that
    // cannot be had, or is too large to give back, makes the text typed instead.
    bool paste = form_.boostItem.checked && expansion.kind == MacroExpansion::Kind::Text &&
                 lendClipboard(expansion.value);

    std::vector<KeyStroke> erase;
    if (request.triggerTyped) {
        std::size_t typed = utf8::length(request.trigger);
        if (request.launchKeyEndsTrigger && typed > 0) {
            --typed;
        }
        erase.assign(typed, KeyStroke::key(vk::Backspace));
    }
    if (!erase.empty()) {
        if (services_.injector.typeKeys(erase, forceWait()) != SendOutcome::AllSent) {
            endEarly();
            return;
        }
        calibrationPause();
    }

    if (expansion.kind == MacroExpansion::Kind::Launch) {
        services_.programs.startProgram(expansion.value);
        endEarly();
        return;
    }
    if (expansion.kind != MacroExpansion::Kind::Text) {
        endEarly();
        return;
    }
    services_.events.DoEvents();

    // A clipboard manager told of the write opens the clipboard to read it (the
    // text is not handed to it: it is not the target); a Ctrl+V meanwhile would
    // find the clipboard closed to the target. When it stays open, the text is
    // typed instead.
    if (paste && !waitForClipboard()) {
        mainData_.clipboardLoan().dropPaste();
        paste = false;
    }
    if (paste) {
        if (!pasteText()) {
            endEarly();
            return;
        }
    } else {
        // Boost pastes the text as it stands; typed in its place, it stays data.
        const auto strokes = parseSendKeys(form_.boostItem.checked ? literalKeys(expansion.value)
                                                                   : keystrokeNotation(expansion));
        if (!strokes ||
            services_.injector.typeKeys(*strokes, forceWait()) != SendOutcome::AllSent) {
            endEarly();
            return;
        }
        services_.events.DoEvents();
        form_.typedKeys.clear();
        form_.clipboardTimer.enabled = true;
    }
    services_.events.DoEvents();

    if (request.enterAfter) {
        const KeyStroke enter = KeyStroke::key(vk::Enter);
        services_.injector.typeKeys({&enter, 1}, Wait::No);
        services_.events.DoEvents();
    }
    form_.clipboardTimer.enabled = true;
}

bool TextSender::lendClipboard(const std::string& text) {
    ClipboardLoan& loan = mainData_.clipboardLoan();
    SnapshotResult::Outcome saved = SnapshotResult::Outcome::Busy;
    if (!waitForClipboard([&] {
            saved = loan.save();
            return saved != SnapshotResult::Outcome::Busy;
        })) {
        return false;
    }
    if (saved == SnapshotResult::Outcome::TooLarge) {
        if (!toldTooLarge_ && onClipboardTooLarge) {
            toldTooLarge_ = true;
            onClipboardTooLarge();
        }
        return false;
    }
    if (!waitForClipboard([&] { return loan.lend(text); })) {
        loan.dropPaste();
        return false;
    }
    return true;
}

bool TextSender::pasteText() {
    // The user's contents go back once the target has read the text, not when it
    // has taken the key: many programs read the clipboard a moment later, in
    // another thread or process.
    mainData_.clipboardLoan().pasteSent();
    constexpr KeyStroke ctrlV[] = {KeyStroke::press(Modifier::Ctrl), KeyStroke::typed('v'),
                                   KeyStroke::release(Modifier::Ctrl)};
    const bool pasted = services_.injector.typeKeys(ctrlV, Wait::Yes) == SendOutcome::AllSent;
    if (pasted) {
        services_.events.DoEvents();
    }
    form_.typedKeys.clear();
    form_.clipboardTimer.interval = ClipboardStepMilliseconds;
    return pasted;
}

bool TextSender::waitForClipboard(const std::function<bool()>& step) {
    const std::uint64_t start = services_.clock.milliseconds();
    while (!services_.clipboard.available() || (step && !step())) {
        if (services_.clock.milliseconds() - start >= ClipboardWaitMilliseconds) {
            return false;
        }
        services_.events.DoEvents();
    }
    return true;
}

void TextSender::calibrationPause() {
    // Read afresh on every pass, as the user may be changing it. A box that does
    // not hold a number (emptied while typing a new one) waits the default pause
    // rather than dropping the text after its trigger was erased.
    for (std::int32_t pass = 0;; ++pass) {
        const std::int32_t passes =
            calibrationPasses(form_.calibrationBox.text()).value_or(DefaultCalibration);
        if (pass >= passes) {
            return;
        }
        // The pause is the send keeping time, not a send that hangs: on a slow
        // machine it may take longer than the hold's time bound.
        mainData_.keyHold().noteSendProgress();
        services_.events.DoEvents();
    }
}

void TextSender::endEarly() {
    // What the user had goes back, if the paste had taken it.
    mainData_.clipboardLoan().dropPaste();
    form_.clipboardTimer.enabled = true;
}

}  // namespace quorvel
