#include "engine/keyboard_engine.h"

#include "engine/key_filter.h"
#include "engine/macro_expander.h"
#include "engine/shortcut_entry.h"
#include "engine/stay_out.h"
#include "platform/virtual_keys.h"
#include "text/utf8.h"

namespace quorvel {

namespace {

// Shift, Ctrl and Alt, left or right.
bool isModifierKey(std::uint32_t virtualKey) {
    const auto key = modifierKey(virtualKey);
    return key && key->modifier != Modifier::Win;
}

}  // namespace

KeyboardEngine::KeyboardEngine(const ShortcutList& shortcuts, const EngineOptions& options,
                               EngineServices& services)
    : shortcuts_(shortcuts),
      options_(options),
      services_(services),
      keyHold_(services.injector, services.keyState, services.events, services.clock) {}

bool KeyboardEngine::installHook() {
    if (hookHandle_ == 0) {
        hookHandle_ = services_.hook.install(
            [this](const KeyEventRecord& event) { return onKeyEvent(event); },
            [this] { mouseButtonPressed(); });
    }
    return hookHandle_ != 0;
}

void KeyboardEngine::removeHook() {
    if (hookHandle_ != 0) {
        services_.hook.remove(hookHandle_);
        hookHandle_ = 0;
    }
}

// Down now, and not just because a send of ours holds it: where the system lets
// the user's keys fall between the events of one send (Wine does), the release
// of the trigger key can arrive while we hold Shift for a capital, and the next
// trigger would be read as Shift plus that key.
bool KeyboardEngine::heldByUser(int virtualKey) {
    const bool down = services_.keyState.isDown(virtualKey);
    auto& own = ownModifier_[static_cast<std::size_t>(virtualKey)];
    if (!down) {
        own = false;  // up at last: whoever presses it next holds it
    }
    return down && !own;
}

// Down now: every press and release passes the hook, so a quick tap is seen on
// its own events, and a key let go long ago (or pressed by this program) does
// not come back through the "pressed since" bit.
HeldModifierKeys KeyboardEngine::heldByUser() {
    HeldModifierKeys held;
    for (const std::uint8_t key : RecordedModifierKeys) {
        if (heldByUser(key)) {
            held.set(key);
        }
    }
    return held;
}

void KeyboardEngine::noteOwnModifier(const KeyEventRecord& event) {
    // Our release too: the key state may still show the key down for a few
    // events after it.
    if (isModifierKey(event.vkCode)) {
        ownModifier_[event.vkCode] = true;
    }
}

void KeyboardEngine::keysMayHaveBeenMissed() {
    ownModifier_.fill(false);
    undoChance_.reset();
    backspaceTaken_ = false;
    state_ = afterKeysMissed(std::move(state_), heldByUser());
    keyHold_.reset();
}

void KeyboardEngine::modifierTick() {
    state_ = afterModifierTick(std::move(state_), services_.clock.now());
    // Keys held by a send that has not ended go out after ten seconds, even
    // when no further key comes to notice it.
    keyHold_.enforceTimeBound();
    keyHold_.retryRefusedReleases();
}

void KeyboardEngine::pauseTick() {
    state_ = afterPauseTick(std::move(state_), services_.clock.now());
    if (undoChance_ && services_.clock.milliseconds() - undoChance_->endedAt >= UndoMilliseconds) {
        undoChance_.reset();
    }
}

void KeyboardEngine::offerUndo(UndoChance chance) {
    chance.focusChanges = focusChangesSeen_;
    chance.endedAt = services_.clock.milliseconds();
    undoChance_ = std::move(chance);
}

void KeyboardEngine::noteTypedKey(const MatcherEvent& event) {
    if (event.ours || event.stayOut ||
        !reachesMatcher(event.flags, static_cast<int>(event.virtualKey))) {
        return;
    }
    const bool ctrlOrAlt = event.held.has(vk::LCtrl) || event.held.has(vk::RCtrl) ||
                           event.held.has(vk::LAlt) || event.held.has(vk::RAlt);
    typedKeys_[typedKeyCount_++ % typedKeys_.size()] = {
        static_cast<std::uint8_t>(event.virtualKey),
        event.held.has(vk::LShift) || event.held.has(vk::RShift), !ctrlOrAlt};
}

// The launch key is the latest key noted. Space and Tab put their character in
// where the send swallowed it, and so does a key that ends the trigger; the
// trigger's own characters come before it.
std::optional<std::vector<KeyStroke>> KeyboardEngine::keysTypedFor(
    const LaunchMatch& match, bool launchKeyEndsTrigger) const {
    if (typedKeyCount_ == 0) {
        return std::nullopt;
    }
    const std::uint8_t launchKey = typedKeys_[(typedKeyCount_ - 1) % typedKeys_.size()].virtualKey;
    const bool launchTyped = launchKey == vk::Space || launchKey == vk::Tab || launchKeyEndsTrigger;
    std::size_t characters = match.triggerTyped ? utf8::length(match.trigger) : 0;
    characters += launchTyped && !launchKeyEndsTrigger ? 1 : 0;
    const std::size_t newest = typedKeyCount_ - (launchTyped ? 0 : 1);
    if (characters > typedKeys_.size() || characters > newest) {
        return std::nullopt;
    }
    std::vector<KeyStroke> strokes;
    for (std::size_t i = newest - characters; i < newest; ++i) {
        const TypedKey& key = typedKeys_[i % typedKeys_.size()];
        if (!key.known || isFunctionKey(key.virtualKey)) {
            return std::nullopt;
        }
        if (key.shift) {
            strokes.push_back(KeyStroke::press(Modifier::Shift));
        }
        strokes.push_back(KeyStroke::key(key.virtualKey));
        if (key.shift) {
            strokes.push_back(KeyStroke::release(Modifier::Shift));
        }
    }
    return strokes;
}

// The first press of a plain Backspace, while the send's text is as it left it,
// where it may be taken back. Ctrl+Backspace erases a word and Shift+Backspace
// is the user's own: neither is ever taken.
bool KeyboardEngine::takesBackspace(const KeyEventRecord& received) {
    if (received.vkCode != vk::Backspace || received.flags != 0 || received.dwExtraInfo != 0 ||
        !options_.undoWithBackspace || options_.expansionPaused || !onUndo) {
        return false;
    }
    const UndoChance& chance = *undoChance_;
    if (services_.clock.milliseconds() - chance.endedAt >= UndoMilliseconds) {
        return false;
    }
    const HeldModifierKeys held = heldByUser();
    for (const std::uint8_t key : RecordedModifierKeys) {
        if (held.has(key)) {
            return false;
        }
    }
    if (services_.keyState.isDown(vk::LWin) || services_.keyState.isDown(vk::RWin)) {
        return false;
    }
    const FocusFacts& focus = services_.focus.inspect();
    if (focus.focusChanges != chance.focusChanges ||
        staysOut(focus, options_.excludedPrograms, options_.pauseInFullScreen) ||
        (!focus.textReadable && !undoableUnread(chance.text, chance.pasted)) || !canDeliverNow()) {
        return false;
    }
    SendRequest request;
    request.undo = std::move(undoChance_);
    undoChance_.reset();
    backspaceTaken_ = true;
    keyHold_.begin();
    onUndo(std::move(request));
    return true;
}

MatcherEvent KeyboardEngine::matcherEventFor(const KeyEventRecord& received) {
    MatcherEvent event;
    event.virtualKey = received.vkCode;
    event.flags = received.flags;
    if (received.dwExtraInfo == ReplayMarker) {
        // The user's key typed during a send: injected by us, but theirs.
        event.flags &= ~(key_flags::Injected | key_flags::LowerIntegrityInjected);
    }
    event.ours = received.dwExtraInfo == OwnInjectionMarker;
    if (event.ours) {
        noteOwnModifier(received);
    } else {
        // The user's own press or release of a modifier makes it theirs again.
        if (isModifierKey(received.vkCode)) {
            ownModifier_[received.vkCode] = false;
        }
        event.held = heldByUser();
        event.capsLock = services_.keyState.capsLockOn();
    }
    event.time = services_.clock.now();
    // Asked only of keys that may type a trigger, so that nothing typed where
    // Quorvel stays out fires, nor starts a hold.
    if (reachesMatcher(event.flags, static_cast<int>(event.virtualKey))) {
        const FocusFacts& focus = services_.focus.inspect();
        event.focusMoved = focus.focusChanges != focusChangesSeen_;
        focusChangesSeen_ = focus.focusChanges;
        event.stayOut = staysOut(focus, options_.excludedPrograms, options_.pauseInFullScreen);
    }
    return event;
}

KeyDecision KeyboardEngine::onKeyEvent(const KeyEventRecord& received) {
    const bool released = (received.flags & key_flags::Released) != 0;
    if (backspaceTaken_ && received.vkCode == vk::Backspace &&
        (received.flags & key_flags::Injected) == 0) {
        backspaceTaken_ = !released;
        return KeyDecision::Swallow;
    }
    if (keyHold_.hold(received)) {
        return KeyDecision::Swallow;
    }
    // Any key the user presses after a send ends its chance of being taken back.
    if (undoChance_ && !released && received.dwExtraInfo != OwnInjectionMarker) {
        if (takesBackspace(received)) {
            return KeyDecision::Swallow;
        }
        undoChance_.reset();
    }
    // After the hold: keys typed during a send begun before the pause still come
    // out in order.
    if (options_.expansionPaused) {
        return KeyDecision::Pass;
    }
    MatcherEvent event = matcherEventFor(received);
    noteTypedKey(event);
    const MatcherSettings settings{options_.showWindowHotKey, options_.commonTextHotKey};
    MatcherStep step = matchKey(state_, event, shortcuts_, settings);
    if (step.match && heldBack(*step.match)) {
        HeldProgram held{std::string(step.match->trigger),
                         {},
                         std::string(shortcuts_.entryLine(step.match->row))};
        const auto program = programOf(step.match->text, services_.clock.now(), services_.locale);
        held.commandLine = program ? *program : std::string(step.match->text);
        event.deliverable = false;
        step = matchKey(state_, event, shortcuts_, settings);
        if (onProgramHeld) {
            onProgramHeld(held);
        }
    } else if (step.match && !canDeliverNow()) {
        const bool tell = !keyHold_.passingThrough();
        event.deliverable = false;
        step = matchKey(state_, event, shortcuts_, settings);
        // Only a window that takes no injected keys is left: the user is told.
        if (tell && onCannotType) {
            onCannotType(services_.focus.inspect().program);
        }
    }
    state_ = std::move(step.state);
    act(step.hotKey);
    if (!step.match) {
        return KeyDecision::Pass;
    }
    handOver(*step.match, step.launchKeyEndsTrigger, step.textCase);
    return KeyDecision::Swallow;
}

// A key is swallowed only for a text that can be delivered now: an elevated
// window, say, takes no injected keys, and the user would lose both (nor could
// the keys held during the send be typed there). Past the bounds of holding,
// keys pass straight into a send still on its way, and a second text would mix
// with it.
bool KeyboardEngine::canDeliverNow() {
    return !keyHold_.passingThrough() && services_.injector.focusedWindowAcceptsInput();
}

// Asked before anything is erased. A text counts if it starts a program with
// any clipboard, not only with the one there now: what the user approves must
// not depend on what they copied last.
bool KeyboardEngine::heldBack(const LaunchMatch& match) const {
    return approvals_ != nullptr && mayStartProgram(match.text) &&
           !approvals_->approved(shortcuts_.entryLine(match.row));
}

void KeyboardEngine::act(HotKey hotKey) {
    switch (hotKey) {
        case HotKey::ShowMainWindow:
            services_.windows.showMainWindow();
            break;
        case HotKey::ShowCommonText:
            services_.windows.showCommonTextWindow();
            break;
        case HotKey::None:
            break;
    }
}

void KeyboardEngine::handOver(const LaunchMatch& match, bool launchKeyEndsTrigger,
                              TextCase textCase) {
    // The Enter request travels with its text.
    SendRequest request{std::string(match.trigger), std::string(match.text), match.enterAfter,
                        launchKeyEndsTrigger, match.triggerTyped};
    if (options_.matchTriggerCase) {
        request.textCase = textCase;
    }
    request.typedKeys = keysTypedFor(match, launchKeyEndsTrigger);
    if (onMatch) {
        keyHold_.begin();
        onMatch(std::move(request));
    }
}

}  // namespace quorvel
