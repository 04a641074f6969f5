#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/undo_chance.h"
#include "platform/key_strokes.h"

#include "text/case_mapping.h"

namespace quorvel {

// One matched shortcut on its way to the text sender.
struct SendRequest {
    std::string trigger;  // trimmed, as written in the entry
    std::string text;     // as stored, macros unexpanded
    bool enterAfter = false;
    // The launching key's own character ends the trigger (a "." that launches
    // while a modifier is recorded): it was swallowed, so it is not erased.
    bool launchKeyEndsTrigger = false;
    // The trigger's characters are in the application, to be erased.
    bool triggerTyped = false;
    // Typed as the characters it holds: no macros, no key names (a Common Text
    // string chosen from the popup).
    bool plainText = false;
    // The case the trigger was typed in, for the text's own characters.
    TextCase textCase = TextCase::AsStored;
    // The keys the user typed for the trigger, to type them again should the
    // text be taken back; unset when they cannot be typed again as they were
    // (Ctrl or Alt held) and for a text chosen rather than typed.
    std::optional<std::vector<KeyStroke>> typedKeys{};
    // Takes back the send before instead of sending a text.
    std::optional<UndoChance> undo{};
};

}  // namespace quorvel
