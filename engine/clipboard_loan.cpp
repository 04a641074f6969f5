#include "engine/clipboard_loan.h"

#include <utility>

namespace quorvel {

SnapshotResult::Outcome ClipboardLoan::save() {
    sent_ = false;
    if (saved_ && clipboard_.holdsPaste()) {
        settingUp_ = true;
        return SnapshotResult::Outcome::Taken;
    }
    SnapshotResult result = clipboard_.snapshot(Limits);
    saved_.reset();
    if (result.outcome == SnapshotResult::Outcome::Taken) {
        saved_ = std::move(result.contents);
        settingUp_ = true;
    }
    return result.outcome;
}

void ClipboardLoan::pasteSent() {
    clipboard_.armPaste();
    sent_ = true;
    since_ = clock_.milliseconds();
    settingUp_ = false;
}

void ClipboardLoan::dropPaste() {
    if (!settingUp_) {
        return;
    }
    sent_ = false;
    since_ = clock_.milliseconds();
    settingUp_ = false;
}

bool ClipboardLoan::step() {
    if (settingUp_) {
        return false;
    }
    const std::uint64_t waited = clock_.milliseconds() - since_;
    if (saved_ && (!sent_ || clipboard_.pasteRead() || waited >= ReadBoundMilliseconds) &&
        clipboard_.restore(*saved_) != Clipboard::RestoreOutcome::Busy) {
        // Given back, or someone else wrote the clipboard since: theirs stays.
        saved_.reset();
    }
    if (whenBack_ && (!saved_ || waited >= KeysWaitMilliseconds)) {
        std::exchange(whenBack_, nullptr)();
    }
    return !saved_;
}

void ClipboardLoan::giveBackNow() {
    settingUp_ = false;
    if (saved_ && clipboard_.restore(*saved_) != Clipboard::RestoreOutcome::Busy) {
        saved_.reset();
    }
}

}  // namespace quorvel
