#pragma once
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
    std::string getVariable(std::string_view) override { return {}; }
    bool earlierCopyRunning() override { return earlierCopy; }
    std::string applicationDataFolder() override { return "C:\\Users\\user\\AppData\\Roaming"; }
    std::string startMenuProgramsFolder() override {
        return "C:\\Users\\user\\Start Menu\\Programs";
    }
    std::string startUpFolder() override { return startMenuProgramsFolder() + "\\Startup"; }
    [[noreturn]] void endProcess() override { throw ProcessEnded(); }

    std::string folder = "C:\\Program Files\\Quorvel";
    bool earlierCopy = false;
};

}  // namespace quorvel
