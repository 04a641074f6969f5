#pragma once
// News of changes in one folder (a file written, made, renamed or removed),
// which the platform hands to the program on the window thread. Some drives
// send none (network shares, cloud drives, mounts): what must not be missed is
// polled for as well.

#include <string_view>

namespace quorvel {

class FolderWatch {
  public:
    virtual ~FolderWatch() = default;
    // Watches `folder` from now on, instead of any folder before; false when
    // it cannot be watched.
    virtual bool watch(std::string_view folder) = 0;
};

}  // namespace quorvel
