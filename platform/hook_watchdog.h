#pragma once
// Notices that the system has dropped the keyboard hook (it does so silently
// after the hook has timed out, in a hung moment or around sleep) so that it can
// be installed again.
//
// Raw keyboard input, which the system delivers only for keys the hooks have
// passed on, is the witness: a key there that the hook has not seen starts a
// proof. The program injects one key of its own that its hook swallows; if the
// hook has not seen that key by the next check, or the key shows in raw input
// uncounted by the hook, the hook is gone. The mouse proves nothing, and
// neither do keys typed into a window whose keys the hook is not called for (a
// program running with higher rights): there the proof key would be refused as
// well. Each reinstall that brings no sign of life waits longer before the next.

#include <cstdint>
#include <functional>

namespace quorvel {

class HookWatchdog {
  public:
    enum class Action { None, SendHeartbeat, Reinstall };
    enum class RawKey { Typed, Heartbeat };

    // Input the hook has missed by more than this many milliseconds counts as missed.
    static constexpr std::uint32_t Slack = 500;
    // The wait after a reinstall before the next proof, doubled after each one
    // the hook shows no life after, up to the longest.
    static constexpr std::uint32_t FirstBackOff = 5000;
    static constexpr std::uint32_t LongestBackOff = 300000;

    // `hookSeesForeground`: whether the hook is called for the keys of the window
    // in front, asked only when a key or a proof says the hook may be gone.
    explicit HookWatchdog(std::function<bool()> hookSeesForeground);

    // Called at a steady interval. Ticks are milliseconds of a wrapping 32-bit
    // clock, the one the hook stamps its events with.
    Action check(std::uint32_t now, std::uint32_t hookLastEventTick, std::uint64_t heartbeatsSeen);
    // A key pressed, as raw input reports it at rawTick.
    Action rawKeySeen(RawKey key, std::uint32_t rawTick, std::uint32_t hookLastEventTick,
                      std::uint64_t heartbeatsSeen);
    // After the session was locked or the machine slept: proves the hook now
    // rather than waiting for input it misses.
    Action proveNow(std::uint64_t heartbeatsSeen);

  private:
    Action prove(std::uint32_t now, std::uint64_t heartbeatsSeen);
    Action verdict(std::uint32_t now);
    void provedAlive();
    void noteLife(std::uint32_t hookLastEventTick);
    bool backingOff(std::uint32_t now) const;

    std::function<bool()> hookSeesForeground_;
    bool heartbeatPending_ = false;
    std::uint64_t heartbeatsBefore_ = 0;
    // A counted key the hook missed, not yet proved.
    bool keyMissed_ = false;
    // Reinstalls since the hook last showed life, the latest at lastReinstall_.
    std::uint32_t reinstalls_ = 0;
    std::uint32_t lastReinstall_ = 0;
};

}  // namespace quorvel
