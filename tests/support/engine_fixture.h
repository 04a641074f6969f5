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
#include "platform/virtual_keys.h"
#include "support/key_strokes.h"
#include "tests/doubles/fake_desktop.h"

namespace quorvel::testing {

struct EngineFixture : FakeDesktop {
    EngineForm form;
    ShortcutEngine engine{form, engineSide};

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

    // Every send's keys as keysText writes them.
    std::vector<std::string> sentKeys() const {
        std::vector<std::string> all;
        for (const auto& call : keyboard.sent) {
            all.push_back(keysText(call.strokes));
        }
        return all;
    }

    // Runs the action once, after the first send whose keys are these.
    void afterSendOf(std::string keys, std::function<void()> action) {
        keyboard.afterSend = [this, keys, action](std::string_view sent) {
            if (sent == keys) {
                const auto run = action;  // outlives this lambda, cleared next
                keyboard.afterSend = nullptr;
                run();
            }
        };
    }

    // An event handed to the hook directly, bypassing the keyboard.
    int hookEvent(std::uint32_t virtualKey, std::uint32_t flags, int hookCode = 0) {
        return engine.mainData().KeyHook(hookCode, {.vkCode = virtualKey, .flags = flags});
    }
};

}  // namespace quorvel::testing
