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

StartUpQuestionView::StartUpQuestionView(HINSTANCE instance, HWND owner, Form2255& form,
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
    label1_ = createControl(parent, L"STATIC", "", SS_LEFT, ids::Form2255Label1, font);
    check1_ = createControl(parent, L"BUTTON", "", WS_TABSTOP | BS_AUTOCHECKBOX,
                            ids::Form2255Check1, font);
    command1_ = createControl(parent, L"BUTTON", "", WS_TABSTOP | BS_DEFPUSHBUTTON,
                              ids::Form2255Command1, font);
    command2_ = createControl(parent, L"BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON,
                              ids::Form2255Command2, font);
}

void StartUpQuestionView::layoutControls() {
    const int dpi = ViewWindow::dpi();
    placeInTwips(label1_, {240, 240, 4320, 480}, dpi);
    placeInTwips(check1_, {240, 780, 4320, 255}, dpi);
    placeInTwips(command1_, {1200, 1200, 1100, 345}, dpi);
    placeInTwips(command2_, {2500, 1200, 1100, 345}, dpi);
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
        ::SendMessageW(command1_, BM_CLICK, 0, 0);
    }
}

void StartUpQuestionView::onControlCommand(int id, int code) {
    if (echo_ || code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case ids::Form2255Check1:
            form_.Check1.value = ::SendMessageW(check1_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
            break;
        case ids::Form2255Command1:
            form_.Command1_Click();
            break;
        case ids::Form2255Command2:
            form_.Command2_Click();
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
    syncText(label1_, form_.Label1.caption);
    syncText(check1_, withAccessKey(form_.Check1.caption, "D"));
    syncChecked(check1_, form_.Check1.value == 1);
    syncText(command1_, form_.Command1.caption);
    syncText(command2_, form_.Command2.caption);
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
