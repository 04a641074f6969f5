#include "app/win32/hook_timing.h"

#include <cstdio>
#include <cstdlib>

namespace quorvel {

void writeHookTiming(const Win32KeyboardHook& hook, const KeyHold& held,
                     const Win32KeyInjector::ReplayFigures& replay) {
    const char* path = std::getenv("QUORVEL_HOOK_TIMING_FILE");
    if (path == nullptr || *path == '\0') {
        return;
    }
    if (FILE* file = std::fopen(path, "w")) {
        std::fprintf(file,
                     "events %zu p50_us %.1f p99_us %.1f max_us %.1f held_presses %llu "
                     "replay_calls %llu replayed_events %llu replay_ms %.1f heartbeats %llu "
                     "reinstalls %llu refused %llu\n",
                     hook.callbackSamples(), hook.callbackPercentileMicroseconds(50),
                     hook.callbackPercentileMicroseconds(99),
                     hook.callbackPercentileMicroseconds(100),
                     static_cast<unsigned long long>(held.pressesHeld()),
                     static_cast<unsigned long long>(replay.calls),
                     static_cast<unsigned long long>(replay.events), replay.microseconds / 1000,
                     static_cast<unsigned long long>(hook.heartbeatsSeen()),
                     static_cast<unsigned long long>(hook.reinstalls()),
                     static_cast<unsigned long long>(held.eventsRefused()));
        std::fclose(file);
    }
}

}  // namespace quorvel
