#pragma once
// Starting programs and opening addresses on Windows.

#include "platform/program_start.h"

namespace quorvel {

class Win32ProgramStarter final : public ProgramStarter {
  public:
    bool startProgram(std::string_view commandLine) override;
    void openAddress(std::string_view address) override;
};

}  // namespace quorvel
