#pragma once
#include <functional>
#include <map>
#include <string>

#include "platform/shell_links.h"

namespace quorvel {

class FakeShellLinks final : public ShellLinks {
  public:
    bool createLink(std::string_view linkPath, std::string_view programPath) override {
        if (failCreates) {
            return false;
        }
        links[std::string(linkPath)] = std::string(programPath);
        return true;
    }

    // Each link written and the program it starts.
    std::map<std::string, std::string, std::less<>> links;
    // While true no link can be written, as in a folder the user may not write.
    bool failCreates = false;
};

}  // namespace quorvel
