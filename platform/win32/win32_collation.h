#pragma once
// Ordering texts as the user's locale does, through CompareStringEx.

#include "platform/collation.h"

namespace quorvel {

class Win32Collation final : public Collation {
  public:
    int compare(std::string_view a, std::string_view b) override;
};

}  // namespace quorvel
