#pragma once
// The main window's engine timers: modifierTimer forgets a recorded modifier shortly
// after the last unmatched key, pauseTimer forgets typed letters and the modifier
// after a pause in typing, clipboardTimer puts the clipboard back after a paste when
// the sender could not.

#include "engine/engine_form.h"
#include "engine/main_data.h"
#include "platform/clipboard.h"
#include "platform/clock.h"

namespace quorvel {

void modifierTimerTick(EngineForm& form, MainData& mainData, Clock& clock);
void pauseTimerTick(EngineForm& form, MainData& mainData, Clock& clock);
void clipboardTimerTick(EngineForm& form, MainData& mainData, Clipboard& clipboard);

// Puts back what the user had on the clipboard before a paste, if the clipboard
// still holds the paste's text: a copy the user made since stays. Kept for the
// next clipboardTimer tick when the clipboard cannot be written now.
void giveClipboardBack(MainData& mainData, Clipboard& clipboard);

}  // namespace quorvel
