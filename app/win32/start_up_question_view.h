#pragma once
// The start-with-Windows question as a view of the StartUpQuestion model: a small
// window owned by the main window, shown without blocking it.

#include <windows.h>

#include <functional>

#include "app/start_up_question.h"
#include "platform/win32/widgets/window.h"

namespace quorvel {

class StartUpQuestionView final : public ViewWindow {
  public:
    StartUpQuestionView(HINSTANCE instance, HWND owner, StartUpQuestion& question,
                        std::function<void()> modelChanged);

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void refreshOthers() override { showAsModelSays(question_.visible, false); }
    void placeFirst() override { placeCentredOver(owner_); }
    void onEscapeKey() override { closeWithoutAnswer(); }
    void closeWithoutAnswer();

    HWND owner_;
    StartUpQuestion& question_;
};

}  // namespace quorvel
