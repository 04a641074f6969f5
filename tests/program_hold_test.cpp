#include <gtest/gtest.h>

#include "storage/program_approvals.h"
#include "tests/doubles/fake_settings_store.h"
#include "tests/support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;

// An entry that may start a program fires only as the line approved: held, its
// trigger and launch key stay as typed, nothing starts, and the user is told
// the trigger and the command line. Entries that start nothing need no approval,
// however much they look as if they might.
TEST(ProgramHold, OnlyTheApprovedLineStartsItsProgram) {
    using enum LaunchMode;
    const char* line = R"(C:\tools\marker.exe "a b" x)";
    const std::string run = std::string("%(run=") + line + ")%";
    const std::string heldRun = std::string("td|") + line;
    const ShortcutEntry runs{Space, false, "td", run};
    const ShortcutEntry tabRuns{Tab, false, "td", run};
    const ShortcutEntry changed{Space, false, "td", R"(%(run=C:\tools\marker.exe "a b" y)%)"};
    const ShortcutEntry key{FunctionKey, false, "{F9}", "go%(run=calc.exe)%"};
    const ShortcutEntry plain{Space, false, "hi", "Hello"};
    const ShortcutEntry lookalike{Space, false, "q", "?RUN=1 %(x)%"};
    // Markers that come together as others around them go.
    const ShortcutEntry pieced{Space, false, "p", "%(%(ru)%n=calc.exe)%"};
    const ShortcutEntry emptyClipboard{Space, false, "p", "%%(clipboard text)%(run=calc.exe)%"};
    const ShortcutEntry fullClipboard{Space, false, "p", "%%(clipboard text)%(a%(run=calc.exe)%"};
    struct Case {
        const char* what;
        bool approved;  // the line of `runs` approved
        ShortcutEntry typed;
        const char* keys;
        const char* target;
        const char* started;  // "" for nothing
        std::string told;     // trigger | command line, "" for nothing
    };
    const Case cases[] = {
        {"approved", true, runs, "td ", "", line, ""},
        {"never approved", false, runs, "td ", "td ", "", heldRun},
        {"text changed outside", true, changed, "td x", "td x", "",
         R"(td|C:\tools\marker.exe "a b" y)"},
        {"launch key changed", true, tabRuns, "td\t", "td\t", "", heldRun},
        {"function key", false, key, "{F9}", "", "", "{F9}|calc.exe"},
        {"no run macro", false, plain, "hi ", "Hello", "", ""},
        {"looks like one", false, lookalike, "q ", "?RUN=1 x", "", ""},
        {"pieced together", false, pieced, "p ", "p ", "", "p|calc.exe"},
        {"runs with the clipboard empty", false, emptyClipboard, "p ", "p ", "", "p|calc.exe"},
        {"runs with text on the clipboard", false, fullClipboard, "p ", "p ", "",
         "p|%%(clipboard text)%(a%(run=calc.exe)%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineFixture f;
        FakeSettingsStore settings;
        ProgramApprovals approvals(settings);
        ShortcutList own;
        own.add(formatEntryLine(c.approved ? runs : ShortcutEntry{}));
        approvals.load(own);
        f.engine.keyboard().holdUnapprovedPrograms(approvals);
        std::vector<std::string> told;
        f.engine.keyboard().onProgramHeld = [&](const HeldProgram& held) {
            told.push_back(held.trigger + "|" + held.commandLine);
            EXPECT_EQ(held.entryLine, formatEntryLine(c.typed));
        };
        f.addEntry(c.typed.launchMode, false, c.typed.trigger, c.typed.text);
        f.keys(c.keys);
        EXPECT_EQ(f.keyboard.targetText, c.target);
        EXPECT_EQ(f.programs.started,
                  *c.started ? std::vector<std::string>{c.started} : std::vector<std::string>{});
        EXPECT_EQ(told,
                  c.told.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.told});
    }
}

}  // namespace
}  // namespace quorvel
