#include "editor/shortcut_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "editor/samples.h"
#include "engine/shortcut_entry.h"
#include "support/readback.h"
#include "tests/doubles/fake_dialogs.h"

namespace quorvel {
namespace {

const std::string Sep = "\xC2\xAF";

enum class Option { Space, Tab, Esc, None };
using enum Option;

struct Rig {
    EditorControls controls;
    ShortcutList list;
    FakeDialogs dialogs;
    int saves = 0;
    ShortcutEditor editor{controls, list, dialogs, [this] { ++saves; }};

    void fill(const std::string& trigger, const std::string& text, Option option = Space,
              bool enter = false) {
        controls.triggerBox.setText(trigger);
        controls.shortcutText.setText(text);
        controls.spaceKey.value = option == Space;
        controls.tabKey.value = option == Tab;
        controls.escKey.value = option == Esc;
        controls.enterAfter.value = enter ? 1 : 0;
    }
    void add(const std::string& trigger, const std::string& text, Option option = Space,
             bool enter = false) {
        fill(trigger, text, option, enter);
        editor.addShortcut();
    }
    std::vector<std::string> entries() const { return testing::entryLines(list); }
    // Empty boxes with the caret at the start, Space, no Enter, no row selected.
    bool isReset() const {
        return boxesHold("", "", Space, 0) && controls.triggerCaret == 0 && !list.selectedIndex();
    }
    bool boxesHold(const std::string& trigger, const std::string& text, Option option,
                   int check) const {
        return controls.triggerBox.text() == trigger && controls.shortcutText.text() == text &&
               controls.spaceKey.value == (option == Space) &&
               controls.tabKey.value == (option == Tab) &&
               controls.escKey.value == (option == Esc) && controls.enterAfter.value == check;
    }
};

std::string line(const std::string& mode, const std::string& trigger, const std::string& text) {
    return mode + " " + Sep + " " + trigger + " " + Sep + " " + text;
}

// An empty box gets its own message; a separator or Ctrl+A that the file could
// not read back is named in the message, and so is every character of a trigger
// that no key's name holds, since typing could never fire it.
TEST(ShortcutEditor, AddRefusesEmptyBoxesAndWhatCouldNotBeReadBackOrTyped) {
    struct Case {
        std::string trigger;
        std::string text;
        std::string messageStart;
        std::string messageEnd{};
    };
    const std::string LaunchKeys = "Please enter something in the Launch Keys";
    const std::string Letters = "Please enter something in the Shortcut Letters";
    const std::string CannotHold = "The Shortcut Letters cannot hold ";
    const std::string Separator = CannotHold + "the character " + Sep;
    const std::string ControlA =
        "Neither the Shortcut Letters nor the Text String can hold control";
    const std::string RemoveIt = "list. Please remove it and try again.";
    const std::string RemoveCtrlA = "(Ctrl+A). Please remove it and try again.";
    const Case cases[] = {
        {"", "text", LaunchKeys},
        {"   ", "text", LaunchKeys},
        {"", "", LaunchKeys},
        {"VS", "", Letters},
        {"VS", "   ", Letters},
        {"a" + Sep + "b", "text", Separator, RemoveIt},
        {"a\x01", "text", ControlA, RemoveCtrlA},
        {"vs", "one\x01two", ControlA, RemoveCtrlA},
        {Sep + "\x01", "text", Separator,
         "character 1 (Ctrl+A). Please remove them and try again."},
        {"αβα", "text", CannotHold + "\"α\", \"β\": no key is named so"},
        {"CafÉé", "text", CannotHold + "\"É\": no key is named so"},
        {"a|b~ 😀", "text", CannotHold + "\"|\", \"~\", \"😀\": no key is named so"},
        {"a\tb", "text", CannotHold + "\"\t\": no key is named so"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("trigger '" + c.trigger + "' text '" + c.text + "'");
        Rig rig;
        rig.list.add(line("{S}", "vs", "old"));
        rig.fill(c.trigger, c.text, Tab, true);
        rig.editor.addShortcut();

        ASSERT_EQ(rig.dialogs.shown.size(), 1u);
        const std::string& message = rig.dialogs.shown[0].text;
        EXPECT_TRUE(message.starts_with(c.messageStart) && message.ends_with(c.messageEnd))
            << message;
        EXPECT_EQ(rig.entries(), std::vector<std::string>{line("{S}", "vs", "old")});
        EXPECT_EQ(rig.saves, 0);
        EXPECT_TRUE(rig.boxesHold(c.trigger, c.text, Tab, 1));
    }
}

// Trigger and text are stored exactly as typed, blanks and all; the separator
// is fine inside the text, where only the first two split the line. Every
// character some key's name holds is fine in a trigger, whatever its case.
TEST(ShortcutEditor, AddTakesTheModeFromOptionsFunctionKeysAndEnter) {
    struct Case {
        std::string trigger;
        Option option;
        bool enter;
        std::string mode;
    };
    const Case cases[] = {
        {"vs", Space, false, "{S}"},      {"vs", Tab, false, "{T}"},
        {"vs", Esc, false, "{C}"},        {"vs", None, false, ""},
        {"vs", Space, true, "{S}{E}"},    {"vs", None, true, "{E}"},
        {"vs", Tab, true, "{T}{E}"},      {"vs", Esc, true, "{C}{E}"},
        {"{F4}", Space, false, "{F}"},    {"{f4}", Tab, false, "{F}"},
        {"{F12}", Esc, true, "{F}{E}"},   {"{Fun", Tab, false, "{F}"},
        {" {F4}", Esc, false, "{C}"},     {"{Ctrl}{F9}", Space, false, "{S}"},
        {"F4", Tab, false, "{T}"},        {" vs ", Space, false, "{S}"},
        {"!\x22#$", Space, false, "{S}"}, {"%&'(", Tab, false, "{T}"},
        {"09;=,-", Space, false, "{S}"},  {"./[\x5C]", Tab, false, "{T}"},
        {"`hijklmno", Esc, false, "{C}"}, {"PQRSTUVWXYZ", None, false, ""},
    };
    const std::string text = " Ctrl" + Sep + "F9 ";
    for (const auto& c : cases) {
        SCOPED_TRACE("trigger '" + c.trigger + "'");
        Rig rig;
        rig.add(c.trigger, text, c.option, c.enter);
        EXPECT_EQ(rig.entries(), std::vector<std::string>{line(c.mode, c.trigger, text)});
        EXPECT_EQ(rig.list.displayLine(0), c.mode + " - " + c.trigger + " -  Ctrl" + Sep + "F9 ");
        EXPECT_TRUE(rig.dialogs.shown.empty());
    }
}

TEST(ShortcutEditor, AddReplacesEveryRowWithTheSameTriggerThenResetsAndSavesOnce) {
    Rig rig;
    rig.list.add(line("{S}", "AA", "first"));
    rig.list.add(line("{S}", "VS", "space one"));
    rig.list.add(line("{C}{E}", "  Vs  ", "esc one"));
    rig.list.add("{F} " + Sep + " vS");  // one separator: the trigger is all that follows it
    rig.list.add("VS");                  // no separator: never the same trigger
    rig.list.add(line("{S}", "VSX", "longer"));
    rig.list.add(line("{T}", "ZZ", "last"));
    rig.editor.selectEntry(1);
    rig.controls.triggerCaret = 2;

    rig.add("vs", "tab one", Tab);

    EXPECT_EQ(rig.entries(), (std::vector<std::string>{
                                 "VS",
                                 line("{S}", "AA", "first"),
                                 line("{S}", "VSX", "longer"),
                                 line("{T}", "vs", "tab one"),
                                 line("{T}", "ZZ", "last"),
                             }));
    EXPECT_TRUE(rig.isReset());
    EXPECT_EQ(rig.saves, 1);
}

// The boxes hold "kept", "kept too", Tab and Enter before each row is selected.
TEST(ShortcutEditor, SelectEntryLoadsTheRowIntoTheBoxesOrReportsALineItCannotSplit) {
    struct Case {
        std::string entry;
        std::string trigger;  // "kept": the line is reported as invalid
        std::string text;
        Option option;
        int check;
    };
    const Case cases[] = {
        {line("{S}{E}", "TD", "Today is %(date)%"), "TD", "Today is %(date)%", Space, 1},
        {line("{C}", "x", "y"), "x", "y", Esc, 0},
        {line("{T}", "tt", "a\r\nb"), "tt", "a\r\nb", Tab, 0},
        // Modes without a launch key leave the options as they were.
        {line("{F}{E}", "{F2}", "hi"), "{F2}", "hi", Tab, 1},
        {line("", "nn", "none"), "nn", "none", Tab, 0},
        // Fields as the list reads them: trigger trimmed, text keeps all but one blank.
        {"{S} " + Sep + "   pad  " + Sep + "   text ", "pad", "  text ", Space, 0},
        {"no separator here", "kept", "kept too", Tab, 1},
        {"{S} " + Sep + " only one", "kept", "kept too", Tab, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        Rig rig;
        rig.list.add(line("{S}", "aaa", "first"));
        rig.list.add(c.entry);
        rig.fill("kept", "kept too", Tab, true);
        const std::size_t row = rig.list.entryLine(0) == c.entry ? 0 : 1;

        rig.editor.selectEntry(row);

        EXPECT_EQ(rig.list.selectedIndex(), std::optional<std::size_t>(row));
        EXPECT_TRUE(rig.boxesHold(c.trigger, c.text, c.option, c.check));
        EXPECT_EQ(testing::shownTexts(rig.dialogs),
                  c.trigger == "kept" ? std::vector<std::string>{"Invalid: " + c.entry}
                                      : std::vector<std::string>{});
    }
}

TEST(ShortcutEditor, CaptureFunctionKeyNamesTheKeyInTheTriggerBox) {
    // "abc": the key is not taken.
    for (const auto& [keyCode, box] : {std::pair<int, std::string>{111, "abc"},
                                       {112, "{F1}"},
                                       {121, "{F10}"},
                                       {123, "{F12}"},
                                       {124, "abc"}}) {
        SCOPED_TRACE(keyCode);
        Rig rig;
        rig.controls.triggerBox.setText("abc");
        rig.controls.triggerCaret = 1;
        EXPECT_EQ(rig.editor.captureFunctionKey(keyCode), box != "abc");
        EXPECT_EQ(rig.controls.triggerBox.text(), box);
        EXPECT_EQ(rig.controls.triggerCaret, box == "abc" ? 1 : static_cast<int>(box.size()));
    }
}

// A delete asks first; only Yes with a row selected removes, resets the editor
// and saves.
TEST(ShortcutEditor, DeletesAskFirst) {
    struct Case {
        const char* name;
        bool all;
        std::optional<std::size_t> selected;
        MessageAnswer answer;
        std::size_t messages;
        std::size_t rowsAfter;
    };
    const Case cases[] = {
        {"answered No", false, 1, MessageAnswer::No, 1, 3},
        {"nothing selected", false, std::nullopt, MessageAnswer::Yes, 2, 3},
        {"third row", false, 2, MessageAnswer::Yes, 1, 2},
        {"first row", false, 0, MessageAnswer::Yes, 1, 2},
        {"all, answered No", true, 1, MessageAnswer::No, 1, 3},
        {"all", true, std::nullopt, MessageAnswer::Yes, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.list.add(line("{S}", "aa", "one"));
        rig.list.add(line("{S}", "bb", "two"));
        rig.list.add(line("{S}", "cc", "three"));
        rig.list.select(c.selected);
        const std::string removed(c.selected ? rig.list.entryLine(*c.selected) : "");
        rig.fill("kept", "kept too", Esc, true);
        rig.controls.triggerCaret = 2;
        rig.dialogs.answers.push_back(c.answer);

        c.all ? rig.editor.deleteAll() : rig.editor.deleteSelected();

        ASSERT_EQ(rig.dialogs.shown.size(), c.messages);
        EXPECT_EQ(rig.dialogs.shown[0].buttons, MessageButtons::YesNoDefaultNo);
        EXPECT_EQ(rig.list.count(), c.rowsAfter);
        const bool changed = c.rowsAfter < 3;
        EXPECT_EQ(rig.saves, changed ? 1 : 0);
        EXPECT_TRUE(changed ? rig.isReset() : rig.boxesHold("kept", "kept too", Esc, 1));
        EXPECT_EQ(std::ranges::count(rig.entries(), removed), changed || !c.selected ? 0 : 1);
    }
}

// The Samples button asks first. Yes adds the thirteen samples to what the list
// holds, each with its display line made from its entry line, and explains them
// in two messages; nothing is saved either way.
TEST(Samples, ButtonAsksFirstThenAddsEverySampleWithoutSaving) {
    const std::string mine = line("{S}", "aa", "mine");
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        const bool yes = answer == MessageAnswer::Yes;
        SCOPED_TRACE(yes ? "Yes" : "No");
        Rig rig;
        rig.list.add(mine);
        rig.dialogs.answers.push_back(answer);

        rig.editor.offerSamples();

        ASSERT_EQ(rig.dialogs.shown.size(), yes ? 3u : 1u);
        EXPECT_EQ(rig.dialogs.shown[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(rig.saves, 0);
        ASSERT_EQ(rig.list.count(), yes ? 14u : 1u);
        EXPECT_TRUE(rig.list.contains(mine));
        for (const ShortcutEntry& sample : sampleEntries()) {
            EXPECT_EQ(rig.list.contains(formatEntryLine(sample)), yes);
        }
        for (std::size_t row = 0; row < rig.list.count(); ++row) {
            EXPECT_EQ(rig.list.displayLine(row), displayFromEntryLine(rig.list.entryLine(row)));
        }
    }
}

}  // namespace
}  // namespace quorvel
