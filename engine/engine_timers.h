#pragma once
// The main window's engine timers: TimerMain forgets a recorded modifier shortly
// after the last unmatched key, TimerClear forgets typed letters and the modifier
// after a pause in typing, TimerData puts the clipboard back after a paste when
// the sender could not.

#include "engine/engine_form.h"
#include "engine/main_data.h"
#include "platform/clipboard.h"
#include "platform/clock.h"

namespace quorvel {

void TimerMain_Timer(EngineForm& form, MainData& mainData, Clock& clock);
void TimerClear_Timer(EngineForm& form, MainData& mainData, Clock& clock);
void TimerData_Timer(EngineForm& form, MainData& mainData, Clipboard& clipboard);

// Puts back what the user had on the clipboard before a paste, if the clipboard
// still holds the paste's text: a copy the user made since stays. Kept for the
// next TimerData tick when the clipboard cannot be written now.
void giveClipboardBack(MainData& mainData, Clipboard& clipboard);

}  // namespace quorvel
