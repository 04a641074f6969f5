#pragma once
// The Common Text window as a view of the CommonTextWindow model: its own top-level
// window, shown and hidden as the model says, not blocking the main window.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "commontext/common_text_window.h"
#include "platform/win32/widgets/window.h"

namespace quorvel {

class CommonTextView final : public ViewWindow {
  public:
    // First shown beside `mainWindow`.
    CommonTextView(HINSTANCE instance, HWND mainWindow, CommonTextWindow& commonText,
                   std::function<void()> modelChanged);

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void layoutControls() override;
    void onControlCommand(int id, int code) override;
    void refreshOthers() override;
    void placeFirst() override { placeBeside(mainWindow_); }
    void refreshRows();
    void measureRows();

    HWND mainWindow_;
    CommonTextWindow& commonText_;
    HWND texts_ = nullptr;
    // The rows' revision the list shows; none before the first fill.
    std::optional<std::uint64_t> shownRevision_;
    int measuredDpi_ = 0;
};

}  // namespace quorvel
