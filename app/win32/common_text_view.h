#pragma once
// The Common Text window as a view of the Form8 model: its own top-level
// window, shown and hidden as the model says, not blocking the main window.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "commontext/form8.h"
#include "platform/win32/widgets/handles.h"
#include "platform/win32/widgets/window.h"

namespace quorvel {

class CommonTextView final : public ViewWindow {
  public:
    // First shown beside `mainWindow`.
    CommonTextView(HINSTANCE instance, HWND mainWindow, Form8& form,
                   std::function<void()> modelChanged);

    void refresh();

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void createControls();
    void layoutControls() override;
    void onControlCommand(int id, int code) override;
    void refreshRows();
    void measureRows();
    void refreshWindow();

    HWND mainWindow_;
    Form8& form_;
    std::function<void()> modelChanged_;
    HWND label27_ = nullptr, text1_ = nullptr, list1_ = nullptr, label1_ = nullptr;
    HWND command1_ = nullptr, command2_ = nullptr, command3_ = nullptr, command4_ = nullptr;
    std::vector<std::string> shownRows_;
    bool echo_ = false;
    bool shownOnce_ = false;
    int measuredDpi_ = 0;
};

}  // namespace quorvel
