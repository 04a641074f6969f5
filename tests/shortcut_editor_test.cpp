#include "editor/shortcut_editor.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/shortcut_entry.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_event_pump.h"
#include "support/readback.h"

namespace quorvel {
namespace {

const std::string Sep = "\xC2\xAF";

const std::string LaunchKeysMissing = "Please enter something in the Launch Keys text box";
const std::string TextMissing =
    "Please enter something in the Shortcut Letters text box.\r\n\r\n"
    "For Example you can enter VS then every time you type VS and hit the spacebar it can send "
    "the associated text to the keyboard.\r\n"
    "Or you can hit a function in the box, like the {F4} Key and every time you hit the {F4} Key "
    "the associated text will be sent to the keyboard";
const std::string NothingSelected = "Please Select an item to remove then click the clear button";
const std::string ClearSelectedQuestion =
    "Are you sure you would like to clear the selected hotkey?";
const std::string ClearAllQuestion = "Are you sure you would like to clear all?";

enum class Option { Space, Tab, Esc, None };

struct Rig {
    EditorControls controls;
    ShortcutList list;
    FakeDialogs dialogs;
    FakeEventPump events;
    int saves = 0;
    ShortcutEditor editor{controls, list, dialogs, events, [this] { ++saves; }};

    void choose(Option option) {
        controls.Opt1.value = option == Option::Space;
        controls.Opt2.value = option == Option::Tab;
        controls.Opt4.value = option == Option::Esc;
    }
    void fill(const std::string& trigger, const std::string& text, Option option = Option::Space,
              bool enter = false) {
        controls.TextData10.setText(trigger);
        controls.Text7.setText(text);
        choose(option);
        controls.Check2.value = enter ? 1 : 0;
    }
    void add(const std::string& trigger, const std::string& text, Option option = Option::Space,
             bool enter = false) {
        fill(trigger, text, option, enter);
        editor.addShortcut();
    }
    // Puts a line in the list as a file would, display line derived from it.
    void put(const std::string& entryLine) { list.add(entryLine, displayFromEntryLine(entryLine)); }
    std::vector<std::string> entries() const { return testing::entryLines(list); }
    // The state resetEditor leaves.
    bool isReset() const {
        return controls.TextData10.text().empty() && controls.Text7.text().empty() &&
               controls.Opt1.value && !controls.Opt2.value && !controls.Opt4.value &&
               controls.Check2.value == 0;
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
        std::string message;  // empty: the message names the characters below
        bool separatorNamed = false;
        bool controlANamed = false;
        std::string untypeable{};
    };
    const Case cases[] = {
        {"", "text", LaunchKeysMissing},
        {"   ", "text", LaunchKeysMissing},
        {"", "", LaunchKeysMissing},
        {"VS", "", TextMissing},
        {"VS", "   ", TextMissing},
        {"a" + Sep + "b", "text", "", true, false},
        {"a\x01", "text", "", false, true},
        {"vs", "one\x01two", "", false, true},
        {Sep + "\x01", "text", "", true, true},
        {"αβα", "text", "", false, false, "\"α\", \"β\""},
        {"CafÉé", "text", "", false, false, "\"É\""},
        {"a|b~ 😀", "text", "", false, false, "\"|\", \"~\", \"😀\""},
        {"a\tb", "text", "", false, false, "\"\t\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("trigger '" + c.trigger + "' text '" + c.text + "'");
        Rig rig;
        rig.put(line("{S}", "vs", "old"));
        rig.fill(c.trigger, c.text, Option::Tab, true);
        rig.editor.addShortcut();

        ASSERT_EQ(rig.dialogs.shown.size(), 1u);
        const std::string& message = rig.dialogs.shown[0].text;
        if (!c.message.empty()) {
            EXPECT_EQ(message, c.message);
        } else if (!c.untypeable.empty()) {
            EXPECT_TRUE(message.starts_with("The Shortcut Letters cannot hold " + c.untypeable +
                                            ": no key is named so"))
                << message;
        } else {
            EXPECT_EQ(message.find("character " + Sep) != std::string::npos, c.separatorNamed)
                << message;
            EXPECT_EQ(message.find("control character 1") != std::string::npos, c.controlANamed)
                << message;
            const bool both = c.separatorNamed && c.controlANamed;
            EXPECT_TRUE(message.ends_with(both ? " Please remove them and try again."
                                               : ". Please remove it and try again."))
                << message;
        }
        EXPECT_EQ(rig.dialogs.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(rig.dialogs.shown[0].caption, "Quorvel");
        EXPECT_EQ(rig.entries(), std::vector<std::string>{line("{S}", "vs", "old")});
        EXPECT_EQ(rig.saves, 0);
        EXPECT_EQ(rig.events.doEventsCalls(), 0);
        // The boxes stay as they were, so the user can complete them.
        EXPECT_EQ(rig.controls.TextData10.text(), c.trigger);
        EXPECT_EQ(rig.controls.Text7.text(), c.text);
        EXPECT_TRUE(rig.controls.Opt2.value);
        EXPECT_EQ(rig.controls.Check2.value, 1);
        EXPECT_TRUE(rig.controls.Command8.enabled);
    }

    // Every character some key's name holds is fine, whatever its case.
    for (const char* typeable :
         {"!\"#$%&'(", "`jklmnoPQRSTUVWXYZ", "09;=,-./[\\]", "{Ctrl}{Shift}{F9}"}) {
        Rig rig;
        rig.add(typeable, "text");
        EXPECT_TRUE(rig.dialogs.shown.empty()) << typeable;
    }

    // The separator is fine inside the text: only the first two split the line.
    Rig rig;
    rig.add("ab", "Ctrl" + Sep + "F9");
    EXPECT_TRUE(rig.dialogs.shown.empty());
    ASSERT_EQ(rig.list.count(), 1u);
    const auto parsed = parseEntryLine(rig.list.entryLine(0));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->text, "Ctrl" + Sep + "F9");
    EXPECT_EQ(rig.list.displayLine(0), "{S} - ab - Ctrl" + Sep + "F9");
}

TEST(ShortcutEditor, AddReplacesEveryRowWithTheSameTrigger) {
    Rig rig;
    rig.put(line("{S}", "AA", "first"));
    rig.put(line("{S}", "VS", "space one"));
    rig.put(line("{C}{E}", "  Vs  ", "esc one"));
    rig.put("{F} " + Sep + " vS");  // one separator: the trigger is all that follows it
    rig.put("VS");                  // no separator: never the same trigger
    rig.put(line("{S}", "VSX", "longer"));
    rig.put(line("{T}", "ZZ", "last"));

    rig.add("vs", "tab one", Option::Tab);

    EXPECT_EQ(rig.entries(), (std::vector<std::string>{
                                 "VS",
                                 line("{S}", "AA", "first"),
                                 line("{S}", "VSX", "longer"),
                                 line("{T}", "vs", "tab one"),
                                 line("{T}", "ZZ", "last"),
                             }));
    EXPECT_EQ(rig.list.displayLine(3), "{T} - vs - tab one");
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

// Trigger and text are stored exactly as typed, blanks and all.
TEST(ShortcutEditor, AddTakesTheModeFromOptionsFunctionKeysAndEnter) {
    struct Case {
        std::string trigger;
        Option option;
        bool enter;
        std::string mode;
    };
    const Case cases[] = {
        {"vs", Option::Space, false, "{S}"},    {"vs", Option::Tab, false, "{T}"},
        {"vs", Option::Esc, false, "{C}"},      {"vs", Option::None, false, ""},
        {"vs", Option::Space, true, "{S}{E}"},  {"vs", Option::None, true, "{E}"},
        {"{F4}", Option::Space, false, "{F}"},  {"{f4}", Option::Tab, false, "{F}"},
        {"{F12}", Option::Esc, true, "{F}{E}"}, {"{Fun", Option::Tab, false, "{F}"},
        {" {F4}", Option::Esc, false, "{C}"},   {"{Ctrl}{F9}", Option::Space, false, "{S}"},
        {"F4", Option::Tab, false, "{T}"},      {" vs ", Option::Space, false, "{S}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("trigger '" + c.trigger + "'");
        Rig rig;
        rig.add(c.trigger, " some text ", c.option, c.enter);
        ASSERT_EQ(rig.list.count(), 1u);
        EXPECT_EQ(rig.list.entryLine(0), line(c.mode, c.trigger, " some text "));
        EXPECT_EQ(rig.list.displayLine(0), c.mode + " - " + c.trigger + " -  some text ");
        EXPECT_TRUE(rig.dialogs.shown.empty());
    }
}

TEST(ShortcutEditor, EveryChangeResetsTheEditorAndSavesOnce) {
    struct Case {
        const char* name;
        std::function<void(Rig&)> act;
        std::size_t rowsAfter;
    };
    const Case cases[] = {
        {"add",
         [](Rig& rig) {
             rig.editor.selectEntry(2);
             rig.fill("{F4}", "text", Option::Esc, true);
             rig.editor.addShortcut();
         },
         4},
        {"delete selected",
         [](Rig& rig) {
             rig.editor.selectEntry(1);
             rig.choose(Option::Tab);
             rig.dialogs.answers.push_back(MessageAnswer::Yes);
             rig.editor.deleteSelected();
         },
         2},
        {"delete all",
         [](Rig& rig) {
             rig.fill("xy", "text", Option::Esc, true);
             rig.dialogs.answers.push_back(MessageAnswer::Yes);
             rig.editor.deleteAll();
         },
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.put(line("{S}", "aa", "one"));
        rig.put(line("{C}{E}", "bb", "two"));
        rig.put(line("{T}", "cc", "three"));
        rig.controls.TextData10Caret = 2;

        c.act(rig);

        EXPECT_EQ(rig.list.count(), c.rowsAfter);
        EXPECT_TRUE(rig.isReset());
        EXPECT_EQ(rig.controls.TextData10Caret, 0);
        EXPECT_EQ(rig.saves, 1);
        EXPECT_FALSE(rig.list.selectedIndex());
    }
}

TEST(ShortcutEditor, AddDisablesTheAddButtonWhileItScans) {
    Rig rig;
    rig.put(line("{S}", "aa", "one"));
    rig.put(line("{S}", "vs", "two"));
    rig.put(line("{S}", "zz", "three"));
    std::vector<bool> enabledSeen;
    for (int n = 1; n <= 3; ++n) {
        rig.events.atDoEvents(n, [&] { enabledSeen.push_back(rig.controls.Command8.enabled); });
    }
    int savesSeenEnabled = -1;
    ShortcutEditor editor(rig.controls, rig.list, rig.dialogs, rig.events,
                          [&] { savesSeenEnabled = rig.controls.Command8.enabled ? 1 : 0; });
    rig.fill("VS", "new");
    editor.addShortcut();

    // One DoEvents before each row, the removed row's successor included.
    EXPECT_EQ(rig.events.doEventsCalls(), 3);
    EXPECT_EQ(enabledSeen, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(savesSeenEnabled, 0);
    EXPECT_TRUE(rig.controls.Command8.enabled);
    EXPECT_EQ(rig.list.count(), 3u);
}

// A second click on "Add ShortCut" that arrives while the first Add scans,
// after the scan has passed the new row's place, is refused: the entry is
// added once and saved once.
TEST(ShortcutEditor, AddRefusesASecondClickWhileItRuns) {
    Rig rig;
    for (const char* trigger : {"aa", "vs", "yy", "zz"}) {
        rig.put(line("{S}", trigger, "old"));
    }
    rig.events.atDoEvents(4, [&] { rig.editor.Command8_Click(); });
    rig.add("VS", "new");
    EXPECT_EQ(rig.list.count(), 4u);
    EXPECT_EQ(rig.list.entryLine(1), line("{S}", "VS", "new"));
    EXPECT_EQ(rig.saves, 1);
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(ShortcutEditor, AddFollowsTheListWhenEventsChangeItMidScan) {
    const std::string a = line("{S}", "aa", "one");
    const std::string b = line("{S}", "bb", "two");
    const std::string vs = line("{S}", "vs", "three");
    const std::string z = line("{S}", "zz", "four");
    const std::string added = line("{S}", "VS", "new");
    struct Case {
        const char* name;
        int atCall;
        std::function<void(Rig&)> event;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {"list cleared", 2, [](Rig& rig) { rig.list.clear(); }, {added}},
        {"last rows removed",
         4,
         [](Rig& rig) {
             rig.list.removeAt(2);
             rig.list.removeAt(1);
         },
         {a, added}},
        {"row above removed", 2, [](Rig& rig) { rig.list.removeAt(0); }, {b, added, z}},
        {"same trigger added below",
         1,
         [](Rig& rig) { rig.put(line("{T}", "Vs", "tab")); },
         {a, b, added, z}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        for (const auto& entry : {a, b, vs, z}) {
            rig.put(entry);
        }
        rig.events.atDoEvents(c.atCall, [&] { c.event(rig); });
        rig.add("VS", "new");
        EXPECT_EQ(rig.entries(), c.after);
        EXPECT_EQ(rig.saves, 1);
    }
}

TEST(ShortcutEditor, SelectEntryLoadsTheRowIntoTheBoxes) {
    struct Case {
        std::string entry;
        Option before;
        int checkBefore;
        std::string trigger;
        std::string text;
        Option after;
        int checkAfter;
    };
    const Case cases[] = {
        {line("{S}{E}", "TD", "Today is %(date)%"), Option::Tab, 0, "TD", "Today is %(date)%",
         Option::Space, 1},
        {line("{C}", "x", "y"), Option::Space, 1, "x", "y", Option::Esc, 0},
        {line("{T}{E}", "tt", "a\r\nb"), Option::Esc, 0, "tt", "a\r\nb", Option::Tab, 1},
        {line("{F}", "{F4}", "hi"), Option::Tab, 1, "{F4}", "hi", Option::Tab, 0},
        {line("{F}{E}", "{F2}", "hi"), Option::Esc, 0, "{F2}", "hi", Option::Esc, 1},
        {line("", "nn", "none"), Option::Tab, 1, "nn", "none", Option::Tab, 0},
        // Fields as the list reads them: trigger trimmed, text keeps all but one blank.
        {"{S} " + Sep + "   pad  " + Sep + "   text ", Option::Tab, 0, "pad", "  text ",
         Option::Space, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        Rig rig;
        rig.put(line("{S}", "aaa", "first"));
        rig.put(c.entry);
        rig.choose(c.before);
        rig.controls.Check2.value = c.checkBefore;
        const std::size_t row = rig.list.entryLine(0) == c.entry ? 0 : 1;

        rig.editor.selectEntry(row);

        EXPECT_EQ(rig.list.selectedIndex(), std::optional<std::size_t>(row));
        EXPECT_EQ(rig.controls.TextData10.text(), c.trigger);
        EXPECT_EQ(rig.controls.Text7.text(), c.text);
        EXPECT_EQ(rig.controls.Opt1.value, c.after == Option::Space);
        EXPECT_EQ(rig.controls.Opt2.value, c.after == Option::Tab);
        EXPECT_EQ(rig.controls.Opt4.value, c.after == Option::Esc);
        EXPECT_EQ(rig.controls.Check2.value, c.checkAfter);
        EXPECT_TRUE(rig.dialogs.shown.empty());
    }
}

TEST(ShortcutEditor, SelectEntryReportsALineItCannotSplit) {
    for (const std::string& bad : {std::string("no separator here"), "{S} " + Sep + " only one"}) {
        SCOPED_TRACE(bad);
        Rig rig;
        rig.put(bad);
        rig.fill("kept", "kept too", Option::Tab, true);

        rig.editor.selectEntry(0);

        ASSERT_EQ(rig.dialogs.shown.size(), 1u);
        EXPECT_EQ(rig.dialogs.shown[0].text, "Invalid: " + bad);
        EXPECT_EQ(rig.dialogs.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(rig.dialogs.shown[0].caption, "Quorvel");
        EXPECT_EQ(rig.controls.TextData10.text(), "kept");
        EXPECT_EQ(rig.controls.Text7.text(), "kept too");
        EXPECT_TRUE(rig.controls.Opt2.value);
        EXPECT_EQ(rig.controls.Check2.value, 1);
    }
}

TEST(ShortcutEditor, CaptureFunctionKeyNamesTheKeyInTheTriggerBox) {
    struct Case {
        int keyCode;
        bool handled;
        std::string box;
        int caret;
    };
    const Case cases[] = {
        {112, true, "{F1}", 4},  {115, true, "{F4}", 4}, {121, true, "{F10}", 5},
        {123, true, "{F12}", 5}, {111, false, "abc", 1}, {124, false, "abc", 1},
        {65, false, "abc", 1},   {17, false, "abc", 1},  {13, false, "abc", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyCode);
        Rig rig;
        rig.controls.TextData10.setText("abc");
        rig.controls.TextData10Caret = 1;
        EXPECT_EQ(rig.editor.captureFunctionKey(c.keyCode), c.handled);
        EXPECT_EQ(rig.controls.TextData10.text(), c.box);
        EXPECT_EQ(rig.controls.TextData10Caret, c.caret);
    }
}

TEST(ShortcutEditor, DeletesAskFirst) {
    struct Case {
        const char* name;
        bool all;
        std::optional<std::size_t> selected;
        MessageAnswer answer;
        std::vector<std::string> messages;
        std::size_t rowsAfter;
        int saves;
        int doEvents;
    };
    const Case cases[] = {
        {"answered No", false, 1, MessageAnswer::No, {ClearSelectedQuestion}, 3, 0, 0},
        {"nothing selected",
         false,
         std::nullopt,
         MessageAnswer::Yes,
         {ClearSelectedQuestion, NothingSelected},
         3,
         0,
         3},
        {"third row", false, 2, MessageAnswer::Yes, {ClearSelectedQuestion}, 2, 1, 3},
        {"first row", false, 0, MessageAnswer::Yes, {ClearSelectedQuestion}, 2, 1, 1},
        {"all, answered No", true, 1, MessageAnswer::No, {ClearAllQuestion}, 3, 0, 0},
        {"all", true, std::nullopt, MessageAnswer::Yes, {ClearAllQuestion}, 0, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.put(line("{S}", "aa", "one"));
        rig.put(line("{S}", "bb", "two"));
        rig.put(line("{S}", "cc", "three"));
        rig.list.select(c.selected);
        const std::string removed(c.selected ? rig.list.entryLine(*c.selected) : "");
        rig.fill("kept", "kept too", Option::Esc, true);
        rig.dialogs.answers.push_back(c.answer);

        if (c.all) {
            rig.editor.deleteAll();
        } else {
            rig.editor.deleteSelected();
        }

        EXPECT_EQ(testing::shownTexts(rig.dialogs), c.messages);
        EXPECT_EQ(rig.dialogs.shown[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(rig.dialogs.shown[0].caption, "Quorvel");
        EXPECT_EQ(rig.list.count(), c.rowsAfter);
        EXPECT_EQ(rig.saves, c.saves);
        EXPECT_EQ(rig.events.doEventsCalls(), c.doEvents);
        EXPECT_EQ(rig.isReset(), c.saves == 1);
        if (c.saves == 0) {
            EXPECT_EQ(rig.controls.TextData10.text(), "kept");
            EXPECT_TRUE(rig.controls.Opt4.value);
        } else {
            for (const auto& entry : rig.entries()) {
                EXPECT_NE(entry, removed);
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
