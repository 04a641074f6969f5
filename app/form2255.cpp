#include "app/form2255.h"

#include "engine/product_info.h"
#include "storage/settings_names.h"

namespace quorvel {

namespace {
constexpr std::string_view LinkName = "Quorvel.LNK";
}

Form2255::Form2255(SettingsStore& settings, Files& files, Environment& environment,
                   ShellLinks& links, Dialogs& dialogs, std::function<void()> showMainWindow)
    : settings_(settings),
      files_(files),
      environment_(environment),
      links_(links),
      dialogs_(dialogs),
      showMainWindow_(std::move(showMainWindow)) {}

std::string Form2255::linkSource() {
    return environment_.startMenuProgramsFolder() + "\\Quorvel\\" + std::string(LinkName);
}

std::string Form2255::linkTarget() {
    return environment_.startUpFolder() + "\\" + std::string(LinkName);
}

void Form2255::storeAnswer() {
    settings_.SaveSetting(settings::StartUpOption.application, settings::StartUpOption.section,
                          settings::StartUpOption.key, std::to_string(Check1.value));
}

// The installer's link is copied when there is one; a program unzipped anywhere
// has none and gets a link of its own to the running program.
bool Form2255::placeStartUpLink() {
    const std::string source = linkSource();
    if (files_.exists(source) && files_.copyFile(source, linkTarget())) {
        return true;
    }
    return links_.createLink(linkTarget(), environment_.programPath());
}

void Form2255::Command1_Click() {
    if (!placeStartUpLink()) {
        // A Yes that did nothing is not stored: the question stays open, and
        // comes back at the next start.
        dialogs_.MsgBox(
            "Quorvel could not be set to run at Startup: its link could not be "
            "placed in the StartUp folder " +
                environment_.startUpFolder() + ".",
            MessageButtons::Ok, product::ApplicationTitle);
        return;
    }
    visible = false;
    Check1.value = 1;
    storeAnswer();
}

void Form2255::Command2_Click() {
    storeAnswer();
    visible = false;
    showMainWindow_();
}

}  // namespace quorvel
