#pragma once
// Small steps shared by the program's views: creating child controls and
// bringing a control in line with its model, touching it only when it differs
// (a needless WM_SETTEXT moves the caret and raises change notifications).

#include <windows.h>

#include <string>

namespace quorvel {

// Creates a visible child control with the given class, text, style and id.
// Texts are UTF-8 here; the controls hold UTF-16.
HWND createControl(HWND parent, const wchar_t* windowClass, const std::string& text, DWORD style,
                   int id, HFONT font, DWORD extendedStyle = 0);

std::string windowText(HWND window);
std::wstring wideWindowText(HWND window);

// Each returns whether it changed the control.
bool syncText(HWND window, const std::string& text);
bool syncChecked(HWND button, bool checked);
bool syncEnabled(HWND window, bool enabled);
bool syncVisible(HWND window, bool visible);

// Set while the views write to their controls: the notifications those writes
// raise are echoes of the model, not the user's doing, and must not go back to it.
class EchoGuard {
  public:
    explicit EchoGuard(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~EchoGuard() { flag_ = previous_; }
    EchoGuard(const EchoGuard&) = delete;
    EchoGuard& operator=(const EchoGuard&) = delete;

  private:
    bool& flag_;
    bool previous_;
};

}  // namespace quorvel
