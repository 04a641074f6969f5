#pragma once
// The main window's engine timers: modifierTimer forgets a recorded modifier shortly
// after the last unmatched key, pauseTimer forgets typed letters and the modifier
// after a pause in typing, clipboardTimer gives the user's clipboard back after a
// paste (see ClipboardLoan).

#include "engine/engine_form.h"
#include "engine/main_data.h"
#include "platform/clock.h"

namespace quorvel {

void modifierTimerTick(EngineForm& form, MainData& mainData, Clock& clock);
void pauseTimerTick(EngineForm& form, MainData& mainData, Clock& clock);
void clipboardTimerTick(EngineForm& form, MainData& mainData);

}  // namespace quorvel
