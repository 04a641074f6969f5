#include "editor/shortcut_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "support/transcript.h"
#include "tests/doubles/fake_dialogs.h"

namespace quorvel {
namespace {

using testing::printable;

const std::string Sep = "\xC2\xAF";

std::string line(const std::string& mode, const std::string& trigger, const std::string& text) {
    return mode + " " + Sep + " " + trigger + " " + Sep + " " + text;
}

// The editor over a list, with the boxes filled, run through a few words:
// Space, Tab, Esc or None picks the launch key and Enter ticks the box; "caret
// N" puts the caret; "pick N" selects a row in the list, "select N" clicks it;
// "yes" and "no" answer the next question; "add", "delete", "clear" (Delete
// All), "samples" and "key N" (a function key pressed in the trigger box) are
// the editor's commands. The first line has the script and what its commands
// changed of the boxes, the selection and the saves; under it every message,
// and each row gone or new, as the file and the list show it.
std::string run(const std::vector<std::string>& rows, const std::string& trigger,
                const std::string& text, const std::string& words) {
    EditorControls controls;
    ShortcutList list;
    FakeDialogs dialogs;
    int saves = 0;
    ShortcutEditor editor{controls, list, dialogs, [&] { ++saves; }};
    for (const std::string& row : rows) {
        list.add(row);
    }
    controls.triggerBox.setText(trigger);
    controls.shortcutText.setText(text);
    const auto facts = [&]() -> testing::Facts {
        const auto selected = list.selectedIndex();
        return {
            {"boxes", "[" + printable(controls.triggerBox.text()) + "] [" +
                          printable(controls.shortcutText.text()) + "]"},
            {"launch", controls.spaceKey.value ? "Space"
                       : controls.tabKey.value ? "Tab"
                       : controls.escKey.value ? "Esc"
                                               : "None"},
            {"Enter", controls.enterAfter.value == 1 ? "Enter" : ""},
            {"caret", "caret " + std::to_string(controls.triggerCaret)},
            {"selected", "selected " + (selected ? std::to_string(*selected) : "none")},
            {"saves", "saves " + std::to_string(saves)},
        };
    };
    const auto shownRows = [&] {
        std::vector<std::string> shown;
        for (std::size_t row = 0; row < list.count(); ++row) {
            shown.push_back(printable(list.entryLine(row)) + "  |  " +
                            printable(list.displayLine(row)));
        }
        return shown;
    };
    std::vector<std::string> rowsBefore = shownRows();
    testing::Facts before;
    std::string out;
    std::istringstream in(words);
    for (std::string word; in >> word;) {
        std::size_t n = 0;
        if (word == "caret" || word == "pick" || word == "select" || word == "key") {
            in >> n;
        }
        const bool command = word == "select" || word == "key" || word == "add" ||
                             word == "delete" || word == "clear" || word == "samples";
        if (command && before.empty()) {
            before = facts();  // the script's own settings are not its changes
        }
        if (word == "Space" || word == "Tab" || word == "Esc" || word == "None") {
            controls.spaceKey.value = word == "Space";
            controls.tabKey.value = word == "Tab";
            controls.escKey.value = word == "Esc";
        } else if (word == "Enter") {
            controls.enterAfter.value = 1;
        } else if (word == "caret") {
            controls.triggerCaret = static_cast<int>(n);
        } else if (word == "yes" || word == "no") {
            dialogs.answers.push_back(word == "yes" ? MessageAnswer::Yes : MessageAnswer::No);
        } else if (word == "pick" || word == "select") {
            word == "pick" ? list.select(n) : editor.selectEntry(n);
        } else if (word == "key") {
            out +=
                editor.captureFunctionKey(static_cast<int>(n)) ? "  key taken\n" : "  key left\n";
        } else if (word == "add" || word == "delete" || word == "clear" || word == "samples") {
            word == "add"      ? static_cast<void>(editor.addShortcut())
            : word == "delete" ? editor.deleteSelected()
            : word == "clear"  ? editor.deleteAll()
                               : editor.offerSamples();
        } else {
            ADD_FAILURE() << "unknown word " << word;
        }
    }
    out = "== " +
          testing::stepLine("[" + trigger + "] [" + text + "] " + words,
                            testing::changed(before, facts())) +
          out + testing::toldSince(dialogs);
    std::string added;
    for (const std::string& row : shownRows()) {
        const auto kept = std::ranges::find(rowsBefore, row);
        kept != rowsBefore.end() ? void(rowsBefore.erase(kept))
                                 : void(added += "  + " + row + "\n");
    }
    for (const std::string& gone : rowsBefore) {
        out += "  - " + gone + "\n";
    }
    return out + added;
}

// Add refuses empty boxes; a separator or Ctrl+A the file could not read back,
// and every character of a trigger that no key's name holds (typing could never
// fire it), are named in the message. The list, the boxes and the file stay.
// Added rows: the mode comes from the options, a trigger that starts with a
// function key's name (raw, in either case) and Enter; trigger and text are kept
// exactly as typed, and the separator is fine inside the text (Tab and Enter:
// e2e/ui/ui_e2e.sh). Every character
// some key's name holds is fine in a trigger. Adding replaces every row with
// the same trigger (blanks and case aside) and resets the boxes.
TEST(ShortcutEditor, AddRefusesWhatCouldNotBeReadBackOrTypedAndTakesTheModeFromTheOptions) {
    const std::pair<std::string, std::string> boxes[] = {
        {"", "text"},           {"   ", "text"},           {"", ""},          {"VS", ""},
        {"VS", "   "},          {"a" + Sep + "b", "text"}, {"a\x01", "text"}, {"vs", "one\x01two"},
        {Sep + "\x01", "text"}, {"αβα", "text"},           {"CafÉé", "text"}, {"a|b~ 😀", "text"},
        {"a\tb", "text"},
    };
    // clang-format off
    const std::pair<const char*, const char*> added[] = {
        {"vs", "Space"},       {"vs", "Tab"},           {"vs", "Esc"},          {"vs", "None"},
        {"vs", "Space Enter"}, {"vs", "Esc Enter"},
        {"{F4}", "Space"},     {"{f4}", "Tab"},         {"{F12}", "Esc Enter"}, {"{Fun", "Tab"},
        {" {F4}", "Esc"},      {"{Ctrl}{F9}", "Space"}, {"F4", "Tab"},          {" vs ", "Space"},
        {"!\x22#$%&'(09;=,-", "Space"}, {"./[\x5C]`hijklmnoPQRSTUVWXYZ", "Tab"},
    };
    // clang-format on
    std::string transcript;
    for (const auto& [trigger, text] : boxes) {
        transcript += run({line("{S}", "vs", "old")}, trigger, text, "Tab Enter add");
    }
    for (const auto& [trigger, options] : added) {
        transcript += run({}, trigger, " Ctrl" + Sep + "F9 ", std::string(options) + " add");
    }
    const std::vector<std::string> rows = {
        line("{S}", "AA", "first"),
        line("{S}", "VS", "space one"),
        line("{C}{E}", "  Vs  ", "esc one"),
        "{F} " + Sep + " vS",  // one separator: the trigger is all that follows it
        "VS",                  // no separator: never the same trigger
        line("{S}", "VSX", "longer"),
        line("{T}", "ZZ", "last"),
    };
    transcript += run(rows, "vs", "tab one", "pick 1 caret 2 Tab add");
    testing::expectGolden("shortcut_editor_add.txt", transcript);
}

// A clicked row fills the boxes as the list reads its fields (trigger trimmed,
// the text less one blank); modes without a launch key leave the options as
// they were. A line that cannot be split is reported and the boxes stay.
TEST(ShortcutEditor, SelectEntryLoadsTheRowIntoTheBoxesOrReportsALineItCannotSplit) {
    const std::string entries[] = {
        line("{S}{E}", "TD", "Today is %(date)%"),
        line("{C}", "x", "y"),
        line("{T}", "tt", "a\r\nb"),
        line("{F}{E}", "{F2}", "hi"),
        line("", "nn", "none"),
        "{S} " + Sep + "   pad  " + Sep + "   text ",
        "no separator here",
        "{S} " + Sep + " only one",
    };
    std::string transcript;
    for (const std::string& entry : entries) {
        // The blank first row sorts before every entry: the entry is row 1.
        transcript += run({" " + line("{S}", "aaa", "first"), entry}, "kept", "kept too",
                          "Tab Enter select 1");
    }
    testing::expectGolden("shortcut_editor_select.txt", transcript);
}

// F1 to F12 pressed in the trigger box name themselves there; other keys are left.
// Deletes ask first; only Yes with a row selected removes, resets the boxes and
// saves. Samples ask first; Yes adds the thirteen samples to the list, explained
// in two messages, and saves nothing.
TEST(ShortcutEditor, FunctionKeysDeletesAndSamples) {
    std::string transcript;
    for (const char* key : {"key 111", "key 112", "key 121", "key 123", "key 124"}) {
        transcript += run({}, "abc", "", std::string("caret 1 ") + key);
    }
    const std::vector<std::string> rows = {line("{S}", "aa", "one"), line("{S}", "bb", "two"),
                                           line("{S}", "cc", "three")};
    for (const char* deletion : {"pick 1 no delete", "yes delete", "pick 2 yes delete",
                                 "pick 0 yes delete", "pick 1 no clear", "yes clear"}) {
        transcript += run(rows, "kept", "kept too", std::string("Esc Enter caret 2 ") + deletion);
    }
    for (const char* answer : {"no samples", "yes samples"}) {
        transcript += run({line("{S}", "aa", "mine")}, "", "", answer);
    }
    testing::expectGolden("shortcut_editor_keys_deletes_samples.txt", transcript);
}

}  // namespace
}  // namespace quorvel
