#pragma once
#include <string>

#include "platform/focus_inspector.h"

namespace quorvel {

// The focus as the test sets it.
class FakeFocusInspector final : public FocusInspector {
  public:
    const FocusFacts& inspect() override { return facts; }
    std::string lastOtherProgram() override { return otherProgram; }

    FocusFacts facts;
    std::string otherProgram;
};

}  // namespace quorvel
