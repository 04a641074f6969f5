#include "engine/hook_watchdog.h"

namespace quorvel {

HookWatchdog::Action HookWatchdog::check(std::uint32_t lastInputTick,
                                         std::uint32_t hookLastEventTick,
                                         std::uint64_t heartbeatsSeen) {
    if (heartbeatPending_) {
        heartbeatPending_ = false;
        if (heartbeatsSeen == heartbeatsBefore_) {
            return Action::Reinstall;
        }
    }
    // Differences of a wrapping clock: a later tick is ahead by less than half the range.
    const auto missedBy = static_cast<std::int32_t>(lastInputTick - hookLastEventTick);
    if (missedBy > static_cast<std::int32_t>(Slack)) {
        heartbeatPending_ = true;
        heartbeatsBefore_ = heartbeatsSeen;
        return Action::SendHeartbeat;
    }
    return Action::None;
}

}  // namespace quorvel
