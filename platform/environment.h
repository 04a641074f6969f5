#pragma once
// Facts about the process and the user's folders.

#include <string>
#include <string_view>

namespace quorvel {

class Environment {
  public:
    virtual ~Environment() = default;
    // The full path of the program's executable, and its folder without a
    // trailing separator.
    virtual std::string programPath() = 0;
    virtual std::string programFolder() = 0;
    // Empty when the variable does not exist.
    virtual std::string getVariable(std::string_view name) = 0;
    // Whether an earlier copy of the program is running for this user.
    virtual bool earlierCopyRunning() = 0;
    // The user's own application-data folder (%APPDATA%), empty when unknown.
    virtual std::string applicationDataFolder() = 0;
    // The user's start menu "Programs" folder and its StartUp folder.
    virtual std::string startMenuProgramsFolder() = 0;
    virtual std::string startUpFolder() = 0;
    // Ends the process at once.
    [[noreturn]] virtual void endProcess() = 0;
};

}  // namespace quorvel
