#include "app/win32/common_text_view.h"

#include <algorithm>
#include <utility>

#include "app/win32/control_ids.h"
#include "platform/win32/widgets/controls.h"
#include "platform/win32/widgets/dpi.h"
#include "platform/win32/widgets/list.h"
#include "platform/win32/win32_text.h"
#include "ui/list_row_text.h"

namespace quorvel {

namespace ids = view_ids;

namespace {

constexpr int ClientWidth = 6300;
constexpr int ClientHeight = 5400;
constexpr int BoxWidth = 4200;
constexpr int ButtonLeft = 4440;
constexpr int ButtonWidth = 1740;
constexpr int ButtonHeight = 345;
constexpr DWORD WindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;

// Room beyond the window's first size goes to the box and the list, the
// buttons keeping to the right. The label's access key puts the focus into
// the box made after it.
std::vector<Control> commonTextControls(CommonTextWindow& commonText) {
    using enum ControlKind;
    const auto button = [](int top) {
        return TwipsRect{ButtonLeft, top, ButtonWidth, ButtonHeight};
    };
    return {
        {ids::CommonEntryLabel, Static, 0, TwipsRect{120, 120, 1500, 240}, Fixed,
         &commonText.entryLabel.caption, "E"},
        {ids::CommonEntryBox, MultiLineEdit, 0, TwipsRect{120, 360, BoxWidth, 900}, GrowWide,
         &commonText.entryBox},
        {ids::CommonAddButton, PushButton, 0, button(360), MoveRight, &commonText.addButton, "",
         [&commonText] { commonText.addText(); }},
        {ids::CommonRemoveButton, PushButton, 0, button(765), MoveRight, &commonText.removeButton,
         "", [&commonText] { commonText.removeText(); }},
        {ids::CommonSortButton, PushButton, 0, button(1170), MoveRight, &commonText.sortButton, "S",
         [&commonText] { commonText.sortTexts(); }},
        {ids::CommonTextList, ListBox, WS_HSCROLL | LBS_NOINTEGRALHEIGHT,
         TwipsRect{120, 1380, BoxWidth, 2520}, GrowWide | GrowTall},
        {ids::CommonCloseButton, PushButton, 0, button(3555), MoveRight | MoveDown,
         &commonText.closeButton, "C", [&commonText] { commonText.close(); }},
        {ids::CommonHintLabel, Static, SS_NOPREFIX, TwipsRect{120, 4020, ClientWidth - 240, 1260},
         GrowWide | MoveDown, &commonText.hintLabel.caption},
    };
}

}  // namespace

CommonTextView::CommonTextView(HINSTANCE instance, HWND mainWindow, CommonTextWindow& commonText,
                               std::function<void()> modelChanged)
    : mainWindow_(mainWindow), commonText_(commonText) {
    const Shape shape{
        ids::CommonTextClass, commonText_.caption, WindowStyle, WS_EX_CONTROLPARENT, nullptr,
        ClientWidth,          ClientHeight};
    if (createWindow(instance, shape)) {
        createControls(commonTextControls(commonText_), std::move(modelChanged));
        texts_ = control(ids::CommonTextList);
        layoutControls();
    }
}

void CommonTextView::layoutControls() {
    ViewWindow::layoutControls();
    if (texts_ != nullptr && measuredDpi_ != dpi()) {
        measureRows();  // the font has changed with the DPI
    }
}

LRESULT CommonTextView::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // The close box does what "Close" does: the window stays loaded, hidden.
        commonText_.close();
        modelChanged();
        return 0;
    }
    return ViewWindow::onMessage(message, wParam, lParam);
}

void CommonTextView::onControlCommand(int id, int code) {
    if (id != ids::CommonTextList) {
        ViewWindow::onControlCommand(id, code);
        return;
    }
    if (echoing() || code != LBN_SELCHANGE) {
        return;
    }
    const LRESULT row = ::SendMessageW(texts_, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR) {
        return;
    }
    commonText_.copyRow(static_cast<std::size_t>(row));
    modelChanged();
}

void CommonTextView::refreshRows() {
    if (shownRevision_ != commonText_.texts.rows.revision()) {
        ::SendMessageW(texts_, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(texts_, LB_RESETCONTENT, 0, 0);
        for (std::size_t row = 0; row < commonText_.texts.rows.size(); ++row) {
            const std::wstring shown =
                wideText(markLineBreaks(commonText_.texts.rows[row], lineBreakMark()));
            ::SendMessageW(texts_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        }
        ::SendMessageW(texts_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(texts_, nullptr, TRUE);
        shownRevision_ = commonText_.texts.rows.revision();
        measureRows();
    }
    const LRESULT shown = ::SendMessageW(texts_, LB_GETCURSEL, 0, 0);
    const LRESULT wanted =
        commonText_.texts.selected ? static_cast<LRESULT>(*commonText_.texts.selected) : LB_ERR;
    if (shown != wanted) {
        ::SendMessageW(texts_, LB_SETCURSEL, static_cast<WPARAM>(wanted), 0);
    }
}

// A row wider than the list scrolls sideways instead of being cut.
void CommonTextView::measureRows() {
    const TextMeasure measure(texts_, controlFont());
    int widest = 0;
    for (std::size_t row = 0; row < commonText_.texts.rows.size(); ++row) {
        widest = std::max(
            widest,
            measure.width(wideText(markLineBreaks(commonText_.texts.rows[row], lineBreakMark()))));
    }
    // Room for the text's margin inside the list.
    const int margin = twipsToPixels(120, dpi());
    ::SendMessageW(texts_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + margin), 0);
    measuredDpi_ = dpi();
}

void CommonTextView::refreshOthers() {
    syncText(window(), commonText_.caption);
    refreshRows();
    showAsModelSays(commonText_.visible, commonText_.bringToFront);
    commonText_.bringToFront = false;
    if (commonText_.focusedControl == &commonText_.entryBox) {
        // A request of the model's, carried out once.
        commonText_.focusedControl = nullptr;
        ::SetFocus(control(ids::CommonEntryBox));
    }
}

}  // namespace quorvel
