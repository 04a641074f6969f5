#pragma once
// The Find and Type popup as a view of the InsertPopup model: made once, hidden,
// and shown near the caret of the window in front when its hot key comes. Once a
// row is chosen it gives the focus back to that window and has the text sent
// only when the window is in front again, waiting for it through the event loop.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "app/main_window.h"
#include "platform/event_loop.h"
#include "platform/win32/widgets/window.h"

namespace quorvel {

class InsertPopupView final : public ViewWindow {
  public:
    // How long the window that had the focus may take to come back to the front.
    static constexpr std::uint64_t FocusReturnMilliseconds = 2000;

    InsertPopupView(HINSTANCE instance, MainWindow& mainWindow, EventLoop& loop,
                    std::function<void()> modelChanged);

    // The hot key came: the window in front now is where the text goes.
    void noteTarget();
    // Up and Down in the search box move through the rows; true when taken.
    bool onKey(const MSG& message);

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void onControlCommand(int id, int code) override;
    void refreshOthers() override;
    void onEnterKey() override;
    void onEscapeKey() override;
    void showNearCaret();
    void refreshRows();
    // Gives the focus back, then sends the choice once the target is in front.
    void returnFocus();
    void awaitTarget(std::uint64_t started);

    MainWindow& mainWindow_;
    InsertPopup& popup_;
    EventLoop& loop_;
    HWND list_ = nullptr;
    HWND target_ = nullptr;
    std::uint64_t shownRevision_ = ~std::uint64_t{0};
    // Closed because another window took the activation: that one keeps it.
    bool deactivated_ = false;
    bool awaiting_ = false;
};

}  // namespace quorvel
