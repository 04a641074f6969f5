#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/start_up_question.h"
#include "app/window_layout.h"
#include "tests/doubles/fake_dialogs.h"
#include "tests/doubles/fake_environment.h"
#include "tests/doubles/fake_files.h"
#include "tests/doubles/fake_program_starter.h"
#include "tests/doubles/fake_settings_store.h"
#include "tests/doubles/fake_shell_links.h"
#include "tray/help_commands.h"

namespace quorvel {
namespace {

std::vector<int> sizes(const EditorLayout& l) {
    return {l.frameWidth,  l.frameHeight, l.innerWidth,       l.listWidth,
            l.innerHeight, l.listHeight,  l.shortcutTextWidth};
}

TEST(WindowLayout, ControlsFollowTheWindowSizeAndNegativeSizesAreSkipped) {
    EditorLayout layout;
    followSize(9000, 8000, layout);
    EXPECT_EQ(sizes(layout), (std::vector<int>{8650, 6950, 8150, 8150, 4510, 4510, 5750}));
    // A window too small for the lists keeps their last sizes; the frame still follows.
    followSize(2000, 3000, layout);
    EXPECT_EQ(sizes(layout), (std::vector<int>{1650, 1950, 1150, 1150, 4510, 4510, 5750}));
}

TEST(HelpCommands, AddressesAndTheAboutMessage) {
    FakeProgramStarter programs;
    FakeDialogs dialogs;
    HelpCommands help(programs, dialogs);
    help.openHelp();
    help.openShortcutsHelp();
    help.writeSuggestion();
    EXPECT_EQ(
        programs.opened,
        (std::vector<std::string>{"http://www.quorvel.example/quorvel.htm",
                                  "http://www.quorvel.example/keyboardshortcuts.htm",
                                  "mailto:support@quorvel.example?subject=Quorvel%20Suggestions"}));
    help.showAbout();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Quorvel 2.1 - www.quorvel.example");
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.shown[0].text,
              "Quorvel 2.1\r\n\r\nWritten by: The Quorvel developers\r\n"
              "Email: developers@quorvel.example\r\nWeb Site: http://www.quorvel.example/ \r\n");
}

struct StartUpRig {
    FakeSettingsStore settings;
    FakeFiles files;
    FakeEnvironment environment;
    FakeShellLinks links;
    FakeDialogs dialogs;
    int mainWindowShown = 0;
    StartUpQuestion dialog{settings, files,   environment,
                           links,    dialogs, [this] { ++mainWindowShown; }};

    std::string answer() { return settings.GetSetting("Quorvel", "StartUpQ", "StartUpOpt", "-"); }
    const std::string source = "C:\\Users\\user\\Start Menu\\Programs\\Quorvel\\Quorvel.LNK";
    const std::string target = "C:\\Users\\user\\Start Menu\\Programs\\Startup\\Quorvel.LNK";
};

// Yes copies the installer's link, or without one makes a link to the running
// program; when neither can be placed it says so and stores nothing.
TEST(StartWithWindows, YesPlacesTheStartUpLinkOrSaysItCouldNot) {
    struct Case {
        const char* name;
        bool installerLink;
        bool writable;
        bool linkMade;
        bool placed;
    };
    const Case cases[] = {
        {"installer's link copied", true, true, false, true},
        {"no installer's link: a link of our own", false, true, true, true},
        {"link cannot be copied: a link of our own", true, false, true, true},
        {"nothing can be written", true, false, false, false},
        {"no installer's link, no link can be made", false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartUpRig r;
        if (c.installerLink) {
            r.files.files[r.source] = "link";
        }
        r.files.failAllWrites = !c.writable;
        r.links.failCreates = !c.linkMade;
        r.dialog.visible = true;
        r.dialog.answerYes();
        EXPECT_EQ(r.files.files.contains(r.target), c.placed && !c.linkMade);
        const bool ownLink = c.placed && c.linkMade;
        EXPECT_EQ(r.links.links[r.target],
                  ownLink ? "C:\\Program Files\\Quorvel\\quorvel.exe" : "");
        EXPECT_EQ(r.answer(), c.placed ? "1" : "-");
        EXPECT_EQ(r.dialog.visible, !c.placed);
        ASSERT_EQ(r.dialogs.shown.size(), c.placed ? 0u : 1u);
        if (!c.placed) {
            EXPECT_EQ(r.dialogs.shown[0].caption, "Quorvel");
            EXPECT_EQ(r.dialogs.shown[0].buttons, MessageButtons::Ok);
        }
        EXPECT_EQ(r.mainWindowShown, 0);
    }
}

TEST(StartWithWindows, NoStoresTheTickBoxAndShowsTheMainWindow) {
    StartUpRig r;
    r.dialog.show();
    r.dialog.answerNo();
    EXPECT_EQ(r.answer(), "0");
    EXPECT_FALSE(r.dialog.visible);
    EXPECT_EQ(r.mainWindowShown, 1);
    r.dialog.doNotAskAgain.value = 1;
    r.dialog.answerNo();
    EXPECT_EQ(r.answer(), "1");
    EXPECT_TRUE(r.files.files.empty() && r.links.links.empty()) << "No places no link";
}

}  // namespace
}  // namespace quorvel
