#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/stay_out.h"
#include "support/app_fixture.h"
#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::AppFixture;
using testing::EngineFixture;

TEST(ExcludedPrograms, StoredFormReadsFileNamesOnly) {
    // Each row: the stored value, and the names read from it.
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"", {}},
        {"mstsc.exe", {"mstsc.exe"}},
        {" mstsc.exe |KeePass.exe", {"mstsc.exe", "KeePass.exe"}},
        {"C:\\Program Files\\KeePass\\KeePass.exe|/usr/bin/x.exe", {"KeePass.exe", "x.exe"}},
        {"||a.exe||", {"a.exe"}},
        {"mstsc.exe|MSTSC.EXE|Mstsc.Exe", {"mstsc.exe"}},
        {"bad?.exe|c:x.exe|a*.exe|<b>.exe|q\".exe|tab\t.exe|.|..|C:\\dir\\", {}},
        {"\xCE\x95\xCE\xBB.exe|\xCE\xB5\xCE\xBB.exe", {"\xCE\x95\xCE\xBB.exe"}},  // Greek case
    };
    for (const auto& [stored, names] : cases) {
        SCOPED_TRACE(stored);
        const ExcludedPrograms programs = ExcludedPrograms::parse(stored);
        EXPECT_EQ(programs.names(), names);
        EXPECT_EQ(ExcludedPrograms::parse(programs.stored()).names(), names);
    }

    // A value grown huge keeps the first names only.
    std::string huge;
    for (int i = 0; i < 20000; ++i) {
        huge += std::to_string(i) + ".exe|";
    }
    const ExcludedPrograms programs = ExcludedPrograms::parse(huge);
    ASSERT_EQ(programs.names().size(), ExcludedPrograms::MaxNames);
    EXPECT_EQ(programs.names().back(), std::to_string(ExcludedPrograms::MaxNames - 1) + ".exe");
}

// A trigger typed where Quorvel stays out stays as typed, nothing is sent or
// held, and neither what was typed before entering nor what was typed there can
// complete a trigger later.
TEST(StayOut, TriggersTypedThereStayAsTyped) {
    // Each row: where the keys go, whether full-screen programs pause Quorvel, and
    // whether the triggers fire there.
    const std::tuple<const char*, FocusFacts, bool, bool> cases[] = {
        {"password box", {.passwordBox = true, .program = "app.exe"}, true, false},
        {"input method composing", {.composing = true, .program = "app.exe"}, true, false},
        {"excluded program", {.program = "MSTSC.EXE"}, true, false},
        {"full screen", {.fullScreen = true, .program = "game.exe"}, true, false},
        {"full screen, pause off", {.fullScreen = true, .program = "game.exe"}, false, true},
        {"other program", {.program = "notepad.exe"}, true, true},
        {"unknown program", {}, true, true},
    };
    for (const auto& [name, focus, pauseInFullScreen, fires] : cases) {
        SCOPED_TRACE(name);
        EngineFixture f;
        f.addEntry(LaunchMode::Space, false, "td", "Today");
        f.addEntry(LaunchMode::FunctionKey, false, "{F9}", "Nine");
        f.option(&EngineOptions::excludedPrograms, ExcludedPrograms::parse("mstsc.exe"));
        f.option(&EngineOptions::pauseInFullScreen, pauseInFullScreen);
        f.keys("t");
        f.focus.facts = focus;
        f.keys("d {F9}t");
        EXPECT_EQ(f.keyboard.targetText, fires ? "TodayNinet" : "td t");
        EXPECT_EQ(f.buffer(), fires ? "t" : "");

        // Back where triggers fire: the "t" typed there is not part of one.
        f.focus.facts = {.program = "notepad.exe"};
        f.keys("d ");
        EXPECT_EQ(f.keyboard.targetText, fires ? "TodayNineToday" : "td td ");
    }
}

class StayOutApp : public ::testing::Test, public AppFixture {};

// Once per program in a run, whatever the case of its name; a trigger where
// keys can be typed tells nothing.
TEST_F(StayOutApp, ATriggerInAnAdministratorProgramIsToldOncePerProgram) {
    start();
    addEntry("td", "Today");
    const auto typeTrigger = [&](const char* program, bool acceptsInput) {
        focus.facts.program = program;
        keyboard.acceptsInput = acceptsInput;
        keyboard.typeText("td ");
    };
    typeTrigger("notepad.exe", true);
    EXPECT_TRUE(tray.balloons.empty());
    // With no icon to show it from, the program is told at its next trigger.
    tray.icons.clear();
    typeTrigger("Admin.exe", false);
    EXPECT_TRUE(tray.balloons.empty());
    form->icon.addIcon();
    typeTrigger("Admin.exe", false);
    typeTrigger("ADMIN.EXE", false);
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].title, "Quorvel");
    EXPECT_NE(tray.balloons[0].text.find("Admin.exe"), std::string::npos);
    EXPECT_NE(tray.balloons[0].text.find("administrator"), std::string::npos);
    typeTrigger("regedit.exe", false);
    typeTrigger("", false);
    typeTrigger("", false);
    ASSERT_EQ(tray.balloons.size(), 3u);
    EXPECT_NE(tray.balloons[1].text.find("regedit.exe"), std::string::npos);
    EXPECT_NE(tray.balloons[2].text.find("this program"), std::string::npos);
    EXPECT_EQ(keyboard.targetText, "Todaytd td td td td td ");
}

// New values beside the old ones: read with a defined outcome for damage, and
// written only when the user changes them. (The menu item, and the engine going
// by the list read at start-up: e2e/ui/ui_e2e.sh, e2e/engine_e2e.sh.)
TEST_F(StayOutApp, PauseAndExcludedProgramsAreStoredBesideTheOtherSettings) {
    // Each row: the pause setting stored (none when null), and whether it is ticked.
    const std::pair<const char*, bool> cases[] = {
        {nullptr, true}, {"False", false}, {"0", false}, {"True", true}, {"junk", true}};
    for (const auto& [pause, checked] : cases) {
        SCOPED_TRACE(pause ? pause : "missing");
        settings = FakeSettingsStore{};
        settings.write({"Quorvel", "Opts", "MenuShow"}, "1");
        if (pause != nullptr) {
            settings.write({"Quorvel", "Opts", "FullScreenPause"}, pause);
        }
        settings.write({"Quorvel", "Excluded", "Programs"},
                       " mstsc.exe|bad?.exe|C:\\x\\KeePass.exe");
        MainWindow& f = start();
        EXPECT_EQ(f.fullScreenPauseItem.checked, checked);
        EXPECT_EQ(f.excludedPrograms.names(),
                  (std::vector<std::string>{"mstsc.exe", "KeePass.exe"}));
        EXPECT_EQ(setting("Quorvel", "Excluded", "Programs"),
                  " mstsc.exe|bad?.exe|C:\\x\\KeePass.exe");
        EXPECT_EQ(setting("Quorvel", "Opts", "FullScreenPause"), pause ? pause : "<missing>");
    }
    EXPECT_TRUE(form->includeProgram("MSTSC.exe"));
    EXPECT_FALSE(form->includeProgram("mstsc.exe"));
    EXPECT_EQ(setting("Quorvel", "Excluded", "Programs"), "KeePass.exe");
    EXPECT_EQ(setting("Quorvel", "Opts", "MenuShow"), "1");
}

}  // namespace
}  // namespace quorvel
