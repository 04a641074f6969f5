#pragma once
// Modal message boxes and the open and save file dialogs.

#include <string>
#include <string_view>

namespace quorvel {

// A question whose Yes loses something has No as its default button, so that
// Enter, pressed in haste, keeps it.
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
enum class MessageAnswer { Ok, Yes, No };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Shows a modal message box without icon.
    virtual MessageAnswer MsgBox(std::string_view text, MessageButtons buttons,
                                 std::string_view caption) = 0;
    // The chosen file's path, or empty when the dialog was cancelled. The open
    // dialog takes only a file that is there (it may still be gone by the time
    // it is read); the save dialog asks before it names a file that is there,
    // and goes on showing when the answer is No.
    virtual std::string showOpenDialog() = 0;
    virtual std::string showSaveDialog() = 0;
};

}  // namespace quorvel
