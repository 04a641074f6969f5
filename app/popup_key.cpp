#include "app/popup_key.h"

#include "text/ascii_case.h"

namespace quorvel {

std::optional<KeyChord> popupKeyFromSetting(std::string_view stored) {
    if (equalIgnoringAsciiCase(stored, NoPopupKey)) {
        return std::nullopt;
    }
    for (const KeyChord& chord : PopupKeyChoices) {
        if (equalIgnoringAsciiCase(stored, chord.name)) {
            return chord;
        }
    }
    return PopupKeyChoices[0];
}

std::optional<std::string> whyPopupStaysOut(const FocusFacts& focus, const EngineOptions& options,
                                            bool acceptsInjectedKeys) {
    if (options.expansionPaused) {
        return "Quorvel is paused (Pause Expansion in its icon's menu): nothing is typed until you "
               "choose it again.";
    }
    if (focus.passwordBox) {
        return "The keyboard focus is in a password box: Quorvel types nothing there.";
    }
    if (focus.composing) {
        return "An input method is composing: finish or cancel it first.";
    }
    if (!focus.program.empty() && options.excludedPrograms.contains(focus.program)) {
        return focus.program +
               " is in Excluded Programs (Options menu): Quorvel types nothing "
               "there.";
    }
    if (focus.fullScreen && options.pauseInFullScreen) {
        return "A full-screen program is in front, and Pause in Full-Screen Programs is on "
               "(Options menu).";
    }
    if (!acceptsInjectedKeys) {
        return "The program in front runs as administrator and takes no keys from Quorvel. Run "
               "Quorvel as administrator too, or exclude the program.";
    }
    return std::nullopt;
}

}  // namespace quorvel
