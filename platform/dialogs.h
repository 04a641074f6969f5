#pragma once
// Modal message boxes and the open and save file dialogs.

#include <string>
#include <string_view>

namespace quorvel {

// A question whose Yes loses something has No as its default button, so that
// Enter, pressed in haste, keeps it.
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
enum class MessageAnswer { Ok, Yes, No };

// What a file dialog says: its title, and the kind of file it lists first (its
// name and extension, without the dot, or several as "ahk;*.json"); "All files"
// follows. A name typed without an extension gets the (first) one.
struct FileDialogText {
    std::string_view title;
    std::string_view kindName;
    std::string_view extension;
    // The save dialog asks before it names a file that is there.
    bool askBeforeReplacing = true;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Shows a modal message box without icon.
    virtual MessageAnswer showMessage(std::string_view text, MessageButtons buttons,
                                      std::string_view caption) = 0;
    // The chosen file's path, or empty when the dialog was cancelled. The open
    // dialog takes only a file that is there (it may still be gone by the time
    // it is read); the save dialog asks before it names a file that is there
    // (unless told not to), and goes on showing when the answer is No.
    virtual std::string showOpenDialog(const FileDialogText& text) = 0;
    virtual std::string showSaveDialog(const FileDialogText& text) = 0;

    // Shows the busy cursor from the first call with true to the matching last
    // call with false. Use BusyCursor.
    virtual void setBusy(bool busy) = 0;
};

// The busy cursor for the life of this object: around work that may take long
// enough (a big import or save) for the user to wonder whether it is running.
class BusyCursor {
  public:
    explicit BusyCursor(Dialogs& dialogs) : dialogs_(dialogs) { dialogs_.setBusy(true); }
    ~BusyCursor() { dialogs_.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    Dialogs& dialogs_;
};

}  // namespace quorvel
