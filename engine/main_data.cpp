#include "engine/main_data.h"

#include <string_view>

#include "engine/date_stamp.h"
#include "engine/key_filter.h"
#include "engine/key_names.h"
#include "engine/shortcut_entry.h"
#include "engine/stay_out.h"
#include "platform/virtual_keys.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

// The engine's code for a modifier the user holds.
constexpr std::int16_t modifierCode(Modifier modifier) {
    switch (modifier) {
        case Modifier::Shift:
            return modifier::Shift;
        case Modifier::Ctrl:
            return modifier::Ctrl;
        case Modifier::Alt:
            return modifier::Alt;
        case Modifier::Win:
            break;
    }
    return modifier::None;
}

// Tested in this order; a later key found overwrites an earlier one.
constexpr std::uint8_t RecordedModifierKeys[] = {vk::LAlt, vk::LCtrl, vk::LShift,
                                                 vk::RAlt, vk::RCtrl, vk::RShift};

// Ctrl+Shift and Ctrl+Alt are recorded on the event of the Shift or Alt key itself.
struct Combination {
    int ctrlKey;
    std::uint32_t eventKey;
    std::uint32_t eventFlags;
    std::int16_t code;
};
constexpr Combination Combinations[] = {{vk::LCtrl, vk::LShift, 0x00, modifier::CtrlShift},
                                        {vk::LCtrl, vk::LAlt, 0x00, modifier::CtrlAlt},
                                        {vk::RCtrl, vk::RShift, 0x81, modifier::CtrlShift}};

bool isWordEnd(std::int16_t keyCode) {
    return keyCode == vk::Space || keyCode == vk::Tab || keyCode == vk::Enter;
}

// Shift, Ctrl and Alt, left or right.
bool isModifierKey(std::uint32_t virtualKey) {
    const auto key = modifierKey(virtualKey);
    return key && key->modifier != Modifier::Win;
}

}  // namespace

MainData::MainData(EngineForm& form, EngineServices& services)
    : form_(form),
      services_(services),
      keyHold_(services.injector, services.keyState, services.events, services.clock) {}

int MainData::InstallKeyHook() {
    if (hookHandle == 0) {
        hookHandle = services_.hook.install(
            [this](int hookCode, const KeyEventRecord& event) { return KeyHook(hookCode, event); },
            [this] { mouseButtonPressed(); });
    }
    return hookHandle != 0 ? 1 : 0;
}

int MainData::RemoveKeyHook() {
    if (hookHandle == 0) {
        return 0;
    }
    services_.hook.remove(hookHandle);
    hookHandle = 0;
    return 1;
}

void MainData::noteOwnModifier(const KeyEventRecord& event) {
    // Our release too: the key state may still show the key down for a few
    // events after it.
    if (isModifierKey(event.vkCode)) {
        ownModifier_[event.vkCode] = true;
    }
}

// Down now, and not just because a send of ours holds it: where the system lets
// the user's keys fall between the events of one send (Wine does), the release
// of the trigger key can arrive while we hold Shift for a capital, and the next
// trigger would be read as Shift plus that key.
bool MainData::heldByUser(int virtualKey) {
    const bool down = (services_.keyState.GetAsyncKeyState(virtualKey) & 0x8000) != 0;
    auto& own = ownModifier_[static_cast<std::size_t>(virtualKey)];
    if (!down) {
        own = false;  // up at last: whoever presses it next holds it
    }
    return down && !own;
}

void MainData::mouseButtonPressed() {
    form_.typedKeys.clear();
}

void MainData::resetFromKeyState() {
    form_.typedKeys.clear();
    ownModifier_.fill(false);
    ModifierState = modifier::None;
    recordHeldModifiers();
    keyHold_.reset();
}

// Down now: every press and release passes the hook, so a quick tap is seen on
// its own events, and a key let go long ago (or pressed by this program) does
// not come back through the "pressed since" bit.
void MainData::recordHeldModifiers() {
    for (const std::uint8_t key : RecordedModifierKeys) {
        if (heldByUser(key)) {
            ModifierState = modifierCode(modifierKey(key)->modifier);
        }
    }
}

void MainData::recordModifiers(const KeyEventRecord& event) {
    // The user's own press or release of a modifier makes it theirs again.
    if (isModifierKey(event.vkCode)) {
        ownModifier_[event.vkCode] = false;
    }
    // Ctrl+Shift, once recorded, can only be changed by the combination tests.
    if (ModifierState != modifier::CtrlShift) {
        recordHeldModifiers();
    }
    for (const Combination& combination : Combinations) {
        if (event.vkCode == combination.eventKey && event.flags == combination.eventFlags &&
            heldByUser(combination.ctrlKey)) {
            ModifierState = combination.code;
        }
    }
}

