#include "engine/engine_timers.h"

#include <cstdlib>

#include "engine/date_stamp.h"

namespace quorvel {

void modifierTimerTick(EngineForm& form, MainData& mainData, Clock& clock) {
    if (!form.lastUnmatchedKeyTime) {
        return;
    }
    if (secondsBetween(*form.lastUnmatchedKeyTime, clock.now()) >= 1) {
        mainData.ModifierState = modifier::None;
        form.lastUnmatchedKeyTime.reset();
    }
}

void pauseTimerTick(EngineForm& form, MainData& mainData, Clock& clock) {
    // Either way: the clock may have been set back.
    if (!form.lastKeyTime || std::llabs(secondsBetween(*form.lastKeyTime, clock.now())) > 5) {
        form.typedKeys.clear();
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
