#pragma once
#include "platform/focus_inspector.h"

namespace quorvel {

// The focus as the test sets it.
class FakeFocusInspector final : public FocusInspector {
  public:
    const FocusFacts& inspect() override { return facts; }

    FocusFacts facts;
};

}  // namespace quorvel
