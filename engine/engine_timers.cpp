#include "engine/engine_timers.h"

#include <cstdlib>

#include "engine/date_stamp.h"

namespace quorvel {

void modifierTimerTick(EngineForm& form, MainData& mainData, Clock& clock) {
    std::string& noMatchStamp = form.modifierTimer.tag;
    if (noMatchStamp.empty()) {
        return;
    }
    const auto stamp = parseStamp(noMatchStamp);
    // A stamp that does not read back counts as old.
    if (!stamp || secondsBetween(*stamp, clock.now()) >= 1) {
        mainData.ModifierState = modifier::None;
        noMatchStamp.clear();
    }
}

void pauseTimerTick(EngineForm& form, MainData& mainData, Clock& clock) {
    const std::string& lastKeyStamp = form.pauseTimer.tag;
    const auto stamp = parseStamp(lastKeyStamp);
    if (lastKeyStamp.empty() || !stamp || std::llabs(secondsBetween(*stamp, clock.now())) > 5) {
        form.typedKeys.setText({});
        mainData.ModifierState = modifier::None;
    }
}

void clipboardTimerTick(EngineForm& form, MainData& mainData, Clipboard& clipboard) {
    // The last try: the timer runs once.
    giveClipboardBack(mainData, clipboard);
    mainData.SavedClipboard.reset();
    form.clipboardTimer.enabled = false;
}

void giveClipboardBack(MainData& mainData, Clipboard& clipboard) {
    if (!mainData.SavedClipboard) {
        return;
    }
    if (clipboard.sequenceNumber() == mainData.PastedClipboardSequence &&
        !clipboard.restore(*mainData.SavedClipboard)) {
        return;
    }
    mainData.SavedClipboard.reset();
}

}  // namespace quorvel
