#pragma once
// The window thread's one message loop, as the program's work is scheduled on
// it. Nothing waits inside an event: work that must wait posts its next step.

#include <cstdint>
#include <functional>

namespace quorvel {

class EventLoop {
  public:
    virtual ~EventLoop() = default;
    // Runs `work` on the window thread once the current event has returned and
    // the messages already waiting have run (the keyboard hook's calls among
    // them), in the order posted.
    virtual void post(std::function<void()> work) = 0;
    // Runs `work` the same way once `milliseconds` have passed.
    virtual void postAfter(std::uint32_t milliseconds, std::function<void()> work) = 0;
};

}  // namespace quorvel
