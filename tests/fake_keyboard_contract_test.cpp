// The keyboard double against the Win32 injector and hook, where the engine
// relies on them: the events of a send and of a replay, their marks and flags,
// and the key state the hook reads.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/key_events.h"
#include "tests/doubles/fake_clipboard.h"
#include "tests/doubles/fake_event_loop.h"
#include "tests/doubles/fake_keyboard.h"
#include "tests/doubles/fake_keyboard_layout.h"

namespace quorvel {
namespace {

// The keys the Win32 injector sends with the extended flag.
const std::set<int> ExtendedKeys = {
    vk::PageUp, vk::PageDown, vk::End,    vk::Home,   vk::Left,   vk::Up,
    vk::Right,  vk::Down,     vk::Insert, vk::Delete, vk::Divide, vk::NumLock,
    vk::RCtrl,  vk::RAlt,     vk::LWin,   vk::RWin,   vk::Apps,   vk::PrintScreen};

// The scan code only where the engine reads it: not on our own keys but a packet's.
std::string seen(const KeyEventRecord& e) {
    std::string text = std::to_string(e.vkCode);
    if (e.dwExtraInfo != OwnInjectionMarker || e.vkCode == vk::Packet) {
        text += "/" + std::to_string(e.scanCode);
    }
    text += (e.flags & key_flags::Extended) != 0 ? " extended" : "";
    text += (e.flags & key_flags::Injected) != 0 ? " injected" : "";
    text += (e.flags & key_flags::Released) != 0 ? " up" : " down";
    return text + (e.dwExtraInfo == OwnInjectionMarker    ? " own"
                   : e.dwExtraInfo == ReplayMarker        ? " replay"
                   : e.dwExtraInfo == ForeignReplayMarker ? " foreign"
                                                          : "");
}

struct Rig {
    FakeEventLoop loop;
    FakeClipboard clipboard;
    FakeKeyboard keyboard{loop, clipboard};
    std::vector<std::string> events;
    std::vector<bool> downBefore;
    std::uint32_t swallow = 0;
    Rig() {
        keyboard.install(
            [this](const KeyEventRecord& e) {
                events.push_back(seen(e));
                downBefore.push_back(keyboard.isDown(static_cast<int>(e.vkCode)));
                return e.vkCode == swallow ? KeyDecision::Swallow : KeyDecision::Pass;
            },
            nullptr);
    }
};

// What the real injector sends: keyEventsFor's events (on these characters the
// German layout agrees with the double's US one), marked as ours.
TEST(FakeKeyboardContract, ASendReachesTheHookAsOurKeysAfterTheHeldModifiersAreLetGo) {
    const KeyStroke strokes[] = {KeyStroke::typed('a'), KeyStroke::typed('B'),
                                 KeyStroke::typed(U'é'), KeyStroke::typed(U'😀'),
                                 KeyStroke::key(vk::Enter)};
    const std::uint8_t held[] = {vk::RCtrl};
    std::vector<std::string> expected;
    for (const KeyEvent& event : keyEventsFor(strokes, FakeGermanLayout(), held, false)) {
        const std::uint32_t flags = key_flags::Injected |
                                    (event.release ? key_flags::Released : 0) |
                                    (ExtendedKeys.contains(event.virtualKey) ? 1u : 0u);
        expected.push_back(seen({event.virtualKey, event.character, flags, 0, OwnInjectionMarker}));
    }
    Rig rig;
    rig.keyboard.press(vk::RCtrl);
    rig.events.clear();
    EXPECT_EQ(rig.keyboard.typeKeys({}, Wait::No), SendOutcome::AllSent);
    EXPECT_EQ(rig.events, std::vector<std::string>{}) << "an empty send injects nothing";
    EXPECT_EQ(rig.keyboard.typeKeys(strokes, Wait::No), SendOutcome::AllSent);
    EXPECT_EQ(rig.events, expected);
    for (int key = 1; key < 255; ++key) {
        rig.events.clear();
        const KeyStroke stroke = KeyStroke::key(static_cast<std::uint8_t>(key));
        rig.keyboard.typeKeys({&stroke, 1}, Wait::No);
        EXPECT_EQ(rig.events.front().find("extended") != std::string::npos,
                  ExtendedKeys.contains(key))
            << key;
    }
}

// Held keys come back as they were held, in order, marked as the user's or as
// another program's; a refused replay returns how many went in, the first ones.
TEST(FakeKeyboardContract, ReplayedKeysReachTheHookAsHeldAndARefusalCountsWhatWentIn) {
    const HeldKey held[] = {{'A', 30, false, false, false},
                            {vk::Packet, 0xE9, false, false, true},
                            {vk::RCtrl, 29, true, true, false},
                            {'A', 30, false, true, false},
                            {vk::Enter, 28, true, false, false}};  // the keypad's Enter
    const std::vector<std::string> all = {
        "65/30 injected down replay", "231/233 injected down foreign",
        "163/29 extended injected up replay", "65/30 injected up replay",
        "13/28 extended injected down replay"};
    for (const std::size_t takes : {all.size(), std::size_t{2}, std::size_t{0}}) {
        Rig rig;
        rig.keyboard.replayTakes = {takes};
        EXPECT_EQ(rig.keyboard.replayKeys(held), takes);
        EXPECT_EQ(rig.events, std::vector(all.begin(), all.begin() + int(takes)));
    }
}

// As on Windows, the hook reads the key state from before the event, and a key
// it swallows changes none.
TEST(FakeKeyboardContract, TheHookSeesTheKeyStateBeforeTheEventAndSwallowedKeysChangeNone) {
    Rig rig;
    rig.swallow = 'Q';
    rig.keyboard.press('A');
    rig.keyboard.press('Q');
    rig.keyboard.release('A');
    rig.keyboard.press('Q');
    EXPECT_EQ(rig.downBefore, (std::vector<bool>{false, false, true, false}));
    EXPECT_FALSE(rig.keyboard.isDown('Q') || rig.keyboard.isDown('A'));
}

}  // namespace
}  // namespace quorvel
