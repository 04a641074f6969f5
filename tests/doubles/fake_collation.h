#pragma once
#include "platform/collation.h"

namespace quorvel {

// Orders as a Western European locale does, near enough for tests: letters
// without regard to case, each accented Latin-1 letter beside its plain one,
// before the next letter, the accent deciding only between texts equal but for
// accents. Other characters sort by their code point.
class FakeCollation final : public Collation {
  public:
    int compare(std::string_view a, std::string_view b) override;
};

}  // namespace quorvel
