#pragma once
// The Excluded Programs window as a view of the ExcludedProgramsWindow model: a
// small window owned by the main window, shown without blocking it, so that the
// user may go to the program to exclude and come back.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/excluded_programs_window.h"
#include "platform/win32/widgets/window.h"

namespace quorvel {

class ExcludedProgramsView final : public ViewWindow {
  public:
    ExcludedProgramsView(HINSTANCE instance, HWND owner, ExcludedProgramsWindow& excludedPrograms,
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
    ExcludedProgramsWindow& excludedPrograms_;
    HWND list_ = nullptr;
    std::vector<std::string> shownRows_;
};

}  // namespace quorvel
