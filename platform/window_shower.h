#pragma once
// Showing the program's own windows from outside a window event (the hot keys).

namespace quorvel {

class WindowShower {
  public:
    virtual ~WindowShower() = default;
    virtual void showMainWindow() = 0;
    virtual void showCommonTextWindow() = 0;
};

}  // namespace quorvel
