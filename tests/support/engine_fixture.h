#pragma once
// The shortcut engine wired to the fake desktop, as the main window wires it, for
// behaviour tests that type on the simulated keyboard and read the simulated edit box.

#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "editor/samples.h"
#include "engine/calibration.h"
#include "engine/shortcut_engine.h"
#include "engine/shortcut_entry.h"
#include "platform/clock.h"
#include "platform/virtual_keys.h"
#include "tests/doubles/fake_desktop.h"

namespace quorvel::testing {

struct EngineFixture : FakeDesktop {
    ShortcutList shortcuts;
    ShortcutEngine engine{shortcuts, engineSide};

    // Sends start at once instead of after the calibration pause, unless a test
    // sets its own calibration number.
    EngineFixture() {
        option(&EngineOptions::calibrationPasses, 0);
        engine.keyboard().installHook();
    }

    template <typename Value>
    void option(Value EngineOptions::*field, Value value) {
        EngineOptions options = engine.options();
        options.*field = std::move(value);
        engine.setOptions(std::move(options));
    }
    // The number as the user types it in the calibration box.
    void calibration(std::string_view box) {
        option(&EngineOptions::calibrationPasses, pausePassesFor(box));
    }

    ~EngineFixture() { EXPECT_EQ(keyboard.injectionsInsideHook, 0) << "the hook injected keys"; }

    KeyboardEngine& keyboardEngine() { return engine.keyboard(); }

    std::optional<std::size_t> addEntry(LaunchMode mode, bool enter, std::string trigger,
                                        std::string text) {
        const ShortcutEntry entry{mode, enter, std::move(trigger), std::move(text)};
        return shortcuts.add(formatEntryLine(entry), formatDisplayLine(entry));
    }

    void addSamples() {
        for (const ShortcutEntry& sample : sampleEntries()) {
            addEntry(sample.launchMode, sample.enterAfter, sample.trigger, sample.text);
        }
    }

    const std::string& buffer() { return engine.keyboard().matcherState().typed; }
    std::string_view modifierState() { return nameOf(engine.keyboard().matcherState().recorded); }

    // Every send's keys as the keyboard recorded them, separated by " | ".
    std::string sentKeys() const {
        std::string all;
        for (const std::string& keys : keyboard.sent) {
            all += " | " + keys;
        }
        return all.empty() ? all : all.substr(3);
    }

    // Types a script: characters as typeText types them; {F9} taps a key, {+LCtrl}
    // presses it and {-LCtrl} lets it go; {ours F} and {theirs +K} inject the key as
    // this program or another one would, {unseen -LWin} lets it go where the hook
    // is not called. {unlock} is the session's unlock. {clock 10} moves the clock ten seconds,
    // {tick} runs the modifier timer's tick, {shown} notes what the target shows
    // and {state} the recorded modifier; {click} presses a mouse button and {focus}
    // moves the keyboard focus.
    void keys(std::string_view script) {
        for (std::size_t open; (open = script.find('{')) != std::string_view::npos;) {
            keyboard.typeText(script.substr(0, open));
            const std::size_t close = script.find('}', open);
            const std::string_view key = script.substr(open + 1, close - open - 1);
            script.remove_prefix(close + 1);
            if (key.starts_with("clock ")) {
                clock.advanceSeconds(std::stoi(std::string(key.substr(6))));
            } else if (key == "tick") {
                engine.modifierTimerTick();
            } else if (key == "unlock") {
                engine.keyboard().keysMayHaveBeenMissed();
            } else if (key == "click") {
                keyboard.click();
            } else if (key == "focus") {
                ++focus.facts.focusChanges;
            } else if (key == "shown" || key == "state") {
                shown.push_back(key == "shown" ? keyboard.targetText
                                               : "state " + std::string(modifierState()));
            } else {
                scriptedKey(key);
            }
        }
        keyboard.typeText(script);
    }

    std::vector<std::string> shown;  // noted by {shown} and {state}

    // An event handed to the hook directly, bypassing the keyboard.
    KeyDecision hookEvent(std::uint32_t virtualKey, std::uint32_t flags) {
        return engine.keyboard().onKeyEvent({.vkCode = virtualKey, .flags = flags});
    }

  private:
    // "F9" taps the key, "+LCtrl" presses it and "-LCtrl" lets it go; "ours " or
    // "theirs " before it injects it as this program or another one would.
    void scriptedKey(std::string_view key) {
        const std::string_view source = key.substr(0, key.find(' ') + 1);  // "" for the user
        key.remove_prefix(source.size());
        const char change = key[0] == '+' || key[0] == '-' ? key[0] : ' ';
        const int code = keyCode(key.substr(change == ' ' ? 0 : 1));
        for (const bool released : {false, true}) {
            if (change == ' ' || change == (released ? '-' : '+')) {
                if (source == "unseen ") {
                    keyboard.unseen(code, released);
                } else {
                    source.empty() ? (released ? keyboard.release(code) : keyboard.press(code))
                                   : keyboard.inject(code, released, source == "ours ");
                }
            }
        }
    }

    static int keyCode(std::string_view name) {
        constexpr std::pair<std::string_view, int> Named[] = {
            {"Space", vk::Space}, {"Bksp", vk::Backspace}, {"LCtrl", vk::LCtrl},
            {"RCtrl", vk::RCtrl}, {"LShift", vk::LShift},  {"RShift", vk::RShift},
            {"LAlt", vk::LAlt},   {"LWin", vk::LWin},      {"Caps", vk::CapsLock}};
        for (const auto& [text, code] : Named) {
            if (name == text) {
                return code;
            }
        }
        // Else a function key or a letter.
        return name.size() > 1 ? vk::F1 - 1 + std::stoi(std::string(name.substr(1)))
                               : std::toupper(static_cast<unsigned char>(name[0]));
    }
};

}  // namespace quorvel::testing
