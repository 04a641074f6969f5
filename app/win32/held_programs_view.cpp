#include "app/win32/held_programs_view.h"

#include <algorithm>
#include <utility>

#include "app/win32/control_ids.h"
#include "platform/win32/widgets/controls.h"
#include "platform/win32/win32_text.h"

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
        return;
    }
    if (echoing() || code != LBN_SELCHANGE) {
        return;
    }
    const LRESULT row = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (row != LB_ERR) {
        held_.selectRow(static_cast<std::size_t>(row));
        modelChanged();
    }
}

void HeldProgramsView::refreshRows() {
    if (shownRows_ != held_.rows()) {
        ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
        // The list scrolls sideways as far as its longest row: nothing is cut off.
        const HDC dc = ::GetDC(list_);
        const HGDIOBJ oldFont = ::SelectObject(dc, controlFont());
        LONG widest = 0;
        for (const HeldProgramsWindow::Row& row : held_.rows()) {
            const std::wstring shown = wideText(HeldProgramsWindow::shownRow(row));
            ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
            SIZE size{};
            ::GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
            widest = std::max(widest, size.cx);
        }
        ::SelectObject(dc, oldFont);
        ::ReleaseDC(list_, dc);
        ::SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
        shownRows_ = held_.rows();
    }
    const LRESULT wanted = held_.selected ? static_cast<LRESULT>(*held_.selected) : LB_ERR;
    if (::SendMessageW(list_, LB_GETCURSEL, 0, 0) != wanted) {
        ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(wanted), 0);
    }
}

void HeldProgramsView::refreshOthers() {
    if (list_ == nullptr) {
        return;
    }
    refreshRows();
    showAsModelSays(held_.visible, held_.bringToFront);
    held_.bringToFront = false;
    if (held_.focusedControl == &held_.approveButton) {
        // A request of the model's, carried out once.
        held_.focusedControl = nullptr;
        ::SetFocus(control(ids::HeldApproveButton));
    }
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window(), focus) && !::IsWindowEnabled(focus)) {
        ::SetFocus(::GetNextDlgTabItem(window(), focus, FALSE));
    }
}

}  // namespace quorvel
