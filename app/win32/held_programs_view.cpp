#include "app/win32/held_programs_view.h"

#include <utility>

#include "app/win32/control_ids.h"
#include "platform/win32/widgets/controls.h"
#include "platform/win32/widgets/list_box.h"

namespace quorvel {

namespace ids = view_ids;

namespace {

constexpr int ClientWidth = 8400;
constexpr int ClientHeight = 5400;
constexpr int Margin = 120;
constexpr int ButtonWidth = 1440;
constexpr int ButtonHeight = 345;
constexpr int Wide = ClientWidth - 2 * Margin;

// Creation order is tab order: the list, the program box, the buttons.
std::vector<Control> heldControls(HeldProgramsWindow& held) {
    using enum ControlKind;
    const auto button = [](int left) {
        return TwipsRect{left, ClientHeight - Margin - ButtonHeight, ButtonWidth, ButtonHeight};
    };
    return {
        {ids::HeldListLabel, Static, 0, TwipsRect{Margin, Margin, Wide, 240}, GrowWide,
         &held.listLabel.caption, "T"},
        {ids::HeldList, ListBox, LBS_NOINTEGRALHEIGHT | WS_HSCROLL,
         TwipsRect{Margin, 360, Wide, 2160}, GrowWide | GrowTall},
        {ids::HeldProgramLabel, Static, 0, TwipsRect{Margin, 2640, Wide, 240}, GrowWide | MoveDown,
         &held.programLabel.caption, "P"},
        {ids::HeldProgramBox, MultiLineEdit, ES_READONLY | WS_VSCROLL,
         TwipsRect{Margin, 2880, Wide, 1560}, GrowWide | MoveDown, &held.programBox},
        {ids::HeldApproveButton, PushButton, 0, button(Margin), MoveDown, &held.approveButton, "A",
         [&held] { held.approveSelected(); }},
        {ids::HeldRemoveButton, PushButton, 0, button(Margin + ButtonWidth + Margin), MoveDown,
         &held.removeButton, "R", [&held] { held.removeSelected(); }},
        {ids::HeldCloseButton, PushButton, 0, button(ClientWidth - Margin - ButtonWidth),
         MoveDown | MoveRight, &held.closeButton, "C", [&held] { held.close(); }},
    };
}

}  // namespace

HeldProgramsView::HeldProgramsView(HINSTANCE instance, HWND owner, HeldProgramsWindow& held,
                                   std::function<void()> modelChanged)
    : owner_(owner), held_(held) {
    const Shape shape{ids::HeldProgramsClass,
                      held_.caption,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                      WS_EX_CONTROLPARENT,
                      owner,
                      ClientWidth,
                      ClientHeight};
    if (createWindow(instance, shape)) {
        createControls(heldControls(held_), std::move(modelChanged));
        list_ = control(ids::HeldList);
        layoutControls();
    }
}

LRESULT HeldProgramsView::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        close();
        return 0;
    }
    return ViewWindow::onMessage(message, wParam, lParam);
}

void HeldProgramsView::close() {
    held_.close();
    modelChanged();
}

void HeldProgramsView::onControlCommand(int id, int code) {
    if (id != ids::HeldList) {
        ViewWindow::onControlCommand(id, code);
    } else if (const auto row = chosenListRow(list_, code); row && !echoing()) {
        held_.selectRow(*row);
        modelChanged();
    }
}

void HeldProgramsView::refreshOthers() {
    if (list_ == nullptr) {
        return;
    }
    std::vector<std::string> rows;
    for (const HeldProgramsWindow::Row& row : held_.rows()) {
        rows.push_back(HeldProgramsWindow::shownRow(row));
    }
    // The list scrolls sideways as far as its longest row: nothing is cut off.
    syncListBox(list_, rows, shownRows_, held_.selected, true);
    showAsModelSays(held_.visible, held_.bringToFront);
    held_.bringToFront = false;
    if (held_.focusedControl == &held_.approveButton) {
        // A request of the model's, carried out once.
        held_.focusedControl = nullptr;
        ::SetFocus(control(ids::HeldApproveButton));
    }
    moveFocusOffDisabled(window());
}

}  // namespace quorvel
