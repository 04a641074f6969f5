#pragma once
// Notices that the system has dropped the keyboard hook (it does so silently
// after the hook has timed out, in a hung moment or around sleep) so that it can
// be installed again.
//
// When the system has seen input that the hook has not, the program injects one
// key of its own that its hook swallows; if the hook has not seen that key by the
// next check, the hook is gone. Raw keyboard input, which the system delivers
// only for keys the hooks have passed on, tells sooner: a key there that the hook
// has not seen starts the same proof, and the proof key there, uncounted by the
// hook, means the hook is gone without waiting for the next check.

#include <cstdint>

namespace quorvel {

class HookWatchdog {
  public:
    enum class Action { None, SendHeartbeat, Reinstall };
    enum class RawKey { Typed, Heartbeat };

    // Input the hook has missed by more than this many milliseconds counts as missed.
    static constexpr std::uint32_t Slack = 500;

    // Called at a steady interval. Ticks are milliseconds of a wrapping 32-bit clock.
    Action check(std::uint32_t lastInputTick, std::uint32_t hookLastEventTick,
                 std::uint64_t heartbeatsSeen);
    // A key pressed, as raw input reports it at rawTick.
    Action rawKeySeen(RawKey key, std::uint32_t rawTick, std::uint32_t hookLastEventTick,
                      std::uint64_t heartbeatsSeen);
    // After the session was locked or the machine slept: proves the hook now
    // rather than waiting for input it misses.
    Action proveNow(std::uint64_t heartbeatsSeen);

  private:
    Action sendHeartbeat(std::uint64_t heartbeatsSeen);

    bool heartbeatPending_ = false;
    std::uint64_t heartbeatsBefore_ = 0;
};

}  // namespace quorvel
