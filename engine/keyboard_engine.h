#pragma once
// The keyboard hook's side of the engine: each key event passes the key hold,
// then the trigger matcher; a match is handed to the sender. The state kept
// between events is this class's own.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_options.h"
#include "engine/engine_services.h"
#include "engine/key_hold.h"
#include "engine/program_approval.h"
#include "engine/send_request.h"
#include "engine/shortcut_list.h"
#include "engine/trigger_matcher.h"
#include "engine/undo_chance.h"
#include "platform/keyboard_hook.h"

namespace quorvel {

class KeyboardEngine {
  public:
    KeyboardEngine(const ShortcutList& shortcuts, const EngineOptions& options,
                   EngineServices& services);
    KeyboardEngine(const KeyboardEngine&) = delete;
    KeyboardEngine& operator=(const KeyboardEngine&) = delete;

    // True once the hook is in; asking again changes nothing.
    bool installHook();
    void removeHook();
    bool hookInstalled() const { return hookHandle_ != 0; }

    // Called by the platform for every key event.
    KeyDecision onKeyEvent(const KeyEventRecord& event);
    // A mouse button was pressed: the caret may be somewhere else now, so the
    // letters typed before are no part of what is typed next.
    void mouseButtonPressed() {
        state_.typed.clear();
        undoChance_.reset();
    }
    // After the session was locked, the machine slept or the hook was installed
    // again, the keys typed before mean nothing, and modifiers may have been
    // released where the hook could not see it: forgets the typed keys and
    // records the modifiers held now, for the matcher and the key hold.
    void keysMayHaveBeenMissed();
    // A send has typed its text: whatever was typed before it is no trigger.
    void forgetTypedKeys() { state_.typed.clear(); }

    // The timers: a recorded modifier lasts a second past the last unmatched key,
    // typed keys five seconds past the last key.
    void modifierTick();
    void pauseTick();

    // A send has ended whole: until the user's next key, a click, a move of the
    // focus or UndoMilliseconds, a Backspace may take it back.
    void offerUndo(UndoChance chance);
    void endUndoChance() { undoChance_.reset(); }
    // From now on an entry that may start a program and is not approved is
    // held back: its trigger stays as typed, as if it matched nothing.
    void holdUnapprovedPrograms(const ProgramApprovalCheck& approvals) { approvals_ = &approvals; }
    // Told of each trigger of an entry held back.
    std::function<void(const HeldProgram&)> onProgramHeld;

    // Receives each match, once.
    std::function<void(SendRequest)> onMatch;
    // Receives the request that takes the last send back.
    std::function<void(SendRequest)> onUndo;
    // Told of a trigger typed where keys cannot be typed (a program running as
    // administrator), with the foreground program's file name.
    std::function<void(const std::string& program)> onCannotType;

    KeyHold& keyHold() { return keyHold_; }
    const MatcherState& matcherState() const { return state_; }

  private:
    MatcherEvent matcherEventFor(const KeyEventRecord& event);
    HeldModifierKeys heldByUser();
    bool heldByUser(int virtualKey);
    void noteOwnModifier(const KeyEventRecord& event);
    bool canDeliverNow();
    bool heldBack(const LaunchMatch& match) const;
    void handOver(const LaunchMatch& match, bool launchKeyEndsTrigger, TextCase textCase);
    void act(HotKey hotKey);
    void noteTypedKey(const MatcherEvent& event);
    std::optional<std::vector<KeyStroke>> keysTypedFor(const LaunchMatch& match,
                                                       bool launchKeyEndsTrigger) const;
    bool takesBackspace(const KeyEventRecord& event);

    const ShortcutList& shortcuts_;
    const EngineOptions& options_;
    EngineServices& services_;
    KeyHold keyHold_;
    std::uintptr_t hookHandle_ = 0;
    MatcherState state_;
    // Modifier keys whose last event was one of our sends, until the key state
    // shows them up: while down, they are not the user's.
    std::array<bool, 256> ownModifier_{};
    std::uint64_t focusChangesSeen_ = 0;

    // The latest keys the matcher saw, newest last in a ring: a trigger's keys,
    // to type them again when its text is taken back. `known` is false for a key
    // typed with Ctrl or Alt, whose character the target decides.
    struct TypedKey {
        std::uint8_t virtualKey = 0;
        bool shift = false;
        bool known = false;
    };
    std::array<TypedKey, 64> typedKeys_{};
    std::size_t typedKeyCount_ = 0;  // ever noted
    std::optional<UndoChance> undoChance_;
    // The Backspace that took a send back is down: its repeats do nothing.
    bool backspaceTaken_ = false;
    const ProgramApprovalCheck* approvals_ = nullptr;
};

}  // namespace quorvel
