#pragma once
// The controls of the main window that carry the engine's state between key
// events. The main window holds them; the engine reads and writes them.

#include <optional>
#include <string>

#include "engine/shortcut_list.h"
#include "engine/stay_out.h"
#include "platform/clock.h"
#include "ui/controls.h"

namespace quorvel {

struct EngineForm {
    std::string typedKeys;  // lower-case names of the keys just typed
    std::string lastKey;    // the last key's lower-case name
    // When the last key came, and the last key that matched nothing. The clock
    // gives whole seconds, and the timers' rules count whole seconds: a key at
    // 12:00:00.9 is a second old at 12:00:01.0.
    std::optional<DateTime> lastKeyTime;
    std::optional<DateTime> lastUnmatchedKeyTime;
    TextBox calibrationBox{"500"};  // the calibration number
    Timer modifierTimer{1000, true};
    Timer pauseTimer{5000, true};
    Timer clipboardTimer{100, false};  // puts the clipboard back after a paste
    MenuItem showKeyItem{"Hit Ctrl Shift S to Show Quorvel 2.1"};
    MenuItem commonTextKeyItem{"Hit Ctrl Shift C to Show Quorvel 2.1 Common Text"};
    MenuItem boostItem{"Boost"};
    MenuItem forceTextItem{"Force Text"};
    // "Pause Expansion" in the icon's menu: the hook passes every key untouched.
    // Not stored: each run starts expanding.
    bool expansionPaused = false;
    // On unless the user turned it off: no trigger fires in a full-screen game or
    // presentation.
    MenuItem fullScreenPauseItem = [] {
        MenuItem item{"Pause in Full-Screen Programs"};
        item.checked = true;
        return item;
    }();
    ExcludedPrograms excludedPrograms;
    ShortcutList shortcuts;
};

}  // namespace quorvel
