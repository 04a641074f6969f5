#pragma once
// The start-with-Windows question, asked at start-up until the user has answered
// it for good. Yes copies the program's start-menu link into the StartUp folder.

#include <functional>
#include <string>

#include "platform/controls.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/settings_store.h"

namespace quorvel {

class Form2255 {
public:
    Form2255(SettingsStore& settings, Files& files, Environment& environment,
             std::function<void()> showMainWindow);

    void show() { visible = true; }
    void Command1_Click();  // "&Yes"
    void Command2_Click();  // "&No"

    // Where the link is copied from and to.
    std::string linkSource();
    std::string linkTarget();

    Label Label1{"Would you like to have Quorvel 2.1 run at Startup?"};
    CheckBox Check1{"Do not ask this Qestion Again"};
    Button Command1{"&Yes"};
    Button Command2{"&No"};
    bool visible = false;

private:
    void storeAnswer();

    SettingsStore& settings_;
    Files& files_;
    Environment& environment_;
    std::function<void()> showMainWindow_;
};

}  // namespace quorvel
