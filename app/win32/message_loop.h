#pragma once
// The program's one message loop: window events, timer ticks, keyboard-hook
// calls and posted work are delivered from here one at a time.

#include <windows.h>

#include <functional>

namespace quorvel {

class MessageLoop {
  public:
    // Work done when no message waits, while `pending` says there is some.
    struct IdleWork {
        std::function<bool()> pending;
        std::function<void()> run;
    };
    // `takesMessage` sees each message first; one it takes (a dialog key) is
    // not dispatched.
    MessageLoop(std::function<bool(MSG&)> takesMessage, IdleWork idle);

    // Runs until the quit message; returns its exit code.
    int run();

  private:
    std::function<bool(MSG&)> takesMessage_;
    IdleWork idle_;
};

}  // namespace quorvel
