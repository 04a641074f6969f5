#include "engine/hook_watchdog.h"

namespace quorvel {

namespace {

// Differences of a wrapping clock: a later tick is ahead by less than half the range.
bool missedBySlack(std::uint32_t inputTick, std::uint32_t hookLastEventTick) {
    const auto missedBy = static_cast<std::int32_t>(inputTick - hookLastEventTick);
    return missedBy > static_cast<std::int32_t>(HookWatchdog::Slack);
}

}  // namespace

HookWatchdog::Action HookWatchdog::sendHeartbeat(std::uint64_t heartbeatsSeen) {
    heartbeatPending_ = true;
    heartbeatsBefore_ = heartbeatsSeen;
    return Action::SendHeartbeat;
}

HookWatchdog::Action HookWatchdog::check(std::uint32_t lastInputTick,
                                         std::uint32_t hookLastEventTick,
                                         std::uint64_t heartbeatsSeen) {
    if (heartbeatPending_) {
        heartbeatPending_ = false;
        if (heartbeatsSeen == heartbeatsBefore_) {
            return Action::Reinstall;
        }
    }
    if (missedBySlack(lastInputTick, hookLastEventTick)) {
        return sendHeartbeat(heartbeatsSeen);
    }
    return Action::None;
}

HookWatchdog::Action HookWatchdog::rawKeySeen(RawKey key, std::uint32_t rawTick,
                                              std::uint32_t hookLastEventTick,
                                              std::uint64_t heartbeatsSeen) {
    // The hook is called for a key before the program reads its raw input, so a
    // live hook has counted the proof key by now.
    if (key == RawKey::Heartbeat) {
        if (heartbeatPending_ && heartbeatsSeen == heartbeatsBefore_) {
            heartbeatPending_ = false;
            return Action::Reinstall;
        }
        return Action::None;
    }
    // One proof at a time: the check that follows it decides.
    if (!heartbeatPending_ && missedBySlack(rawTick, hookLastEventTick)) {
        return sendHeartbeat(heartbeatsSeen);
    }
    return Action::None;
}

HookWatchdog::Action HookWatchdog::proveNow(std::uint64_t heartbeatsSeen) {
    if (heartbeatPending_) {
        return Action::None;
    }
    return sendHeartbeat(heartbeatsSeen);
}

}  // namespace quorvel
