#pragma once
// Starting programs and opening addresses.

#include <string_view>

namespace quorvel {

class ProgramStarter {
  public:
    virtual ~ProgramStarter() = default;
    // Starts the program that the command line names (found on the search path,
    // or a path, optionally followed by arguments), its window shown normally.
    virtual bool startProgram(std::string_view commandLine) = 0;
    // Opens a web or mail address with its default handler.
    virtual void openAddress(std::string_view address) = 0;
};

}  // namespace quorvel
