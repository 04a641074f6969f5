#include "editor/samples.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "editor/shortcut_editor.h"
#include "engine/product_info.h"
#include "engine/shortcut_entry.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_event_pump.h"
#include "support/readback.h"

namespace quorvel {
namespace {

const std::string Sep = "\xC2\xAF";

const std::string SamplesLoaded =
    "Open Notepad to test the Sample Keys. \r\n\r\n"
    "The F11 Hot Key will Check or UnCheck Check Boxes that are in a Column or a row. You May "
    "have to add extra tabs depending on the Data After each check box.\r\n\r\n"
    "If you need more help making Hotkeys then send an email to " +
    std::string(product::SupportEmail);
const std::string SamplesEditable =
    "You can click and then edit these samples. Then click the Add ShortCut Button to use it.";

TEST(Samples, FillBothListsInOrder) {
    ShortcutList list;
    FakeDialogs dialogs;
    loadSamples(list, dialogs);

    struct Row {
        std::string mode;
        std::string trigger;
    };
    const Row expected[] = {
        {"{F}", "{Alt}{F9}"}, {"{F}", "{Ctrl}{F9}"}, {"{F}", "{Ctrl}{Shift}{F9}"},
        {"{F}", "{F10}"},     {"{F}", "{F11}"},      {"{F}", "{F2}"},
        {"{F}", "{F4}"},      {"{F}", "{F9}"},       {"{F}", "{Shift}{F9}"},
        {"{S}", "SI"},        {"{S}", "SP"},         {"{S}{E}", "TD"},
        {"{T}", "CU"},
    };
    ASSERT_EQ(list.count(), std::size(expected));
    for (std::size_t i = 0; i < list.count(); ++i) {
        SCOPED_TRACE(i);
        const auto fields = splitEntryLine(list.entryLine(i));
        ASSERT_TRUE(fields);
        EXPECT_EQ(fields->mode, expected[i].mode);
        EXPECT_EQ(fields->trigger, expected[i].trigger);
        EXPECT_EQ(list.displayLine(i), displayFromEntryLine(list.entryLine(i)));
        EXPECT_EQ(list.displayLine(i).find(Sep), std::string_view::npos);
    }
    EXPECT_EQ(list.displayLine(1),
              "{F} - {Ctrl}{F9} - This is a sample of Ctrl-F9 \r\nI hope you like it");
    EXPECT_EQ(list.entryLine(1), "{F} " + Sep + " {Ctrl}{F9} " + Sep + " This is a sample of Ctrl" +
                                     Sep + "F9 \r\nI hope you like it");
    EXPECT_FALSE(list.selectedIndex());

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, SamplesLoaded);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.shown[0].caption, "Quorvel");
}

TEST(Samples, EntryLinesReadBackAsTheSamples) {
    const auto samples = sampleEntries();
    ASSERT_EQ(samples.size(), 13u);
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample.trigger);
        const auto parsed = parseEntryLine(formatEntryLine(sample));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(*parsed, sample);
    }
    // The separator inside a text is easy to get subtly wrong.
    EXPECT_EQ(samples[7].text, "This is a sample  of Shift" + Sep + "F9 \r\nI hope you like it");
    EXPECT_EQ(samples[9].text,
              "This is a sample  of Ctrl" + Sep + "Shift" + Sep + "F9\r\nI hope you like it");
}

TEST(Samples, ButtonAsksFirstAndNeverSaves) {
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        const bool yes = answer == MessageAnswer::Yes;
        SCOPED_TRACE(yes ? "Yes" : "No");
        EditorControls controls;
        ShortcutList list;
        FakeDialogs dialogs;
        FakeEventPump events;
        int saves = 0;
        ShortcutEditor editor(controls, list, dialogs, events, [&] { ++saves; });
        list.add("{S} " + Sep + " aa " + Sep + " mine", "{S} - aa - mine");
        dialogs.answers.push_back(answer);

        editor.Command2_Click();

        const std::vector<std::string> expected =
            yes ? std::vector<std::string>{"Load Samples?", SamplesLoaded, SamplesEditable}
                : std::vector<std::string>{"Load Samples?"};
        EXPECT_EQ(testing::shownTexts(dialogs), expected);
        EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(dialogs.shown[0].caption, "Quorvel");
        EXPECT_EQ(list.count(), yes ? 14u : 1u);
        EXPECT_EQ(saves, 0);
    }
}

}  // namespace
}  // namespace quorvel
