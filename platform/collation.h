#pragma once
// Ordering texts as the user's locale orders them.

#include <string_view>

namespace quorvel {

class Collation {
  public:
    virtual ~Collation() = default;
    // Negative, zero or positive as `a` sorts before, with or after `b` in the
    // user's locale, without regard to case: accented letters sort beside their
    // plain ones ("éclair" and "École" among the e's).
    virtual int compare(std::string_view a, std::string_view b) = 0;
};

}  // namespace quorvel
