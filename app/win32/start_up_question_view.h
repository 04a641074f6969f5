#pragma once
// The start-with-Windows question as a view of the Form2255 model: a small
// window owned by the main window, shown without blocking it.

#include <windows.h>

#include <functional>

#include "app/form2255.h"
#include "platform/win32/widgets/handles.h"
#include "platform/win32/widgets/window.h"

namespace quorvel {

class StartUpQuestionView final : public ViewWindow {
  public:
    StartUpQuestionView(HINSTANCE instance, HWND owner, Form2255& form,
                        std::function<void()> modelChanged);

    void refresh();

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void createControls();
    void layoutControls() override;
    void onControlCommand(int id, int code) override;
    void onEnterKey() override;
    void onEscapeKey() override { closeWithoutAnswer(); }
    void closeWithoutAnswer();

    HWND owner_;
    Form2255& form_;
    std::function<void()> modelChanged_;
    HWND label1_ = nullptr, check1_ = nullptr, command1_ = nullptr, command2_ = nullptr;
    bool echo_ = false;
    bool shownOnce_ = false;
};

}  // namespace quorvel
