#pragma once
// The Help button, the Help and About items of the Help menu, and Suggestions.

#include <string>

#include "platform/dialogs.h"
#include "platform/program_start.h"

namespace quorvel {

std::string aboutCaption();
std::string aboutText();

class HelpCommands {
  public:
    HelpCommands(ProgramStarter& programs, Dialogs& dialogs)
        : programs_(programs), dialogs_(dialogs) {}

    void openHelp();           // "Help": the product's help page
    void openShortcutsHelp();  // Help menu "Help": the keyboard shortcuts page
    void showAbout();          // the About message
    void writeSuggestion();    // a new mail to the support address

  private:
    ProgramStarter& programs_;
    Dialogs& dialogs_;
};

}  // namespace quorvel
