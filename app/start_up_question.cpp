#include "app/start_up_question.h"

#include "platform/product_info.h"
#include "storage/settings_names.h"

namespace quorvel {

namespace {
constexpr std::string_view LinkName = "Quorvel.LNK";
}

StartUpQuestion::StartUpQuestion(SettingsStore& settings, Files& files, Environment& environment,
                                 ShellLinks& links, Dialogs& dialogs,
                                 std::function<void()> showMainWindow)
    : settings_(settings),
      files_(files),
      environment_(environment),
      links_(links),
      dialogs_(dialogs),
      showMainWindow_(std::move(showMainWindow)) {}

std::string StartUpQuestion::linkSource() {
    return environment_.startMenuProgramsFolder() + "\\Quorvel\\" + std::string(LinkName);
}

std::string StartUpQuestion::linkTarget() {
    return environment_.startUpFolder() + "\\" + std::string(LinkName);
}

void StartUpQuestion::storeAnswer() {
    settings_.write(settings::StartUpOption, std::to_string(doNotAskAgain.value));
}

// The installer's link is copied when there is one; a program unzipped anywhere
// has none and gets a link of its own to the running program.
bool StartUpQuestion::placeStartUpLink() {
    const std::string source = linkSource();
    if (files_.exists(source) && files_.copyFile(source, linkTarget())) {
        return true;
    }
    return links_.createLink(linkTarget(), environment_.programPath());
}

void StartUpQuestion::answerYes() {
    if (!placeStartUpLink()) {
        // A Yes that did nothing is not stored: the question stays open, and
        // comes back at the next start.
        dialogs_.showMessage(
            "Quorvel could not be set to run at Startup: its link could not be "
            "placed in the StartUp folder " +
                environment_.startUpFolder() + ".",
            MessageButtons::Ok, product::ApplicationTitle);
        return;
    }
    visible = false;
    doNotAskAgain.value = 1;
    storeAnswer();
}

void StartUpQuestion::answerNo() {
    storeAnswer();
    visible = false;
    showMainWindow_();
}

}  // namespace quorvel
