#include "app/form2255.h"

#include "storage/settings_names.h"

namespace quorvel {

namespace {
constexpr std::string_view LinkName = "Quorvel.LNK";
}

Form2255::Form2255(SettingsStore& settings, Files& files, Environment& environment,
                   std::function<void()> showMainWindow)
    : settings_(settings),
      files_(files),
      environment_(environment),
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

void Form2255::Command1_Click() {
    // A missing link or a refused copy is not reported: the answer stands anyway.
    files_.copyFile(linkSource(), linkTarget());
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
