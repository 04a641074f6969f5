#pragma once
// Notices that the system has dropped the keyboard hook (it does so silently
// after the hook has timed out, in a hung moment or around sleep) so that it can
// be installed again.
//
// When the system has seen input that the hook has not, the program injects one
// key of its own that its hook swallows; if the hook has not seen that key by the
// next check, the hook is gone.

#include <cstdint>

namespace quorvel {

class HookWatchdog {
  public:
    enum class Action { None, SendHeartbeat, Reinstall };

    // Input the hook has missed by more than this many milliseconds counts as missed.
    static constexpr std::uint32_t Slack = 500;

    // Called at a steady interval. Ticks are milliseconds of a wrapping 32-bit clock.
    Action check(std::uint32_t lastInputTick, std::uint32_t hookLastEventTick,
                 std::uint64_t heartbeatsSeen);

  private:
    bool heartbeatPending_ = false;
    std::uint64_t heartbeatsBefore_ = 0;
};

}  // namespace quorvel
