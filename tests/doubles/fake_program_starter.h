#pragma once
#include <string>
#include <vector>

#include "platform/program_start.h"

namespace quorvel {

class FakeProgramStarter final : public ProgramStarter {
  public:
    bool startProgram(std::string_view commandLine) override {
        started.emplace_back(commandLine);
        return true;
    }
    void openAddress(std::string_view address) override { opened.emplace_back(address); }

    std::vector<std::string> started;
    std::vector<std::string> opened;
};

}  // namespace quorvel
