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

void clipboardTimerTick(EngineForm& form, MainData& mainData) {
    // Runs until the user's contents are back, or someone else has written the
    // clipboard since the paste.
    if (mainData.clipboardLoan().step()) {
        form.clipboardTimer.enabled = false;
    }
}

}  // namespace quorvel
