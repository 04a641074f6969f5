#pragma once
// The shortcut engine wired to the fake desktop, as the main window wires it, for
// behaviour tests that type on the simulated keyboard and read the simulated edit box.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "editor/samples.h"
#include "engine/shortcut_engine.h"
#include "engine/shortcut_entry.h"
#include "platform/clock.h"
#include "tests/doubles/fake_desktop.h"

namespace quorvel::testing {

// Virtual-key codes the tests type.
namespace vk {
inline constexpr int Backspace = 8, Tab = 9, Enter = 13, Esc = 27, Space = 32;
inline constexpr int F9 = 120;
inline constexpr int LShift = 0xA0, RShift = 0xA1, LCtrl = 0xA2, RCtrl = 0xA3, LAlt = 0xA4;
inline constexpr int LWin = 0x5B;
}  // namespace vk

// Passes every SendKeys call on to the keyboard and notes how many event-loop
// passes had run by then, so that tests can measure the pauses between sends.
class PassCountingInjector final : public KeyInjector {
  public:
    PassCountingInjector(FakeKeyboard& keyboard, FakeEventPump& pump)
        : keyboard_(keyboard), pump_(pump) {}

    SendOutcome SendKeys(std::string_view notation, Wait wait) override {
        passesAtSend.push_back(pump_.doEventsCalls());
        const SendOutcome outcome = keyboard_.SendKeys(notation, wait);
        if (afterSend) {
            afterSend(notation);
        }
        return outcome;
    }
    bool focusedWindowAcceptsInput() override { return keyboard_.focusedWindowAcceptsInput(); }
    std::size_t replayKeys(std::span<const HeldKey> keys) override {
        return keyboard_.replayKeys(keys);
    }

    std::vector<int> passesAtSend;
    // Runs after each call, so that a test can act at a given point of a send.
    std::function<void(std::string_view notation)> afterSend;

  private:
    FakeKeyboard& keyboard_;
    FakeEventPump& pump_;
};

struct EngineFixture : FakeDesktop {
    PassCountingInjector injector{keyboard, pump};
    EngineServices services = engineServices(injector);
    EngineForm form;
    ShortcutEngine engine{form, services};

    // Sends start at once instead of after the calibration pause, unless a test
    // sets its own calibration number in calibrationBox.
    EngineFixture() {
        form.calibrationBox.setText("0");
        engine.mainData().InstallKeyHook();
    }

    ~EngineFixture() { EXPECT_EQ(keyboard.injectionsInsideHook, 0) << "the hook injected keys"; }

    MainData& mainData() { return engine.mainData(); }

    std::optional<std::size_t> addEntry(LaunchMode mode, bool enter, std::string trigger,
                                        std::string text) {
        const ShortcutEntry entry{mode, enter, std::move(trigger), std::move(text)};
        return form.shortcuts.add(formatEntryLine(entry), formatDisplayLine(entry));
    }

    void addSamples() {
        for (const ShortcutEntry& sample : sampleEntries()) {
            addEntry(sample.launchMode, sample.enterAfter, sample.trigger, sample.text);
        }
    }

    const std::string& buffer() const { return form.typedKeys; }
    std::int16_t modifierState() { return engine.mainData().ModifierState; }

    std::vector<std::string> notations() const {
        std::vector<std::string> all;
        for (const auto& call : keyboard.sent) {
            all.push_back(call.notation);
        }
        return all;
    }

    // An event handed to the hook directly, bypassing the keyboard.
    int hookEvent(std::uint32_t virtualKey, std::uint32_t flags, int hookCode = 0) {
        return engine.mainData().KeyHook(hookCode, {.vkCode = virtualKey, .flags = flags});
    }
};

}  // namespace quorvel::testing
