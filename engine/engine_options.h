#pragma once
// What the user sets for the engine, as one value: the window models build it
// from their menus and boxes and hand it over whenever one of them changes.

#include <cstdint>

#include "engine/calibration.h"
#include "engine/stay_out.h"

namespace quorvel {

struct EngineOptions {
    // Paste texts through the clipboard instead of typing them.
    bool boost = false;
    // Wait after each keystroke batch until the target has taken it.
    bool forceText = false;
    // Ctrl+Shift+S shows the main window; Ctrl+Shift+C the Common Text window.
    bool showWindowHotKey = false;
    bool commonTextHotKey = false;
    // Event-loop passes waited between erasing a trigger and sending its text.
    std::int32_t calibrationPasses = DefaultCalibration;
    bool pauseInFullScreen = true;
    // "Pause Expansion": every key passes untouched.
    bool expansionPaused = false;
    // A trigger typed with a capital gives its text with one, or in capitals.
    bool matchTriggerCase = false;
    ExcludedPrograms excludedPrograms;
    // A Backspace right after an expansion takes it back.
    bool undoWithBackspace = true;
};

}  // namespace quorvel
