#pragma once
// The shortcut engine as the main window holds it: the keyboard side (hook, key
// hold and matcher) and the sender, wired together, with the options the user
// set for them.

#include <functional>

#include "engine/engine_options.h"
#include "engine/engine_services.h"
#include "engine/keyboard_engine.h"
#include "engine/shortcut_list.h"
#include "engine/text_sender.h"

namespace quorvel {

class ShortcutEngine {
  public:
    // How often the timers tick: the recorded modifier's and the typing pause's.
    static constexpr int ModifierTickMilliseconds = 1000;
    static constexpr int PauseTickMilliseconds = 5000;

    ShortcutEngine(const ShortcutList& shortcuts, EngineServices& services)
        : keyboard_(shortcuts, options_, services), sender_(options_, keyboard_, services) {
        keyboard_.onMatch = [this](SendRequest request) { handOver(std::move(request)); };
        // Taking a text back uses no shortcut.
        keyboard_.onUndo = [this](SendRequest request) { sender_.enqueue(std::move(request)); };
    }
    ShortcutEngine(const ShortcutEngine&) = delete;
    ShortcutEngine& operator=(const ShortcutEngine&) = delete;

    const EngineOptions& options() const { return options_; }
    void setOptions(EngineOptions options) { options_ = std::move(options); }

    // Sends an entry the user chose rather than typed (the popup): nothing to
    // erase, and through the same steps as a trigger's text, keys typed meanwhile
    // held and replayed after it.
    void sendChosen(SendRequest request) {
        request.triggerTyped = false;
        request.launchKeyEndsTrigger = false;
        keyboard_.keyHold().begin();
        handOver(std::move(request));
    }

    // Told of every request handed to the sender, typed or chosen. It may run
    // inside the keyboard hook: whatever takes time goes to the event loop.
    std::function<void(const SendRequest&)> onSend;

    KeyboardEngine& keyboard() { return keyboard_; }
    TextSender& sender() { return sender_; }

    // The program ends: no more keys are watched, and a clipboard lent to a
    // paste goes back to the user.
    void stop() {
        keyboard_.removeHook();
        sender_.giveBackClipboard();
    }

    void modifierTimerTick() { keyboard_.modifierTick(); }
    void pauseTimerTick() { keyboard_.pauseTick(); }
    void clipboardTimerTick() { sender_.clipboardTick(); }

  private:
    void handOver(SendRequest request) {
        if (onSend) {
            onSend(request);
        }
        sender_.enqueue(std::move(request));
    }

    EngineOptions options_;
    KeyboardEngine keyboard_;
    TextSender sender_;
};

}  // namespace quorvel
