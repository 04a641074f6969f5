#include "engine/text_sender.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "engine/send_keys_notation.h"
#include "platform/virtual_keys.h"
#include "text/utf8.h"

namespace quorvel {

TextSender::TextSender(const EngineOptions& options, KeyboardEngine& keyboard,
                       EngineServices& services)
    : options_(options), keyboard_(keyboard), services_(services) {}

void TextSender::clipboardTick() {
    // Runs until the user's contents are back, or someone else has written the
    // clipboard since the paste.
    if (loan_.step()) {
        clipboardSteps_ = false;
    }
}

void TextSender::enqueue(SendRequest request) {
    queue_.push_back(std::move(request));
    // Not from inside the hook's callback: the platform drops a hook that takes
    // too long. A send on its way takes the queue in its turn.
    if (phase_ == Phase::Idle) {
        phase_ = Phase::Start;
        services_.events.post([this] { run(); });
    }
}

void TextSender::run() {
    while (step()) {
    }
}

bool TextSender::afterPass(Phase next) {
    phase_ = next;
    services_.events.post([this] { run(); });
    return false;
}

bool TextSender::afterKeysArrive(Phase next) {
    phase_ = next;
    services_.injector.whenKeysArrive([this] { run(); });
    return false;
}

TextSender::Try TextSender::tryClipboard(const std::function<bool()>& attempt) {
    if (services_.clipboard.available() && (!attempt || attempt())) {
        return Try::Done;
    }
    return services_.clock.milliseconds() - waitStart_ >= ClipboardWaitMilliseconds ? Try::GaveUp
                                                                                    : Try::Again;
}

bool TextSender::step() {
    switch (phase_) {
        case Phase::Idle:
        case Phase::Replaying:
            return false;

        case Phase::Start: {
            if (queue_.empty()) {
                phase_ = Phase::Idle;
                return false;
            }
            request_ = std::move(queue_.front());
            queue_.pop_front();
            keyboard_.keyHold().maskMenuKeys();
            keyboard_.endUndoChance();
            clipboardSteps_ = false;
            sentText_.reset();
            // Function keys and Ctrl combinations put no characters into the
            // application.
            erasures_ = request_.triggerTyped ? utf8::length(request_.trigger) : 0;
            if (request_.launchKeyEndsTrigger && erasures_ > 0) {
                --erasures_;
            }
            if (request_.undo) {
                paste_ = false;
                expansion_ = MacroExpansion{};
                literal_.clear();
                phase_ = Phase::Undo;
                return true;
            }
            phase_ = Phase::Expand;
            waitStart_ = services_.clock.milliseconds();
            return true;
        }

        case Phase::Expand: {
            const auto expand = [this] {
                expansion_ =
                    request_.plainText
                        ? MacroExpansion{MacroExpansion::Kind::Text, request_.text, {}, {}}
                        : expandMacros(
                              request_.text, services_.clock.now(),
                              [this] { return services_.clipboard.getText(); }, services_.locale);
                return expansion_.kind != MacroExpansion::Kind::ClipboardUnreadable;
            };
            if (!expand()) {
                // Another program may hold the clipboard a moment: its text is
                // read again on the loop's next passes, within the clipboard's bound.
                const Try read = tryClipboard(expand);
                if (read == Try::Again) {
                    return afterPass(Phase::Expand);
                }
                if (read == Try::GaveUp) {
                    leaveAsTyped(onClipboardUnreadable);
                    return true;
                }
            }
            // Approval looked at the text with plain date and time values, and
            // only a program the text starts by itself can have been approved.
            if (expansion_.kind == MacroExpansion::Kind::Launch &&
                !mayStartProgram(request_.text)) {
                leaveAsTyped(onProgramFromDateOrTime);
                return true;
            }
            literal_ = literalText(expansion_, request_.textCase);
            // A paste takes the clipboard before the trigger is erased: a clipboard
            // that cannot be had, or is too large to give back, makes the text typed
            // instead.
            paste_ = options_.boost && expansion_.kind == MacroExpansion::Kind::Text;
            phase_ = paste_ ? Phase::SaveClipboard : Phase::Erase;
            waitStart_ = services_.clock.milliseconds();
            return true;
        }

        case Phase::Undo: {
            const auto erasures = undoErasures(*request_.undo, services_.focus.textBeforeCaret());
            if (!erasures) {
                // The text is no longer as the send left it: the Backspace is the
                // user's, and does what it always does.
                const KeyStroke backspace = KeyStroke::key(vk::Backspace);
                services_.injector.typeKeys({&backspace, 1}, Wait::No);
                endEarly();
                return true;
            }
            erasures_ = *erasures;
            phase_ = Phase::Erase;
            return true;
        }

        case Phase::SaveClipboard: {
            const Try saved = tryClipboard([this] {
                saved_ = loan_.save();
                return saved_ != SnapshotResult::Outcome::Busy;
            });
            if (saved == Try::Again) {
                return afterPass(Phase::SaveClipboard);
            }
            if (saved == Try::Done && saved_ == SnapshotResult::Outcome::TooLarge) {
                if (!toldTooLarge_ && onClipboardTooLarge) {
                    toldTooLarge_ = true;
                    onClipboardTooLarge();
                }
            }
            paste_ = saved == Try::Done && saved_ == SnapshotResult::Outcome::Taken;
            phase_ = paste_ ? Phase::LendClipboard : Phase::Erase;
            waitStart_ = services_.clock.milliseconds();
            return true;
        }

        case Phase::LendClipboard: {
            const Try lent = tryClipboard([this] { return loan_.lend(literal_); });
            if (lent == Try::Again) {
                return afterPass(Phase::LendClipboard);
            }
            if (lent == Try::GaveUp) {
                loan_.dropPaste();
                paste_ = false;
            }
            phase_ = Phase::Erase;
            return true;
        }

        case Phase::Erase: {
            if (erasures_ == 0) {
                phase_ = Phase::Deliver;
                return true;
            }
            const std::vector<KeyStroke> erase(erasures_, KeyStroke::key(vk::Backspace));
            if (services_.injector.typeKeys(erase, forceWait()) != SendOutcome::AllSent) {
                endEarly();
                return true;
            }
            passQuarters_ = 0;
            if (forceWait() == Wait::Yes) {
                return afterKeysArrive(Phase::Pause);
            }
            phase_ = Phase::Pause;
            return true;
        }

        case Phase::Pause:
            // So many passes of the loop, the number read afresh on each as the
            // user may be changing it, so that the target has taken the
            // Backspaces before the text comes.
            if (passQuarters_ >= 4 * std::int64_t{options_.calibrationPasses}) {
                phase_ = Phase::Deliver;
                return true;
            }
            passQuarters_ += CalibrationQuartersPerPass;
            // The pause is the send keeping time, not a send that hangs: on a slow
            // machine it may take longer than the hold's time bound.
            keyboard_.keyHold().noteSendProgress();
            return afterPass(Phase::Pause);

        case Phase::Deliver:
            if (expansion_.kind == MacroExpansion::Kind::Launch) {
                services_.programs.startProgram(expansion_.value);
                endEarly();
                return true;
            }
            if (expansion_.kind != MacroExpansion::Kind::Text) {
                endEarly();
                return true;
            }
            return afterPass(Phase::Output);

        case Phase::Output:
            // A clipboard manager told of the write opens the clipboard to read it
            // (the text is not handed to it: it is not the target); a Ctrl+V
            // meanwhile would find the clipboard closed to the target. When it stays
            // open, the text is typed instead.
            waitStart_ = services_.clock.milliseconds();
            phase_ = paste_ ? Phase::AwaitClipboard : Phase::TypeText;
            return true;

        case Phase::AwaitClipboard: {
            const Try free = tryClipboard(nullptr);
            if (free == Try::Again) {
                return afterPass(Phase::AwaitClipboard);
            }
            if (free == Try::GaveUp) {
                loan_.dropPaste();
                paste_ = false;
            }
            phase_ = paste_ ? Phase::Paste : Phase::TypeText;
            return true;
        }

        case Phase::Paste: {
            // The user's contents go back once the target has read the text, not
            // when it has taken the key: many programs read the clipboard a moment
            // later, in another thread or process.
            loan_.pasteSent();
            constexpr KeyStroke ctrlV[] = {KeyStroke::press(Modifier::Ctrl), KeyStroke::typed('v'),
                                           KeyStroke::release(Modifier::Ctrl)};
            if (services_.injector.typeKeys(ctrlV, Wait::Yes) != SendOutcome::AllSent) {
                keyboard_.forgetTypedKeys();
                endEarly();
                return true;
            }
            return afterKeysArrive(Phase::PasteArrived);
        }
        case Phase::PasteArrived:
            return afterPass(Phase::Pasted);
        case Phase::Pasted:
            keyboard_.forgetTypedKeys();
            sentText_ = sentCharacters(textStrokes(literal_));
            return afterPass(Phase::Enter);

        case Phase::TypeText: {
            // Boost pastes the text as it stands; typed in its place, it stays data.
            const bool literal = options_.boost || request_.plainText;
            const auto strokes = request_.undo ? request_.undo->typedKeys
                                 : literal     ? std::optional(textStrokes(literal_))
                                               : keystrokesOf(expansion_, request_.textCase);
            if (!strokes ||
                services_.injector.typeKeys(*strokes, forceWait()) != SendOutcome::AllSent) {
                endEarly();
                return true;
            }
            sentText_ = sentCharacters(*strokes);
            if (forceWait() == Wait::Yes) {
                return afterKeysArrive(Phase::TextArrived);
            }
            phase_ = Phase::TextArrived;
            return true;
        }
        case Phase::TextArrived:
            return afterPass(Phase::Typed);
        case Phase::Typed:
            keyboard_.forgetTypedKeys();
            clipboardSteps_ = true;
            return afterPass(Phase::Enter);

        case Phase::Enter:
            if (!request_.enterAfter) {
                phase_ = Phase::Finish;
                return true;
            } else {
                const KeyStroke enter = KeyStroke::key(vk::Enter);
                services_.injector.typeKeys({&enter, 1}, Wait::No);
                if (sentText_) {
                    *sentText_ += '\n';
                }
                return afterPass(Phase::Finish);
            }

        case Phase::Finish:
            clipboardSteps_ = true;
            if (sentText_ && request_.typedKeys && !request_.undo) {
                keyboard_.offerUndo(
                    {*std::move(sentText_), *std::move(request_.typedKeys), paste_});
            }
            sentText_.reset();
            // The user's keys go after every one of ours; a trigger among them
            // queues the next send.
            return afterKeysArrive(Phase::GiveBack);

        case Phase::GiveBack:
            // After a paste they wait, within a bound, for the user's clipboard to
            // come back, so that a Ctrl+V of theirs pastes what they had. The
            // clipboard timer steps the loan; nothing here waits for it.
            phase_ = Phase::Replay;
            if (!loan_.step()) {
                loan_.whenBack([this] { run(); });
                return false;
            }
            return true;

        case Phase::Replay:
            phase_ = Phase::Replaying;
            keyboard_.keyHold().replayAfterSend([this] { return !queue_.empty(); },
                                                [this] {
                                                    phase_ = Phase::Start;
                                                    run();
                                                });
            return false;
    }
    return false;
}

// Nothing to type in place of the trigger: it stays as the user typed it, and
// the Space, Tab or character that launched it and was swallowed goes in after it.
void TextSender::leaveAsTyped(const std::function<void(const std::string&)>& tell) {
    if (request_.typedKeys && request_.triggerTyped) {
        const std::vector<KeyStroke>& keys = *request_.typedKeys;
        const auto last = std::find_if(keys.rbegin(), keys.rend(), [](const KeyStroke& stroke) {
            return stroke.kind == KeyStroke::Kind::Key;
        });
        const bool swallowed =
            last != keys.rend() && (last->virtualKey == vk::Space || last->virtualKey == vk::Tab ||
                                    request_.launchKeyEndsTrigger);
        if (swallowed) {
            // With its Shift, if it was typed with one.
            const auto from =
                std::next(last) != keys.rend() && std::next(last)->kind == KeyStroke::Kind::Press
                    ? std::next(last, 2).base()
                    : std::next(last).base();
            services_.injector.typeKeys({&*from, static_cast<std::size_t>(keys.end() - from)},
                                        Wait::No);
        }
    }
    if (tell) {
        tell(request_.trigger);
    }
    endEarly();
}

void TextSender::endEarly() {
    // What the user had goes back, if the paste had taken it.
    loan_.dropPaste();
    sentText_.reset();
    phase_ = Phase::Finish;
}

}  // namespace quorvel
