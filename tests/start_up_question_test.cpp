#include "app/start_up_question.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/doubles/fake_dialogs.h"
#include "tests/doubles/fake_environment.h"
#include "tests/doubles/fake_files.h"
#include "tests/doubles/fake_settings_store.h"
#include "tests/doubles/fake_shell_links.h"
#include "tests/support/transcript.h"

namespace quorvel {
namespace {

// Yes copies the installer's link, or without one makes a link to the running
// program; when neither can be placed it says so, stores nothing and stays
// open. No stores the tick box and shows the main window. Each case: whether
// the installer's link is there, whether files can be written, whether a link
// can be made, and the answers.
TEST(StartUpQuestion, AnswersAreStoredAndYesPlacesTheStartUpLink) {
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
        if (installerLink) {
            files.files[source] = "link";
        }
        files.failAllWrites = !writable;
        links.failCreates = !linkMade;
        dialog.show();
        const auto facts = [&]() -> testing::Facts {
            return {{"stored",
                     "stored [" + settings.read({"Quorvel", "StartUpQ", "StartUpOpt"}, "-") + "]"},
                    {"dialog", dialog.visible ? "asking" : "closed"},
                    {"main window", "main window shown " + std::to_string(mainWindowShown)}};
        };
        testing::Facts was = facts();
        transcript += std::string("== ") + (installerLink ? "installer's link" : "no link") +
                      (writable ? ", writable" : ", nothing written") +
                      (linkMade ? ", links made: " : ", no link made: ") +
                      testing::changed({}, was) + "\n";
        for (const std::string& answer : answers) {
            answer == "yes"  ? dialog.answerYes()
            : answer == "no" ? dialog.answerNo()
                             : void(dialog.doNotAskAgain.value = 1);
            const testing::Facts now = facts();
            transcript +=
                testing::stepLine(answer, testing::changed(was, now)) + testing::toldSince(dialogs);
            dialogs.shown.clear();
            was = now;
        }
        files.files.erase(source);
        for (const auto& [path, bytes] : files.files) {
            transcript += "  file " + path + ": " + bytes + "\n";
        }
        for (const auto& [path, target] : links.links) {
            transcript += "  link " + path + " to " + target + "\n";
        }
    }
    testing::expectGolden("start_up_question.txt", transcript);
}

}  // namespace
}  // namespace quorvel
