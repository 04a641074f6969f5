#include "app/win32/start_up_question_view.h"

#include <utility>

#include "app/win32/control_ids.h"
#include "platform/product_info.h"

namespace quorvel {

namespace ids = view_ids;

StartUpQuestionView::StartUpQuestionView(HINSTANCE instance, HWND owner, StartUpQuestion& question,
                                         std::function<void()> modelChanged)
    : owner_(owner), question_(question) {
    const Shape shape{ids::StartUpDialogClass,
                      std::string(product::VersionedName),
                      WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                      owner,
                      4800,
                      1800};
    if (!createWindow(instance, shape)) {
        return;
    }
    using enum ControlKind;
    // Enter answers with the default button unless another button has the focus.
    createControls(
        {
            {ids::StartUpQuestionText, Static, 0, TwipsRect{240, 240, 4320, 480}, Fixed,
             &question_.question.caption},
            {ids::StartUpDoNotAskAgain, TickBox, 0, TwipsRect{240, 780, 4320, 255}, Fixed,
             &question_.doNotAskAgain, "D"},
            {ids::StartUpYesButton, PushButton, BS_DEFPUSHBUTTON, TwipsRect{1200, 1200, 1100, 345},
             Fixed, &question_.yesButton, "", [this] { question_.answerYes(); }},
            {ids::StartUpNoButton, PushButton, 0, TwipsRect{2500, 1200, 1100, 345}, Fixed,
             &question_.noButton, "", [this] { question_.answerNo(); }},
        },
        std::move(modelChanged));
    layoutControls();
}

LRESULT StartUpQuestionView::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        closeWithoutAnswer();
        return 0;
    }
    return ViewWindow::onMessage(message, wParam, lParam);
}

void StartUpQuestionView::closeWithoutAnswer() {
    // Nothing is stored; the question comes back at the next start.
    question_.visible = false;
    modelChanged();
}

}  // namespace quorvel
