#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "engine/date_stamp.h"
#include "platform/hook_watchdog.h"
#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;
using Action = HookWatchdog::Action;

// Keys flagged extended, as the hook sees them and as they must be injected
// (Print Screen among them), beside neighbours that are not.
TEST(KeyboardHook, ExtendedKeys) {
    const std::pair<std::uint8_t, bool> cases[] = {
        {vk::PrintScreen, true}, {vk::Delete, true},    {vk::Left, true},
        {vk::Divide, true},      {vk::NumLock, true},   {vk::RCtrl, true},
        {vk::RAlt, true},        {vk::Apps, true},      {vk::LCtrl, false},
        {vk::RShift, false},     {vk::Multiply, false}, {vk::ScrollLock, false},
        {vk::Enter, false},      {vk::Break, false}};
    for (const auto& [key, extended] : cases) {
        EXPECT_EQ(isExtendedKey(key), extended) << int{key};
    }
}

// While the hook is away (a lock, a sleep, a hook the system dropped) it misses
// keys: a release of ours hides nothing for good, and a press of the user's counts
// from the key state. After a lock or sleep the typed keys are forgotten, and the
// recorded modifier follows the keys held now, whatever the hook saw. The hook is
// installed and removed once, however often asked.
// Each row: keys typed before, keys typed while the hook is removed, whether the
// typed keys are then reset (as after a lock or sleep), keys typed after, and the
// letters and the modifier recorded at the end.
TEST(KeyboardHook, KeysMissedWhileTheHookIsAway) {
    using Case = std::tuple<const char*, const char*, bool, const char*, const char*, const char*>;
    const Case cases[] = {
        {"z{+LCtrl}", "{-LCtrl}", true, "", "", "None"},
        {"z{+LCtrl}", "", true, "", "", "Ctrl"},
        {"z", "{+RShift}", true, "", "", "Shift"},
        {"z{+LAlt}", "{-LAlt}{+LShift}", true, "", "", "Shift"},
        {"z", "", true, "", "", "None"},
        {"{ours +LCtrl}", "{ours -LCtrl}b", false, "a", "a", "None"},
        {"", "{+LCtrl}", false, "{+F9}", "{ctrl}{f9}", "Ctrl"},
    };
    for (const auto& [before, away, reset, after, buffer, state] : cases) {
        SCOPED_TRACE(std::string(before) + " / " + away + " / " + after);
        EngineFixture f;  // installed once already: installing again changes nothing
        f.addEntry(LaunchMode::Space, false, "zq", "expanded");
        f.keys(before);
        EXPECT_TRUE(f.keyboardEngine().installHook());
        EXPECT_EQ(f.keyboard.installs, 1);
        f.keyboardEngine().removeHook();
        f.keyboardEngine().removeHook();
        EXPECT_FALSE(f.keyboardEngine().hookInstalled());
        f.keys(away);
        f.keyboardEngine().installHook();
        if (reset) {
            f.keyboardEngine().keysMayHaveBeenMissed();
        }
        f.keys(after);
        EXPECT_EQ(f.buffer(), buffer);
        EXPECT_EQ(f.modifierState(), state);
    }
}

TEST(DateStamp, SecondsBetween) {
    const DateTime a{2026, 12, 31, 23, 59, 59};
    const DateTime b{2027, 1, 1, 0, 0, 4};
    EXPECT_EQ(secondsBetween(a, b), 5);
    EXPECT_EQ(secondsBetween(b, a), -5);
    EXPECT_EQ(secondsBetween(a, a), 0);
    EXPECT_EQ(secondsBetween({2028, 2, 28, 0, 0, 0}, {2028, 3, 1, 0, 0, 0}), 2 * 86400);
}

// Each step: what happens ("raw" a key raw input reports, "beat" our proof key
// there, "tick" the steady check, "break" an unlock or resume, "hidden" and
// "shown" a window in front whose keys the hook is not called for, and back),
// the clock then, the tick of the hook's last event, the proof keys the hook has
// counted, and the action wanted.
struct Step {
    const char* what;
    std::uint32_t now = 0, hookTick = 0;
    std::uint64_t beats = 0;
    Action wanted = Action::None;
};

