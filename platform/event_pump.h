#pragma once
// The user-interface thread's event loop, seen from inside a long operation.

#include <functional>

namespace quorvel {

class EventPump {
  public:
    virtual ~EventPump() = default;
    // Processes every pending window message, timer tick and hook call, then returns.
    virtual void DoEvents() = 0;
    // Runs `work` on the user-interface thread after the current event has returned.
    virtual void post(std::function<void()> work) = 0;
};

}  // namespace quorvel
