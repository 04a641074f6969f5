#pragma once
#include "platform/window_shower.h"

namespace quorvel {

class FakeWindowShower final : public WindowShower {
  public:
    void showMainWindow() override { ++mainWindowShown; }
    void showCommonTextWindow() override { ++commonTextShown; }

    int mainWindowShown = 0;
    int commonTextShown = 0;
};

}  // namespace quorvel