void play(const char* name, std::initializer_list<Step> steps) {
    bool foregroundSeen = true;
    HookWatchdog watchdog([&foregroundSeen] { return foregroundSeen; });
    int index = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(name) + ", step " + std::to_string(index++));
        const std::string what = step.what;
        Action action = Action::None;
        if (what == "hidden" || what == "shown") {
            foregroundSeen = what == "shown";
        } else if (what == "tick") {
            action = watchdog.check(step.now, step.hookTick, step.beats);
        } else if (what == "break") {
            action = watchdog.proveNow(step.beats);
        } else {
            action = watchdog.rawKeySeen(
                what == "raw" ? HookWatchdog::RawKey::Typed : HookWatchdog::RawKey::Heartbeat,
                step.now, step.hookTick, step.beats);
        }
        EXPECT_EQ(action, step.wanted);
    }
}

constexpr Action Beat = Action::SendHeartbeat, Again = Action::Reinstall;

TEST(HookWatchdog, ProvesTheHookOnlyOnKeysItMissed) {
    // The mouse moving, or time passing, with no key the hook missed.
    play("no keys", {{"tick", 9000, 1000, 3}, {"tick", 11000, 1000, 3}});
    // Raw input reports a key after the hook has passed it; within the slack, and
    // across the tick count's wrap, it was seen.
    play("a live hook", {{"raw", 5000, 4990},
                         {"raw", 5400, 5000},
                         {"tick", 7000, 5000},
                         {"raw", 0xFFFFFFF0u, 0x10},
                         {"raw", 0x10, 0xFFFFFF00u},
                         {"raw", 0x1000, 0xFFFFFF00u, 0, Beat}});
    // One proof at a time; the hook counting it ends it.
    play("a proof heard", {{"raw", 5000, 1000, 0, Beat},
                           {"raw", 5100, 1000},
                           {"beat", 5200, 5200, 1},
                           {"tick", 7000, 5200, 1}});
    // Its key in raw input, or the next check, with the hook not counting it: gone.
    play("a proof unheard", {{"raw", 5000, 1000, 7, Beat}, {"beat", 5050, 1000, 7, Again}});
    play("a proof unheard at the check",
         {{"raw", 5000, 1000, 7, Beat}, {"tick", 7000, 1000, 7, Again}});
    // After a break the hook is proved without waiting for a key it misses.
    play("a break, heard", {{"break", 0, 0, 3, Beat}, {"break", 0, 0, 3}, {"tick", 1000, 1000, 4}});
    play("a break, unheard", {{"break", 0, 0, 3, Beat}, {"tick", 1000, 1000, 3, Again}});
    // In front of a window of higher rights the hook is not called for the user's
    // keys, and our proof key is refused: neither says the hook is gone.
    play("typing there", {{"hidden"},
                          {"raw", 5000, 1000},
                          {"tick", 7000, 1000},
                          {"break", 7500, 1000, 0},
                          {"shown"},
                          {"tick", 9000, 1000},
                          {"raw", 9500, 1000, 2, Beat}});
    play("in front during a proof", {{"raw", 5000, 1000, 2, Beat},
                                     {"hidden"},
                                     {"tick", 7000, 1000, 2},
                                     {"shown"},
                                     {"tick", 9000, 1000, 2}});
}

// A hook that shows no life after a reinstall is proved and installed again
// after 5 s, then 10, 20... up to 5 minutes; any event of the hook starts over.
TEST(HookWatchdog, ReinstallsBackOff) {
    HookWatchdog watchdog([] { return true; });
    std::uint32_t now = 1000;
    EXPECT_EQ(watchdog.rawKeySeen(HookWatchdog::RawKey::Typed, now, 0, 0), Beat);
    for (const std::uint32_t wait :
         {5000u, 10000u, 20000u, 40000u, 80000u, 160000u, 300000u, 300000u}) {
        SCOPED_TRACE(wait);
        EXPECT_EQ(watchdog.check(++now, 0, 0), Again) << "the proof went unheard";
        const std::uint32_t reinstalled = now;
        EXPECT_EQ(watchdog.rawKeySeen(HookWatchdog::RawKey::Typed, ++now, 0, 0), Action::None);
        EXPECT_EQ(watchdog.check(reinstalled + wait - 1, 0, 0), Action::None) << "waiting";
        now = reinstalled + wait;
        EXPECT_EQ(watchdog.check(now, 0, 0), Beat);
    }
    play("alive again", {{"raw", 5000, 1000, 0, Beat},
                         {"tick", 6000, 1000, 0, Again},
                         {"raw", 6500, 6500},
                         {"raw", 8000, 6500, 0, Beat}});
}

}  // namespace
}  // namespace quorvel
