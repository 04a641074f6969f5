#include "editor/shortcut_editor.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/samples.h"
#include "engine/key_filter.h"
#include "engine/key_names.h"
#include "engine/shortcut_entry.h"
#include "platform/product_info.h"
#include "platform/virtual_keys.h"
#include "text/ascii_case.h"
#include "text/utf8.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

constexpr char ControlA = '\x01';

constexpr std::string_view SeparatorRefused =
    "The Shortcut Letters cannot hold the character \xC2\xAF because it separates the parts of "
    "each shortcut in the list.";
constexpr std::string_view ControlARefused =
    "Neither the Shortcut Letters nor the Text String can hold control character 1 "
    "(Ctrl+A).";

// The characters of the trigger that no key's name holds, each once, quoted:
// the hook names every key by its code, so such a trigger could never fire.
// The separator and control character 1 have messages of their own.
std::string charactersNoKeyTypes(std::string_view trigger) {
    std::vector<char32_t> found;
    std::string listed;
    for (std::size_t at = 0; at < trigger.size();) {
        const utf8::Decoded decoded = utf8::decode(trigger, at);
        const char32_t c = lowerCase(decoded.character);
        if (!isKeyNameCharacter(c) && c != U'\u00AF' && c != static_cast<char32_t>(ControlA) &&
            std::find(found.begin(), found.end(), c) == found.end()) {
            found.push_back(c);
            listed += listed.empty() ? "\"" : ", \"";
            listed.append(trigger.substr(at, decoded.length)) += '"';
        }
        at += decoded.length;
    }
    return listed;
}

// The trigger of a row as the add scan compares it: the part after the first
// separator, up to the second one if there is one, trimmed and lower-cased.
std::optional<std::string> rowTriggerKey(std::string_view entryLine) {
    const auto first = entryLine.find(EntrySeparator);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view trigger = entryLine.substr(first + EntrySeparator.size());
    trigger = trigger.substr(0, trigger.find(EntrySeparator));
    return triggerKey(trigger);
}

// Re-enables a button however the operation that disabled it ends.
class DisabledWhile {
  public:
    explicit DisabledWhile(Button& button) : button_(button) { button_.enabled = false; }
    ~DisabledWhile() { button_.enabled = true; }
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

  private:
    Button& button_;
};

}  // namespace

ShortcutEditor::ShortcutEditor(EditorControls& controls, ShortcutList& list, Dialogs& dialogs,
                               std::function<void()> fileSave)
    : controls_(controls), list_(list), dialogs_(dialogs), fileSave_(std::move(fileSave)) {}

void ShortcutEditor::show(std::string_view message) {
    dialogs_.showMessage(message, MessageButtons::Ok, product::ApplicationTitle);
}

bool ShortcutEditor::ask(std::string_view question, MessageButtons buttons) {
    return dialogs_.showMessage(question, buttons, product::ApplicationTitle) == MessageAnswer::Yes;
}

void ShortcutEditor::save() {
    if (fileSave_) {
        fileSave_();
    }
}

