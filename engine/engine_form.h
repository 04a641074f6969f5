#pragma once
// The controls of the main window that carry the engine's state between key
// events. The main window holds them; the engine reads and writes them.

#include "engine/shortcut_list.h"
#include "ui/controls.h"

namespace quorvel {

struct EngineForm {
    TextBox Text5;                 // the typed-key buffer: lower-case names of the keys just typed
    TextBox Text1;                 // the last key's lower-case name
    TextBox Text147{"Text147"};    // the send stamp; its tag carries the Enter request
    TextBox Text2{"500"};          // the calibration number
    Timer TimerMain{1000, true};   // tag: the no-match stamp
    Timer TimerClear{5000, true};  // tag: the last-key stamp
    Timer TimerData{100, false};   // puts the clipboard back after a paste
    MenuItem MenuShow{"Hit Ctrl Shift S to Show Quorvel 2.1"};
    MenuItem MenuText{"Hit Ctrl Shift C to Show Quorvel 2.1 Common Text"};
    MenuItem MenuBoost{"Boost"};
    MenuItem MenuForce{"Force Text"};
    ShortcutList List1;
};

}  // namespace quorvel
