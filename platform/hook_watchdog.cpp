#include "platform/hook_watchdog.h"

#include <algorithm>
#include <utility>

namespace quorvel {

namespace {

// Differences of a wrapping clock: a later tick is ahead by less than half the range.
std::int32_t ahead(std::uint32_t later, std::uint32_t earlier) {
    return static_cast<std::int32_t>(later - earlier);
}

bool missedBySlack(std::uint32_t inputTick, std::uint32_t hookLastEventTick) {
    return ahead(inputTick, hookLastEventTick) > static_cast<std::int32_t>(HookWatchdog::Slack);
}

}  // namespace

HookWatchdog::HookWatchdog(std::function<bool()> hookSeesForeground)
    : hookSeesForeground_(std::move(hookSeesForeground)) {}

void HookWatchdog::noteLife(std::uint32_t hookLastEventTick) {
    if (reinstalls_ > 0 && ahead(hookLastEventTick, lastReinstall_) > 0) {
        reinstalls_ = 0;
    }
}

bool HookWatchdog::backingOff(std::uint32_t now) const {
    if (reinstalls_ == 0) {
        return false;
    }
    const std::uint64_t wait = std::min<std::uint64_t>(
        std::uint64_t{FirstBackOff} << std::min<std::uint32_t>(reinstalls_ - 1, 16),
        LongestBackOff);
    return static_cast<std::uint32_t>(now - lastReinstall_) < wait;
}

HookWatchdog::Action HookWatchdog::prove(std::uint32_t now, std::uint64_t heartbeatsSeen) {
    // Each reinstall leaves a moment without the hook: not again and again.
    if (heartbeatPending_ || backingOff(now)) {
        return Action::None;
    }
    keyMissed_ = false;
    heartbeatPending_ = true;
    heartbeatsBefore_ = heartbeatsSeen;
    return Action::SendHeartbeat;
}

void HookWatchdog::provedAlive() {
    heartbeatPending_ = false;
    // Keys missed before the proof came late to a live hook.
    keyMissed_ = false;
}

HookWatchdog::Action HookWatchdog::verdict(std::uint32_t now) {
    heartbeatPending_ = false;
    // With a window of higher rights in front, the system refuses our proof key
    // before any hook sees it: no verdict.
    if (!hookSeesForeground_()) {
        return Action::None;
    }
    ++reinstalls_;
    lastReinstall_ = now;
    return Action::Reinstall;
}

HookWatchdog::Action HookWatchdog::check(std::uint32_t now, std::uint32_t hookLastEventTick,
                                         std::uint64_t heartbeatsSeen) {
    noteLife(hookLastEventTick);
    if (heartbeatPending_) {
        if (heartbeatsSeen == heartbeatsBefore_) {
            return verdict(now);
        }
        provedAlive();
    }
    return keyMissed_ ? prove(now, heartbeatsSeen) : Action::None;
}

HookWatchdog::Action HookWatchdog::rawKeySeen(RawKey key, std::uint32_t rawTick,
                                              std::uint32_t hookLastEventTick,
                                              std::uint64_t heartbeatsSeen) {
    noteLife(hookLastEventTick);
    // The hook is called for a key before the program reads its raw input, so a
    // live hook has counted the proof key by now.
    if (key == RawKey::Heartbeat) {
        if (heartbeatPending_ && heartbeatsSeen == heartbeatsBefore_) {
            return verdict(rawTick);
        }
        if (heartbeatPending_) {
            provedAlive();
        }
        return Action::None;
    }
    if (!missedBySlack(rawTick, hookLastEventTick) || !hookSeesForeground_()) {
        return Action::None;
    }
    keyMissed_ = true;
    return prove(rawTick, heartbeatsSeen);
}

HookWatchdog::Action HookWatchdog::proveNow(std::uint64_t heartbeatsSeen) {
    // A break is a new start: the hook may have been dropped around it.
    reinstalls_ = 0;
    if (!hookSeesForeground_()) {
        return Action::None;
    }
    return prove(0, heartbeatsSeen);
}

}  // namespace quorvel
