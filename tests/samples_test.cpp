#include "editor/samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/shortcut_editor.h"
#include "engine/shortcut_entry.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_event_pump.h"
#include "support/readback.h"

namespace quorvel {
namespace {

// The Samples button asks first. Yes adds the thirteen samples to what the list
// holds, each with its display line made from its entry line, and explains them
// in two messages; nothing is saved either way.
TEST(Samples, ButtonAsksFirstThenAddsEverySampleWithoutSaving) {
    const std::string mine = "{S} \xC2\xAF aa \xC2\xAF mine";
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        const bool yes = answer == MessageAnswer::Yes;
        SCOPED_TRACE(yes ? "Yes" : "No");
        EditorControls controls;
        ShortcutList list;
        FakeDialogs dialogs;
        FakeEventPump events;
        int saves = 0;
        ShortcutEditor editor(controls, list, dialogs, events, [&] { ++saves; });
        list.add(mine, displayFromEntryLine(mine));
        dialogs.answers.push_back(answer);

        editor.Command2_Click();

        ASSERT_EQ(dialogs.shown.size(), yes ? 3u : 1u);
        EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(saves, 0);
        std::vector<std::string> expected{mine};
        if (yes) {
            for (const ShortcutEntry& sample : sampleEntries()) {
                expected.push_back(formatEntryLine(sample));
            }
        }
        ASSERT_EQ(expected.size(), yes ? 14u : 1u);
        std::vector<std::string> lines = testing::entryLines(list);
        std::ranges::sort(lines);
        std::ranges::sort(expected);
        EXPECT_EQ(lines, expected);
        for (std::size_t row = 0; row < list.count(); ++row) {
            EXPECT_EQ(list.displayLine(row), displayFromEntryLine(list.entryLine(row)));
        }
        EXPECT_FALSE(list.selectedIndex());
    }
}

}  // namespace
}  // namespace quorvel
