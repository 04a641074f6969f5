#pragma once
// The start-with-Windows question, asked at start-up until the user has answered
// it for good. Yes places a link to the program in the StartUp folder.

#include <functional>
#include <string>

#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/settings_store.h"
#include "platform/shell_links.h"
#include "ui/controls.h"

namespace quorvel {

class StartUpQuestion {
  public:
    StartUpQuestion(SettingsStore& settings, Files& files, Environment& environment,
                    ShellLinks& links, Dialogs& dialogs, std::function<void()> showMainWindow);

    void show() { visible = true; }
    void answerYes();  // "&Yes"
    void answerNo();   // "&No"

    // The installer's start-menu link, and the link in the StartUp folder.
    std::string linkSource();
    std::string linkTarget();

    Label question{"Would you like to have Quorvel 2.1 run at Startup?"};
    CheckBox doNotAskAgain{"Do not ask this Qestion Again"};
    Button yesButton{"&Yes"};
    Button noButton{"&No"};
    bool visible = false;

  private:
    bool placeStartUpLink();
    void storeAnswer();

    SettingsStore& settings_;
    Files& files_;
    Environment& environment_;
    ShellLinks& links_;
    Dialogs& dialogs_;
    std::function<void()> showMainWindow_;
};

}  // namespace quorvel
