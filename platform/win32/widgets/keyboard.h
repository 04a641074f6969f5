#pragma once
// The keyboard in the program's windows, which are plain windows rather than
// dialogs: the message loop lets IsDialogMessage move the focus with Tab, the
// arrow keys and access keys, and turn Enter and Esc into IDOK and IDCANCEL
// commands to the window, which decides what they do.

#include <windows.h>

#include <string>
#include <string_view>

namespace quorvel {

// A multi-line box wants every key, so IsDialogMessage hands it Tab and Esc,
// and the box then asks its parent, as if that were a dialog, to move the
// focus (a plain window ignores that: the focus stays) or to close (the refused
// close of the main window; Common Text hides, losing the typed text). After
// this call Tab and Shift+Tab leave the box, Ctrl+Tab types a tab, and Esc
// reaches the window as IDCANCEL; Enter still types a line break.
void letTabAndEscLeaveBox(HWND multiLineBox);

// Gives the focus back to the control that had it when the window was last
// deactivated, or to its first tab stop: handles WM_ACTIVATE.
class FocusMemory {
  public:
    void onActivate(HWND window, WPARAM state);

  private:
    HWND saved_ = nullptr;
};

// Clicks the push button that has the focus in `window`, as Enter does in a
// dialog; false when the focus is elsewhere.
bool clickFocusedButton(HWND window);

// The caption with its access key marked: an ampersand before the first
// occurrence of `keyAt`. A caption that has one already, or lacks `keyAt`, is
// left as it is.
std::string withAccessKey(std::string_view caption, std::string_view keyAt);

}  // namespace quorvel