std::optional<std::string> ShortcutEditor::addShortcut() {
    if (!controls_.addButton.enabled) {
        return std::nullopt;
    }
    const std::string trigger = controls_.triggerBox.text();
    const std::string text = controls_.shortcutText.text();

    if (trimBlanks(trigger).empty()) {
        show("Please enter something in the Launch Keys text box");
        return std::nullopt;
    }
    if (trimBlanks(text).empty()) {
        show(
            "Please enter something in the Shortcut Letters text box.\r\n\r\n"
            "For Example you can enter VS then every time you type VS and hit the spacebar it "
            "can send the associated text to the keyboard.\r\n"
            "Or you can hit a function in the box, like the {F4} Key and every time you hit the "
            "{F4} Key the associated text will be sent to the keyboard");
        return std::nullopt;
    }
    // A separator in the trigger would move the field boundaries, and the file
    // cannot carry control character 1: such an entry would not come back as added.
    const bool separatorInTrigger = trigger.find(EntrySeparator) != std::string::npos;
    const bool controlA =
        trigger.find(ControlA) != std::string::npos || text.find(ControlA) != std::string::npos;
    if (separatorInTrigger || controlA) {
        std::string message;
        if (separatorInTrigger) {
            message.append(SeparatorRefused).append(" ");
        }
        if (controlA) {
            message.append(ControlARefused).append(" ");
        }
        message.append(separatorInTrigger && controlA ? "Please remove them and try again."
                                                      : "Please remove it and try again.");
        show(message);
        return std::nullopt;
    }
    if (const std::string untypeable = charactersNoKeyTypes(trigger); !untypeable.empty()) {
        show("The Shortcut Letters cannot hold " + untypeable +
             ": no key is named so, and the shortcut could never be launched. Quorvel names "
             "the keys as an English keyboard shows them without Shift, whatever the layout "
             "(the key of \"\xCE\xB1\" on a Greek keyboard is A).");
        return std::nullopt;
    }

    const DisabledWhile busy(controls_.addButton);

    ShortcutEntry entry;
    if (controls_.spaceKey.value) {
        entry.launchMode = LaunchMode::Space;
    } else if (controls_.tabKey.value) {
        entry.launchMode = LaunchMode::Tab;
    } else if (controls_.escKey.value) {
        entry.launchMode = LaunchMode::Esc;
    }
    // A trigger that starts with a function key's name is launched by that key
    // whatever the option says. Only the raw start counts: " {F4}" does not.
    if (trigger.size() >= 2 && trigger[0] == '{' && asciiLower(trigger[1]) == 'f') {
        entry.launchMode = LaunchMode::FunctionKey;
    }
    entry.enterAfter = controls_.enterAfter.value == 1;
    entry.trigger = trigger;
    entry.text = text;

    // One pass without yielding: a list of 100,000 rows takes milliseconds, and
    // nothing can change the list or the boxes half-way.
    const std::string wanted = triggerKey(trigger);
    for (std::size_t index = 0; index < list_.count();) {
        const auto key = rowTriggerKey(list_.entryLine(index));
        if (key && *key == wanted) {
            list_.removeAt(index);
        } else {
            ++index;
        }
    }

    std::string added = formatEntryLine(entry);
    list_.add(added, formatDisplayLine(entry));
    list_.select(std::nullopt);
    resetEditor();
    save();
    return added;
}

void ShortcutEditor::selectEntry(std::size_t row) {
    if (row >= list_.count()) {
        return;
    }
    list_.select(row);
    const std::string line(list_.entryLine(row));
    const auto fields = splitEntryLine(line);
    if (!fields) {
        show("Invalid: " + line);
        return;
    }
    controls_.shortcutText.setText(std::string(fields->text));
    controls_.triggerBox.setText(std::string(fields->trigger));

    OptionButton* chosen = nullptr;
    switch (launchModeOf(fields->mode)) {
        case LaunchMode::Space:
            chosen = &controls_.spaceKey;
            break;
        case LaunchMode::Tab:
            chosen = &controls_.tabKey;
            break;
        case LaunchMode::Esc:
            chosen = &controls_.escKey;
            break;
        case LaunchMode::None:
        case LaunchMode::FunctionKey:
            break;
    }
    if (chosen != nullptr) {
        for (OptionButton* option : {&controls_.spaceKey, &controls_.tabKey, &controls_.escKey}) {
            option->value = option == chosen;
        }
    }
    controls_.enterAfter.value = enterAfterOf(fields->mode) ? 1 : 0;
}

bool ShortcutEditor::captureFunctionKey(int keyCode) {
    if (!isFunctionKey(keyCode)) {
        return false;
    }
    controls_.triggerBox.setText("{F" + std::to_string(keyCode - vk::F1 + 1) + "}");
    controls_.triggerCaret = static_cast<int>(controls_.triggerBox.text().size());
    return true;
}

void ShortcutEditor::deleteSelected() {
    if (!ask("Are you sure you would like to clear the selected hotkey?",
             MessageButtons::YesNoDefaultNo)) {
        return;
    }
    const std::optional<std::size_t> found = list_.selectedIndex();
    if (!found) {
        show("Please Select an item to remove then click the clear button");
        return;
    }
    list_.removeAt(*found);
    resetEditor();
    save();
}

void ShortcutEditor::deleteAll() {
    if (!ask("Are you sure you would like to clear all?", MessageButtons::YesNoDefaultNo)) {
        return;
    }
    list_.clear();
    resetEditor();
    save();
}

void ShortcutEditor::offerSamples() {
    quorvel::offerSamples(list_, dialogs_);
}

void ShortcutEditor::resetEditor() {
    controls_.triggerBox.setText("");
    controls_.triggerCaret = 0;
    controls_.shortcutText.setText("");
    controls_.spaceKey.value = true;
    controls_.tabKey.value = false;
    controls_.escKey.value = false;
    controls_.enterAfter.value = 0;
}

}  // namespace quorvel
