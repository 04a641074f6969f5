#pragma once
// Where the user is typing: what the engine needs to know about the foreground
// window and its keyboard focus to decide whether to stay out.

#include <cstdint>
#include <optional>
#include <string>

namespace quorvel {

struct FocusFacts {
    // The keyboard focus is in a password box, or in a field that tells
    // accessibility it is protected (a browser's or a modern program's).
    bool passwordBox = false;
    bool composing = false;  // an input method is composing in the focused window
    // A full-screen exclusive program (a game) or presentation mode.
    bool fullScreen = false;
    // The foreground program's file name ("mstsc.exe"); empty when unknown.
    std::string program;
    // Counts the changes of the window in front and of the control or object with
    // the keyboard focus: letters typed before a change were typed elsewhere.
    std::uint64_t focusChanges = 0;
    // The focused control is a kind whose text textBeforeCaret may read (an edit
    // box).
    bool textReadable = false;
};

class FocusInspector {
  public:
    virtual ~FocusInspector() = default;
    // The facts as they are now. Asked for keys the trigger matcher would see,
    // inside the keyboard hook: cheap, or cached until the focus changes.
    virtual const FocusFacts& inspect() = 0;
    // The file name of the last program other than Quorvel that was in front,
    // followed from the foreground changes; empty when none was seen.
    virtual std::string lastOtherProgram() = 0;
    // The focused control's text before its caret, when it can be read and
    // nothing is selected; never from inside the keyboard hook: it asks the
    // control's program.
    virtual std::optional<std::string> textBeforeCaret() = 0;
};

}  // namespace quorvel
