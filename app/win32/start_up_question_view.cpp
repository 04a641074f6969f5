#include "app/win32/start_up_question_view.h"

#include <utility>

#include "app/win32/control_ids.h"
#include "engine/product_info.h"
#include "platform/win32/widgets/controls.h"
#include "platform/win32/widgets/dpi.h"
#include "platform/win32/widgets/keyboard.h"
#include "platform/win32/widgets/placement.h"

namespace quorvel {

namespace ids = view_ids;

StartUpQuestionView::StartUpQuestionView(HINSTANCE instance, HWND owner, StartUpQuestion& form,
                                         std::function<void()> modelChanged)
    : owner_(owner), form_(form), modelChanged_(std::move(modelChanged)) {
    const Shape shape{ids::StartUpDialogClass,
                      std::string(product::VersionedName),
                      WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                      owner,
                      4800,
                      1800};
    if (createWindow(instance, shape)) {
        createControls();
        layoutControls();
    }
}

void StartUpQuestionView::createControls() {
    const HWND parent = window();
    const HFONT font = controlFont();
    // Captions come with the first refresh.
    question_ = createControl(parent, L"STATIC", "", SS_LEFT, ids::StartUpQuestionText, font);
    doNotAskAgain_ = createControl(parent, L"BUTTON", "", WS_TABSTOP | BS_AUTOCHECKBOX,
                                   ids::StartUpDoNotAskAgain, font);
    yesButton_ = createControl(parent, L"BUTTON", "", WS_TABSTOP | BS_DEFPUSHBUTTON,
                               ids::StartUpYesButton, font);
    noButton_ = createControl(parent, L"BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON,
                              ids::StartUpNoButton, font);
}

void StartUpQuestionView::layoutControls() {
    const int dpi = ViewWindow::dpi();
    placeInTwips(question_, {240, 240, 4320, 480}, dpi);
    placeInTwips(doNotAskAgain_, {240, 780, 4320, 255}, dpi);
    placeInTwips(yesButton_, {1200, 1200, 1100, 345}, dpi);
    placeInTwips(noButton_, {2500, 1200, 1100, 345}, dpi);
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
    form_.visible = false;
    modelChanged_();
}

void StartUpQuestionView::onEnterKey() {
    // Enter answers with the default button unless another button has the focus.
    if (!clickFocusedButton(window())) {
        ::SendMessageW(yesButton_, BM_CLICK, 0, 0);
    }
}

void StartUpQuestionView::onControlCommand(int id, int code) {
    if (echo_ || code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case ids::StartUpDoNotAskAgain:
            form_.doNotAskAgain.value =
                ::SendMessageW(doNotAskAgain_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
            break;
        case ids::StartUpYesButton:
            form_.answerYes();
            break;
        case ids::StartUpNoButton:
            form_.answerNo();
            break;
        default:
            return;
    }
    modelChanged_();
}

void StartUpQuestionView::refresh() {
    if (window() == nullptr) {
        return;
    }
    const EchoGuard guard(echo_);
    syncText(question_, form_.question.caption);
    syncText(doNotAskAgain_, withAccessKey(form_.doNotAskAgain.caption, "D"));
    syncChecked(doNotAskAgain_, form_.doNotAskAgain.value == 1);
    syncText(yesButton_, form_.yesButton.caption);
    syncText(noButton_, form_.noButton.caption);
    const bool shown = (::GetWindowLongPtrW(window(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (form_.visible && !shown) {
        if (!shownOnce_) {
            shownOnce_ = true;
            placeCentredOver(owner_);
        }
        keepInsideWorkArea(window());
        bringToFront(window());
    } else if (!form_.visible && shown) {
        ::ShowWindow(window(), SW_HIDE);
    }
}

}  // namespace quorvel
