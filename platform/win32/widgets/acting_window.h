#pragma once
// The program's top-level window whose message is being handled. A message box
// belongs to it, so that the box blocks only the window the user acted in and
// stays in front of it.

#include <windows.h>

namespace quorvel {

// Marks the top-level window of `window` as acting while it lives; scopes nest
// as the messages of one window's modal loop reach another.
class ActingWindowScope {
  public:
    explicit ActingWindowScope(HWND window);
    ~ActingWindowScope();
    ActingWindowScope(const ActingWindowScope&) = delete;
    ActingWindowScope& operator=(const ActingWindowScope&) = delete;

  private:
    HWND previous_;
};

// Null outside any window's message (start-up, the keyboard hook).
HWND actingWindow();

}  // namespace quorvel
