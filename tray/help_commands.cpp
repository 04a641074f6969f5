#include "tray/help_commands.h"

#include "platform/product_info.h"

namespace quorvel {

std::string aboutCaption() {
    return std::string(product::VersionedName) + " - " + std::string(product::WebDomain);
}

std::string aboutText() {
    std::string text;
    for (const std::string& line : {std::string(product::VersionedName), std::string(),
                                    "Written by: " + std::string(product::AuthorName),
                                    "Email: " + std::string(product::AuthorEmail),
                                    "Web Site: " + std::string(product::WebSite) + " "}) {
        text += line + "\r\n";
    }
    return text;
}

void HelpCommands::openHelp() {
    programs_.openAddress(std::string(product::WebSite) + "quorvel.htm");
}

void HelpCommands::openShortcutsHelp() {
    programs_.openAddress(std::string(product::WebSite) + "keyboardshortcuts.htm");
}

void HelpCommands::showAbout() {
    dialogs_.showMessage(aboutText(), MessageButtons::Ok, aboutCaption());
}

void HelpCommands::writeSuggestion() {
    programs_.openAddress("mailto:" + std::string(product::SupportEmail) +
                          "?subject=Quorvel%20Suggestions");
}

}  // namespace quorvel
