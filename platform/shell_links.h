#pragma once
// Shell links: the .lnk files that the start menu and the StartUp folder hold.

#include <string_view>

namespace quorvel {

class ShellLinks {
  public:
    virtual ~ShellLinks() = default;
    // Writes a link at `linkPath`, replacing any file there, that starts the
    // program at `programPath` in that program's folder. Returns whether the
    // link was written.
    virtual bool createLink(std::string_view linkPath, std::string_view programPath) = 0;
};

}  // namespace quorvel
