#pragma once
// The controls of the shortcut editor: the trigger and text boxes, the launch key
// options, the Enter tick box and the four buttons.

#include <string>

#include "ui/controls.h"

namespace quorvel {

struct EditorControls {
    Label editorFrame{"Keyboard Shortcuts"};
    Label columnHeadings{"Shortcut Letters" + std::string(18, ' ') + "Text String"};

    TextBox triggerBox;  // the trigger
    // Where the caret stands in triggerBox, counted in characters from the start.
    int triggerCaret = 0;
    TextBox shortcutText;  // the text to send; several lines

    OptionButton spaceKey{.caption = "Space", .value = true};
    OptionButton tabKey{.caption = "Tab"};
    OptionButton escKey{.caption = "Esc"};
    CheckBox enterAfter{.caption = "Hit ENTER key after text"};

    Button addButton{.caption = "Add ShortCut"};
    Button deleteButton{.caption = "Delete"};
    Button deleteAllButton{.caption = "Delete All"};
    Button samplesButton{.caption = "Samples"};
};

}  // namespace quorvel