int MainData::KeyHook(int hookCode, const KeyEventRecord& received) {
    if (hookCode != 0) {
        return 0;
    }
    if (keyHold_.hold(received)) {
        return 1;
    }
    // After the hold: keys typed during a send begun before the pause still come
    // out in order.
    if (passesWhilePaused()) {
        return 0;
    }
    KeyEventRecord event = received;
    if (event.dwExtraInfo == ReplayMarker) {
        // The user's key typed during a send: injected by us, but theirs.
        event.flags &= ~(key_flags::Injected | key_flags::LowerIntegrityInjected);
    }
    lastKeyEvent = event;
    // The program's own keys are not the user's: the Shift of a capital in a sent
    // text would otherwise turn the user's next F9 into Shift+F9.
    if (event.dwExtraInfo != OwnInjectionMarker) {
        recordModifiers(event);
    } else {
        noteOwnModifier(event);
    }
    form_.lastKeyTime = services_.clock.now();

    const auto keyCode = static_cast<std::int16_t>(event.vkCode);
    bool consume = false;
    if (reachesMatcher(event.flags, keyCode) && !stayingOut()) {
        TriggerMatcher(keyCode, ModifierState);
        if (SwallowFlag == 1) {
            SwallowFlag = 0;
            consume = true;
        }
    }
    return consume ? 1 : 0;
}

// Asked before the matcher, so that nothing typed there fires, nor starts a hold.
bool MainData::stayingOut() {
    const FocusFacts& focus = services_.focus.inspect();
    forgetTypedKeysIfFocusMoved(focus);
    if (!staysOut(focus, form_.excludedPrograms, form_.fullScreenPauseItem.checked)) {
        return false;
    }
    // Nothing typed there may complete a trigger after the user leaves.
    form_.typedKeys.clear();
    return true;
}

// Letters typed in another window or control would make a trigger here, and
// the send would erase what the user typed in this one.
void MainData::forgetTypedKeysIfFocusMoved(const FocusFacts& focus) {
    if (focus.focusChanges != focusChangesSeen_) {
        focusChangesSeen_ = focus.focusChanges;
        form_.typedKeys.clear();
    }
}

void MainData::TriggerMatcher(std::int16_t keyCode, std::int16_t& modifierState) {
    if (modifierState == modifier::CtrlShift) {
        if (form_.showKeyItem.checked && keyCode == 'S') {
            services_.windows.showMainWindow();
        }
        if (form_.commonTextKeyItem.checked && keyCode == 'C') {
            services_.windows.showCommonTextWindow();
        }
    }

    const std::string name = keyNameOf(keyCode);
    const bool functionKey = isFunctionKey(keyCode);
    if (functionKey) {
        form_.lastKey = lowerCase(fullFunctionKeyName(name, modifierState));
        form_.typedKeys = form_.lastKey;
    } else {
        form_.lastKey = lowerCase(name);
        if (!form_.lastKey.empty()) {
            std::string buffer = form_.typedKeys;
            buffer.push_back(form_.lastKey.back());
            form_.typedKeys = std::move(buffer);
        }
    }

    const bool launching = functionKey || keyCode == vk::Space || keyCode == vk::Tab ||
                           keyCode == vk::Esc || modifierState != modifier::None;
    if (launching) {
        const auto match = form_.shortcuts.findLaunch(trimBlanks(form_.typedKeys), keyCode,
                                                      modifierState != modifier::None);
        // A key is swallowed only for a text that can be delivered now: an
        // elevated window, say, takes no injected keys, and the user would lose
        // both (nor could the keys held during the send be typed there). Past the
        // bounds of holding, keys pass straight into a send still on its way, and
        // a second text would mix with it.
        if (match && !keyHold_.passingThrough() && services_.injector.focusedWindowAcceptsInput()) {
            // A key with a character of its own (a "." while a modifier is
            // recorded) ends the typed trigger; Space, Tab, Esc and Ctrl add nothing.
            const bool launchKeyEndsTrigger = !functionKey && !name.empty() && name != " ";
            handOver(*match, launchKeyEndsTrigger);
            return;
        }
        if (match && !keyHold_.passingThrough() && onCannotType) {
            // Only a window that takes no injected keys is left: the user is told.
            onCannotType(services_.focus.inspect().program);
        }
    }

    if (isWordEnd(keyCode)) {
        form_.typedKeys.clear();
        modifierState = modifier::None;
    }
    form_.lastUnmatchedKeyTime = services_.clock.now();
}

void MainData::handOver(const LaunchMatch& match, bool launchKeyEndsTrigger) {
    // The Enter request travels with its text.
    SendRequest request{std::string(match.trigger), std::string(match.text), match.enterAfter,
                        launchKeyEndsTrigger, match.triggerTyped};
    if (onMatch) {
        keyHold_.begin();
        onMatch(std::move(request));
    }
    form_.typedKeys.clear();
    SwallowFlag = 1;
}

}  // namespace quorvel
