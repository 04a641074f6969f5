#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/start_up_question.h"
#include "app/window_layout.h"
#include "tests/doubles/fake_dialogs.h"
#include "tests/doubles/fake_environment.h"
#include "tests/doubles/fake_files.h"
#include "tests/doubles/fake_program_starter.h"
#include "tests/doubles/fake_settings_store.h"
#include "tests/doubles/fake_shell_links.h"
#include "tests/support/transcript.h"
#include "tray/help_commands.h"
#include "ui/window_placement.h"

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
    // A window too small for the lists keeps their last sizes; the frame still
    // follows.
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
    help.showAbout();
    std::string transcript;
    for (const std::string& address : programs.opened) {
        transcript += "  opened " + address + "\n";
    }
    testing::expectGolden("help_commands.txt", transcript + testing::toldSince(dialogs));
}

// Yes copies the installer's link, or without one makes a link to the running
// program; when neither can be placed it says so, stores nothing and stays
// open. No stores the tick box and shows the main window. Each case: whether
// the installer's link is there, whether files can be written, whether a link
// can be made, and the answers.
TEST(StartWithWindows, AnswersAreStoredAndYesPlacesTheStartUpLink) {
    const std::tuple<bool, bool, bool, std::vector<std::string>> cases[] = {
        {true, true, false, {"yes"}},  {false, true, true, {"yes"}},
        {true, false, true, {"yes"}},  {true, false, false, {"yes"}},
        {false, true, false, {"yes"}}, {true, true, true, {"no", "tick", "no"}},
    };
    std::string transcript;
    for (const auto& [installerLink, writable, linkMade, answers] : cases) {
        FakeSettingsStore settings;
        FakeFiles files;
        FakeEnvironment environment;
        FakeShellLinks links;
        FakeDialogs dialogs;
        int mainWindowShown = 0;
        StartUpQuestion dialog(settings, files, environment, links, dialogs,
                               [&] { ++mainWindowShown; });
        const std::string source = "C:\\Users\\user\\Start Menu\\Programs\\Quorvel\\Quorvel.LNK";
        transcript += std::string("== ") + (installerLink ? "installer's link" : "no link") +
                      (writable ? ", writable" : ", nothing written") +
                      (linkMade ? ", links made\n" : ", no link made\n");
        if (installerLink) {
            files.files[source] = "link";
        }
        files.failAllWrites = !writable;
        links.failCreates = !linkMade;
        dialog.show();
        for (const std::string& answer : answers) {
            answer == "yes"  ? dialog.answerYes()
            : answer == "no" ? dialog.answerNo()
                             : void(dialog.doNotAskAgain.value = 1);
            transcript += answer + "\n" + testing::toldSince(dialogs) + "  stored [" +
                          settings.read({"Quorvel", "StartUpQ", "StartUpOpt"}, "-") + "]" +
                          (dialog.visible ? ", asking" : ", closed") + ", main window shown " +
                          std::to_string(mainWindowShown) + "\n";
            dialogs.shown.clear();
        }
        files.files.erase(source);
        for (const auto& [path, bytes] : files.files) {
            transcript += "  file " + path + ": " + bytes + "\n";
        }
        for (const auto& [path, target] : links.links) {
            transcript += "  link " + path + " to " + target + "\n";
        }
    }
    testing::expectGolden("start_with_windows.txt", transcript);
}

constexpr ScreenRect Screen{0, 0, 1280, 994};  // 1280 x 1024 less a task bar

TEST(WindowPlacement, BesideTheAnchorOnTheSideWithRoomAndAlwaysInsideTheArea) {
    struct Case {
        const char* what;
        ScreenRect anchor;
        ScreenRect expected;
        int height = 400;  // all are 430 wide
        ScreenRect area = Screen;
    };
    const Case cases[] = {
        {"room on the right", {100, 50, 585, 517}, {593, 50, 1023, 450}},
        {"no room on the right: left of it", {900, 50, 1385, 517}, {462, 50, 892, 450}},
        {"no room either side: at the right edge", {300, 50, 1000, 517}, {850, 50, 1280, 450}},
        {"anchor low on the screen: raised", {100, 800, 585, 1267}, {593, 594, 1023, 994}},
        {"taller than the area: shrunk", {100, 50, 585, 517}, {593, 0, 1023, 994}, 1200},
        {"a monitor left of the first one",
         {-1000, -100, -515, 367},
         {-507, 0, -77, 400},
         400,
         {-1280, 0, 0, 1024}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(besideAnchor(430, c.height, c.anchor, c.area, 8), c.expected) << c.what;
    }
}

TEST(WindowPlacement, CentredOverTheAnchorAndKeptInside) {
    EXPECT_EQ(centredOver(300, 120, {100, 100, 600, 500}, Screen),
              (ScreenRect{200, 240, 500, 360}));
    EXPECT_EQ(centredOver(300, 120, {-400, -300, 100, 100}, Screen), (ScreenRect{0, 0, 300, 120}));
    const ScreenRect inside{10, 20, 500, 400};
    EXPECT_EQ(keptInside(inside, Screen), inside);
    EXPECT_EQ(keptInside({1000, 900, 2500, 1400}, Screen), (ScreenRect{0, 494, 1280, 994}));
}

}  // namespace
}  // namespace quorvel
