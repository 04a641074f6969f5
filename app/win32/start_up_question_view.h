#pragma once
// The start-with-Windows question as a view of the StartUpQuestion model: a small
// window owned by the main window, shown without blocking it.

#include <windows.h>

#include <functional>

#include "app/start_up_question.h"
#include "platform/win32/widgets/handles.h"
#include "platform/win32/widgets/window.h"

namespace quorvel {

class StartUpQuestionView final : public ViewWindow {
  public:
    StartUpQuestionView(HINSTANCE instance, HWND owner, StartUpQuestion& form,
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
    StartUpQuestion& form_;
    std::function<void()> modelChanged_;
    HWND question_ = nullptr, doNotAskAgain_ = nullptr, yesButton_ = nullptr, noButton_ = nullptr;
    bool echo_ = false;
    bool shownOnce_ = false;
};

}  // namespace quorvel
