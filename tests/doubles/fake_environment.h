#pragma once
#include <map>
#include <stdexcept>
#include <string>

#include "platform/environment.h"

namespace quorvel {

// Thrown where the real program would end its process.
struct ProcessEnded : std::runtime_error {
    ProcessEnded() : std::runtime_error("process ended") {}
};

class FakeEnvironment final : public Environment {
  public:
    std::string programPath() override { return folder + "\\quorvel.exe"; }
    std::string programFolder() override { return folder; }
    std::string getVariable(std::string_view name) override {
        const auto found = variables.find(std::string(name));
        return found == variables.end() ? std::string() : found->second;
    }
    bool earlierCopyRunning() override { return earlierCopy; }
    std::string applicationDataFolder() override { return appData; }
    std::string startMenuProgramsFolder() override { return programsFolder; }
    std::string startUpFolder() override { return startUp; }
    [[noreturn]] void endProcess() override { throw ProcessEnded(); }

    std::string folder = "C:\\Program Files\\Quorvel";
    std::map<std::string, std::string> variables{{"os", "Windows_NT"}};
    bool earlierCopy = false;
    std::string appData = "C:\\Users\\user\\AppData\\Roaming";
    std::string programsFolder = "C:\\Users\\user\\Start Menu\\Programs";
    std::string startUp = "C:\\Users\\user\\Start Menu\\Programs\\Startup";
};

}  // namespace quorvel
