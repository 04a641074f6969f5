#pragma once
// Shell links written through the shell's IShellLinkW and IPersistFile.

#include "platform/shell_links.h"

namespace quorvel {

class Win32ShellLinks final : public ShellLinks {
  public:
    bool createLink(std::string_view linkPath, std::string_view programPath) override;
};

}  // namespace quorvel
