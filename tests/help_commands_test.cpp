#include "tray/help_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/doubles/fake_dialogs.h"
#include "tests/doubles/fake_program_starter.h"
#include "tests/support/transcript.h"

namespace quorvel {
namespace {

TEST(HelpCommands, AddressesAndTheAboutMessage) {
    FakeProgramStarter programs;
    FakeDialogs dialogs;
    HelpCommands help(programs, dialogs);
    help.openHelp();
    help.openShortcutsHelp();
    help.writeSuggestion();
    help.showAbout();
    std::string transcript;
    for (const std::string& address : programs.opened) {
        transcript += "  opened " + address + "\n";
    }
    testing::expectGolden("help_commands.txt", transcript + testing::toldSince(dialogs));
}

}  // namespace
}  // namespace quorvel
