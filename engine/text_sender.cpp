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
    while (!queue_.empty()) {
        const SendRequest request = std::move(queue_.front());
        queue_.pop_front();
        mainData_.keyHold().maskMenuKeys();
        send(request);
        // The user's keys go after every one of ours; a trigger among them queues
        // the next send here.
        services_.injector.waitForOwnKeys();
        mainData_.keyHold().replayAfterSend([this] { return !queue_.empty(); });
    }
    sending_ = false;
}

void TextSender::send(const SendRequest& request) {
    form_.clipboardTimer.enabled = false;

    // Function keys and Ctrl combinations put no characters into the application.
    // The erase goes out before the event loop runs again: keys typed meanwhile
    // would otherwise reach the application first and be erased in its place.
    const std::string lowered = lowerCase(request.trigger);
    std::vector<KeyStroke> erase;
    if (lowered.find("{f") == std::string::npos && lowered.find("{ctrl}") == std::string::npos) {
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

    const MacroExpansion expansion = expandMacros(
        request.text, services_.clock.now(), [this] { return services_.clipboard.getText(); },
        services_.locale);
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

    if (form_.boostItem.checked) {
        if (!pasteText(expansion.value)) {
            endEarly();
            return;
        }
    } else {
        // A text that breaks the notation sends nothing of itself.
        const auto strokes = parseSendKeys(keystrokeNotation(expansion));
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

bool TextSender::pasteText(const std::string& text) {
    Clipboard& clipboard = services_.clipboard;
    // What the user had stays saved while an earlier paste's text, which could not
    // be taken back yet, is still on the clipboard: a second snapshot would save
    // that text instead.
    const bool saved = waitForClipboard([&] {
        if (mainData_.SavedClipboard &&
            clipboard.sequenceNumber() == mainData_.PastedClipboardSequence) {
            return true;
        }
        mainData_.SavedClipboard = clipboard.snapshot();
        return mainData_.SavedClipboard.has_value();
    });
    if (!saved) {
        return false;
    }
    const bool written = waitForClipboard([&] { return clipboard.setPasteText(text); });
    mainData_.PastedClipboardSequence = clipboard.sequenceNumber();
    // A clipboard manager told of the write opens the clipboard to read it; a
    // Ctrl+V meanwhile would find the clipboard closed to the target. With its
    // wait, typeKeys returns once the target has taken the Ctrl+V and been back to
    // its message loop: it has read the clipboard. What the user had goes back now,
    // before their keys held meanwhile are replayed (a Ctrl+V of theirs among them
    // pastes their own text); when the clipboard stays busy, the clipboardTimer
    // tries again.
    constexpr KeyStroke ctrlV[] = {KeyStroke::press(Modifier::Ctrl), KeyStroke::typed('v'),
                                   KeyStroke::release(Modifier::Ctrl)};
    const bool pasted = written && waitForClipboard() &&
                        services_.injector.typeKeys(ctrlV, Wait::Yes) == SendOutcome::AllSent;
    if (pasted) {
        services_.events.DoEvents();
    }
    if (waitForClipboard()) {
        giveClipboardBack(mainData_, clipboard);
    }
    form_.typedKeys.clear();
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
    form_.clipboardTimer.enabled = true;
}

}  // namespace quorvel
