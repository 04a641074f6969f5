#pragma once
// The controls of the main window that carry the engine's state between key
// events. The main window holds them; the engine reads and writes them.

#include "engine/shortcut_list.h"
#include "platform/controls.h"

namespace quorvel {

struct EngineForm {
    TextBox typedKeys;              // the typed-key buffer: lower-case names of the keys just typed
    TextBox lastKey;                // the last key's lower-case name
    TextBox sendStamp{"Text147"};   // the send stamp; its tag carries the Enter request
    TextBox calibrationBox{"500"};  // the calibration number
    Timer modifierTimer{1000, true};   // tag: the no-match stamp
    Timer pauseTimer{5000, true};      // tag: the last-key stamp
    Timer clipboardTimer{100, false};  // puts the clipboard back after a paste
    MenuItem showKeyItem{"Hit Ctrl Shift S to Show Quorvel 2.1"};
    MenuItem commonTextKeyItem{"Hit Ctrl Shift C to Show Quorvel 2.1 Common Text"};
    MenuItem boostItem{"Boost"};
    MenuItem forceTextItem{"Force Text"};
    ShortcutList shortcuts;
};

}  // namespace quorvel
