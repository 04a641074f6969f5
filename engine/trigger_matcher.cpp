#include "engine/trigger_matcher.h"

#include <cstdlib>

#include "engine/date_stamp.h"
#include "engine/key_filter.h"
#include "engine/key_names.h"
#include "platform/keyboard_hook.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

constexpr ModifierSet recordedBy(std::uint8_t virtualKey) {
    switch (virtualKey) {
        case vk::LShift:
        case vk::RShift:
            return modifiers::Shift;
        case vk::LCtrl:
        case vk::RCtrl:
            return modifiers::Ctrl;
        default:
            return modifiers::Alt;
    }
}

// Ctrl+Shift and Ctrl+Alt are recorded on the event of the Shift or Alt key itself.
struct Combination {
    std::uint8_t ctrlKey;
    std::uint32_t eventKey;
    std::uint32_t eventFlags;
    ModifierSet recorded;
};
constexpr Combination Combinations[] = {{vk::LCtrl, vk::LShift, 0x00, modifiers::CtrlShift},
                                        {vk::LCtrl, vk::LAlt, 0x00, modifiers::CtrlAlt},
                                        {vk::RCtrl, vk::RShift, 0x81, modifiers::CtrlShift}};

ModifierSet lastHeld(const HeldModifierKeys& held, ModifierSet recorded) {
    for (const std::uint8_t key : RecordedModifierKeys) {
        if (held.has(key)) {
            recorded = recordedBy(key);
        }
    }
    return recorded;
}

void recordModifiers(MatcherState& state, const MatcherEvent& event) {
    // Ctrl+Shift, once recorded, can only be changed by the combination tests.
    if (state.recorded != modifiers::CtrlShift) {
        state.recorded = lastHeld(event.held, state.recorded);
    }
    for (const Combination& combination : Combinations) {
        if (event.virtualKey == combination.eventKey && event.flags == combination.eventFlags &&
            event.held.has(combination.ctrlKey)) {
            state.recorded = combination.recorded;
        }
    }
}

bool isWordEnd(int keyCode) {
    return keyCode == vk::Space || keyCode == vk::Tab || keyCode == vk::Enter;
}

HotKey hotKeyOf(const MatcherState& state, int keyCode, const MatcherSettings& settings) {
    if (state.recorded != modifiers::CtrlShift) {
        return HotKey::None;
    }
    if (settings.showWindowHotKey && keyCode == 'S') {
        return HotKey::ShowMainWindow;
    }
    if (settings.commonTextHotKey && keyCode == 'C') {
        return HotKey::ShowCommonText;
    }
    return HotKey::None;
}

// A letter key types a capital with Shift or with Caps Lock, not with both.
char caseOfKey(const MatcherEvent& event, int keyCode) {
    if (keyCode < 'A' || keyCode > 'Z') {
        return '-';
    }
    const bool shift = event.held.has(vk::LShift) || event.held.has(vk::RShift);
    return shift != event.capsLock ? 'A' : 'a';
}

TextCase caseOfTrigger(std::string_view typedCase) {
    const std::size_t first = typedCase.find_first_of("Aa");
    if (first == std::string_view::npos || typedCase[first] != 'A') {
        return TextCase::AsStored;
    }
    const std::string_view after = typedCase.substr(first + 1);
    if (after.find('a') != std::string_view::npos) {
        return TextCase::FirstCapital;
    }
    return after.find('A') != std::string_view::npos ? TextCase::AllCapitals
                                                     : TextCase::FirstCapital;
}

}  // namespace

MatcherStep matchKey(const MatcherState& before, const MatcherEvent& event,
                     const ShortcutList& shortcuts, const MatcherSettings& settings) {
    MatcherStep step;
    step.state = before;
    MatcherState& state = step.state;
    // The program's own keys are not the user's: the Shift of a capital in a
    // sent text would otherwise turn the user's next F9 into Shift+F9.
    if (!event.ours) {
        recordModifiers(state, event);
    }
    state.lastKeyTime = event.time;

    const auto keyCode = static_cast<std::int16_t>(event.virtualKey);
    if (!reachesMatcher(event.flags, keyCode)) {
        return step;
    }
    // Letters typed in another window or control would make a trigger here, and
    // the send would erase what the user typed in this one; nothing typed where
    // Quorvel stays out may complete a trigger after the user leaves.
    if (event.focusMoved || event.stayOut) {
        state.typed.clear();
        state.typedCase.clear();
    }
    if (event.stayOut) {
        return step;
    }

    step.hotKey = hotKeyOf(state, keyCode, settings);
    const std::string name = keyNameOf(keyCode);
    const bool functionKey = isFunctionKey(keyCode);
    if (state.typedCase.size() != state.typed.size()) {
        state.typedCase.assign(state.typed.size(), '-');
    }
    if (functionKey) {
        state.typed = lowerCase(fullFunctionKeyName(name, state.recorded));
        state.typedCase.assign(state.typed.size(), '-');
    } else if (!name.empty()) {
        state.typed.push_back(lowerCase(name).back());
        state.typedCase.push_back(caseOfKey(event, keyCode));
    }

    const bool launching = functionKey || keyCode == vk::Space || keyCode == vk::Tab ||
                           keyCode == vk::Esc || !state.recorded.empty();
    if (launching && event.deliverable) {
        step.match =
            shortcuts.findLaunch(trimBlanks(state.typed), keyCode, !state.recorded.empty());
        if (step.match) {
            // Space, Tab, Esc and Ctrl add nothing; a key with a character does.
            step.launchKeyEndsTrigger = !functionKey && !name.empty() && name != " ";
            step.textCase = caseOfTrigger(state.typedCase);
            state.typed.clear();
            state.typedCase.clear();
            return step;
        }
    }
    if (isWordEnd(keyCode)) {
        state.typed.clear();
        state.typedCase.clear();
        state.recorded = modifiers::None;
    }
    state.lastUnmatchedKeyTime = event.time;
    return step;
}

MatcherState afterModifierTick(MatcherState state, const DateTime& now) {
    if (state.lastUnmatchedKeyTime && secondsBetween(*state.lastUnmatchedKeyTime, now) >= 1) {
        state.recorded = modifiers::None;
        state.lastUnmatchedKeyTime.reset();
    }
    return state;
}

MatcherState afterPauseTick(MatcherState state, const DateTime& now) {
    if (!state.lastKeyTime || std::llabs(secondsBetween(*state.lastKeyTime, now)) > 5) {
        state.typed.clear();
        state.typedCase.clear();
        state.recorded = modifiers::None;
    }
    return state;
}

MatcherState afterKeysMissed(MatcherState state, const HeldModifierKeys& held) {
    state.typed.clear();
    state.typedCase.clear();
    state.recorded = lastHeld(held, modifiers::None);
    return state;
}

}  // namespace quorvel
