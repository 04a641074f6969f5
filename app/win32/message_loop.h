#pragma once
// The program's one message loop: window events, timer ticks, keyboard-hook
// calls and posted work are delivered from here one at a time.

#include <windows.h>

#include <functional>

namespace quorvel {

class MessageLoop {
  public:
    // `takesMessage` sees each message first; one it takes (a dialog key) is
    // not dispatched.
    explicit MessageLoop(std::function<bool(MSG&)> takesMessage);

    // Runs until the quit message; returns its exit code.
    int run();

  private:
    std::function<bool(MSG&)> takesMessage_;
};

}  // namespace quorvel
