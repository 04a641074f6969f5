#pragma once
// Entries that may start a program only once the user has approved them, and
// what the engine tells when it holds one back.

#include <string>
#include <string_view>

namespace quorvel {

class ProgramApprovalCheck {
  public:
    virtual ~ProgramApprovalCheck() = default;
    // Whether this entry line, as the list holds it, may start its program.
    virtual bool approved(std::string_view entryLine) const = 0;
};

// A typed trigger of an entry held back: nothing was erased, typed or started.
struct HeldProgram {
    std::string trigger;
    // What would have started, exactly; the whole text when its run macro is
    // not the one the expansion reaches.
    std::string commandLine;
    std::string entryLine;
};

// The command line with every character in sight: each line break (CR LF, CR or
// LF) shown as `lineBreak` and each tab as `tab` (by default marks, which keep it
// on one line), other control characters as "^" and their letter.
std::string shownCommandLine(std::string_view commandLine,
                             std::string_view lineBreak = "\xE2\x86\xB5",
                             std::string_view tab = "\xE2\x87\xA5");

}  // namespace quorvel
