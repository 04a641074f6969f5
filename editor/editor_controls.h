#pragma once
// The controls of the shortcut editor: the trigger and text boxes, the launch key
// options, the Enter tick box and the four buttons.

#include <string>

#include "ui/controls.h"

namespace quorvel {

struct EditorControls {
    Label Frame2{"Keyboard Shortcuts"};
    Label Label27{"Shortcut Letters" + std::string(18, ' ') + "Text String"};

    TextBox TextData10;  // the trigger
    // Where the caret stands in TextData10, counted in characters from the start.
    int TextData10Caret = 0;
    TextBox Text7;  // the text to send; several lines

    OptionButton Opt1{.caption = "Space", .value = true};
    OptionButton Opt2{.caption = "Tab"};
    OptionButton Opt4{.caption = "Esc"};
    CheckBox Check2{.caption = "Hit ENTER key after text"};

    Button Command8{.caption = "Add ShortCut"};
    Button Command4{.caption = "Delete"};
    Button Command3{.caption = "Delete All"};
    Button Command2{.caption = "Samples"};
};

}  // namespace quorvel
