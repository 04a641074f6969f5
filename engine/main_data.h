#pragma once
// The keyboard hook and the trigger matcher, with the state they keep between
// key events.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/clipboard_loan.h"
#include "engine/engine_form.h"
#include "engine/engine_services.h"
#include "engine/key_hold.h"
#include "engine/send_request.h"
#include "platform/keyboard_hook.h"

namespace quorvel {

// Modifier codes kept in ModifierState.
namespace modifier {
inline constexpr std::int16_t None = 0, Shift = 1, Ctrl = 2, CtrlShift = 3, Alt = 4, CtrlAlt = 6;
}

class MainData {
  public:
    MainData(EngineForm& form, EngineServices& services);
    MainData(const MainData&) = delete;
    MainData& operator=(const MainData&) = delete;

    int InstallKeyHook();
    int RemoveKeyHook();
    // Called by the platform for every key event: 1 consumes it, 0 lets it pass.
    int KeyHook(int hookCode, const KeyEventRecord& event);
    void TriggerMatcher(std::int16_t keyCode, std::int16_t& modifierState);
    // After the session was locked, the machine slept or the hook was installed
    // again, the keys typed before mean nothing, and modifiers may have been
    // released where the hook could not see it: forgets the typed keys and
    // records the modifiers held now, for the matcher and the key hold.
    void resetFromKeyState();
    // A mouse button was pressed: the caret may be somewhere else now, so the
    // letters typed before are no part of what is typed next.
    void mouseButtonPressed();

    // Receives each match, once, right where the matcher writes its send stamp.
    std::function<void(SendRequest)> onMatch;
    // Told of a trigger typed where keys cannot be typed (a program running as
    // administrator), with the foreground program's file name.
    std::function<void(const std::string& program)> onCannotType;
    // The keys typed while a matched text is on its way.
    KeyHold& keyHold() { return keyHold_; }
    // What was on the clipboard before a paste, until it is given back.
    ClipboardLoan& clipboardLoan() { return clipboardLoan_; }

    std::uintptr_t hookHandle = 0;
    KeyEventRecord lastKeyEvent;
    std::int16_t ModifierState = modifier::None;
    std::int16_t SwallowFlag = 0;

  private:
    bool passesWhilePaused() const { return form_.expansionPaused; }
    bool stayingOut();
    void forgetTypedKeysIfFocusMoved(const FocusFacts& focus);
    void handOver(const LaunchMatch& match, bool launchKeyEndsTrigger);
    void recordModifiers(const KeyEventRecord& event);
    void recordHeldModifiers();
    void noteOwnModifier(const KeyEventRecord& event);
    bool heldByUser(int virtualKey);

    EngineForm& form_;
    EngineServices& services_;
    KeyHold keyHold_;
    ClipboardLoan clipboardLoan_{services_.clipboard, services_.clock};
    // Modifier keys whose last event was one of our sends, until the key state
    // shows them up: while down, they are not the user's.
    std::array<bool, 256> ownModifier_{};
    std::uint64_t focusChangesSeen_ = 0;
};

}  // namespace quorvel
