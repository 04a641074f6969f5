#pragma once
// Programs Waiting for Approval as a view of the HeldProgramsWindow model: a
// window owned by the main window, shown without blocking it. It can be made
// larger, so that a long command line shows whole.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/held_programs_window.h"
#include "platform/win32/widgets/window.h"

namespace quorvel {

class HeldProgramsView final : public ViewWindow {
  public:
    HeldProgramsView(HINSTANCE instance, HWND owner, HeldProgramsWindow& held,
                     std::function<void()> modelChanged);

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void onControlCommand(int id, int code) override;
    void refreshOthers() override;
    void placeFirst() override { placeCentredOver(owner_); }
    void onEscapeKey() override { close(); }
    void close();

    HWND owner_;
    HeldProgramsWindow& held_;
    HWND list_ = nullptr;
    std::vector<std::string> shownRows_;
};

}  // namespace quorvel
