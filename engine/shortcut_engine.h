#pragma once
// The shortcut engine as the main window holds it: hook and matcher, sender and
// timers, wired together.

#include "engine/engine_form.h"
#include "engine/engine_services.h"
#include "engine/engine_timers.h"
#include "engine/main_data.h"
#include "engine/text_sender.h"

namespace quorvel {

class ShortcutEngine {
  public:
    ShortcutEngine(EngineForm& form, EngineServices& services)
        : form_(form),
          services_(services),
          mainData_(form, services),
          sender_(form, mainData_, services) {
        mainData_.onMatch = [this](SendRequest request) { sender_.enqueue(std::move(request)); };
    }

    MainData& mainData() { return mainData_; }
    // The program ends: no more keys are watched, and a clipboard lent to a
    // paste goes back to the user.
    void stop() {
        mainData_.RemoveKeyHook();
        mainData_.clipboardLoan().giveBackNow();
    }
    TextSender& sender() { return sender_; }

    void modifierTimerTick() {
        quorvel::modifierTimerTick(form_, mainData_, services_.clock);
        // Keys held by a send that has not ended go out after ten seconds, even
        // when no further key comes to notice it.
        mainData_.keyHold().enforceTimeBound();
        mainData_.keyHold().retryRefusedReleases();
    }
    void pauseTimerTick() { quorvel::pauseTimerTick(form_, mainData_, services_.clock); }
    void clipboardTimerTick() { quorvel::clipboardTimerTick(form_, mainData_); }

  private:
    EngineForm& form_;
    EngineServices& services_;
    MainData mainData_;
    TextSender sender_;
};

}  // namespace quorvel
