#include <gtest/gtest.h>

#include "storage/program_approvals.h"
#include "tests/doubles/fake_settings_store.h"
#include "tests/support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;

// An entry that may start a program fires only as the line approved: held, its
// trigger and launch key stay as typed, nothing starts, and the user is told
// the trigger and the command line. Entries that start nothing need no approval.
TEST(ProgramHold, OnlyTheApprovedLineStartsItsProgram) {
    const std::string run = R"(%(run=C:\tools\marker.exe "a b" x)%)";
    struct Case {
        const char* what;
        ShortcutEntry approved;
        ShortcutEntry typed;
        const char* keys;
        const char* target;
        const char* started;  // "" for nothing
        const char* told;     // trigger | command line, "" for nothing
    };
    const Case cases[] = {
        {"approved",
         {LaunchMode::Space, false, "td", run},
         {LaunchMode::Space, false, "td", run},
         "td ",
         "",
         R"(C:\tools\marker.exe "a b" x)",
         ""},
        {"never approved",
         {},
         {LaunchMode::Space, false, "td", run},
         "td ",
         "td ",
         "",
         R"(td|C:\tools\marker.exe "a b" x)"},
        {"text changed outside",
         {LaunchMode::Space, false, "td", run},
         {LaunchMode::Space, false, "td", "%(run=C:\\tools\\marker.exe \"a b\" y)%"},
         "td x",
         "td x",
         "",
         R"(td|C:\tools\marker.exe "a b" y)"},
        {"launch key changed",
         {LaunchMode::Space, false, "td", run},
         {LaunchMode::Tab, false, "td", run},
         "td\t",
         "td\t",
         "",
         R"(td|C:\tools\marker.exe "a b" x)"},
        {"function key",
         {},
         {LaunchMode::FunctionKey, false, "{F9}", "go%(run=calc.exe)%"},
         "{F9}",
         "",
         "",
         "{F9}|calc.exe"},
        {"no run macro", {}, {LaunchMode::Space, false, "hi", "Hello"}, "hi ", "Hello", "", ""},
        {"looks like one",
         {},
         {LaunchMode::Space, false, "q", "%(date)% ?RUN=1"},
         "q ",
         "q ",
         "",
         "q|%(date)% ?RUN=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineFixture f;
        FakeSettingsStore settings;
        ProgramApprovals approvals(settings);
        ShortcutList own;
        own.add(formatEntryLine(c.approved));
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
        EXPECT_EQ(told, *c.told ? std::vector<std::string>{c.told} : std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace quorvel
