#include "app/win32/common_text_view.h"

#include <algorithm>
#include <utility>

#include "app/win32/control_ids.h"
#include "platform/win32/widgets/controls.h"
#include "platform/win32/widgets/dpi.h"
#include "platform/win32/widgets/keyboard.h"
#include "platform/win32/widgets/list.h"
#include "platform/win32/widgets/placement.h"
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
constexpr DWORD WindowExtendedStyle = WS_EX_CONTROLPARENT;

}  // namespace

CommonTextView::CommonTextView(HINSTANCE instance, HWND mainWindow, CommonTextWindow& form,
                               std::function<void()> modelChanged)
    : mainWindow_(mainWindow), form_(form), modelChanged_(std::move(modelChanged)) {
    const Shape shape{ids::CommonTextClass, form_.caption, WindowStyle,
                      WindowExtendedStyle,  nullptr,       ClientWidth,
                      ClientHeight};
    if (createWindow(instance, shape)) {
        createControls();
        layoutControls();
    }
}

void CommonTextView::createControls() {
    const HWND parent = window();
    const HFONT font = controlFont();
    // Captions come with the first refresh. The label's access key puts the
    // focus into the box created after it.
    entryLabel_ = createControl(parent, L"STATIC", "", SS_LEFT, ids::CommonEntryLabel, font);
    entryBox_ =
        createControl(parent, L"EDIT", "",
                      WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                      ids::CommonEntryBox, font, WS_EX_CLIENTEDGE);
    addButton_ = createControl(parent, L"BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON,
                               ids::CommonAddButton, font);
    removeButton_ = createControl(parent, L"BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON,
                                  ids::CommonRemoveButton, font);
    sortButton_ = createControl(parent, L"BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON,
                                ids::CommonSortButton, font);
    texts_ = createControl(parent, L"LISTBOX", "",
                           WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                           ids::CommonTextList, font, WS_EX_CLIENTEDGE);
    closeButton_ = createControl(parent, L"BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON,
                                 ids::CommonCloseButton, font);
    hintLabel_ = createControl(parent, L"STATIC", form_.hintLabel.caption, SS_LEFT | SS_NOPREFIX,
                               ids::CommonHintLabel, font);
    letTabAndEscLeaveBox(entryBox_);
}

// The window's own size at least; room beyond it goes to the box and the list,
// the buttons keeping to the right.
void CommonTextView::layoutControls() {
    if (entryLabel_ == nullptr) {
        return;  // WM_SIZE while the window is being made
    }
    const int dpi = ViewWindow::dpi();
    RECT client{};
    ::GetClientRect(window(), &client);
    // Compared in pixels: at the size it opens with, the client area is exactly
    // the layout's, and no rounding of pixels back to twips may add room.
    const auto room = [dpi](LONG pixels, int twips) {
        const int extra = static_cast<int>(pixels) - twipsToPixels(twips, dpi);
        return extra > 0 ? pixelsToTwips(extra, dpi) : 0;
    };
    const int wider = room(client.right, ClientWidth);
    const int taller = room(client.bottom, ClientHeight);
    const int buttonLeft = ButtonLeft + wider;
    placeInTwips(entryLabel_, {120, 120, 1500, 240}, dpi);
    placeInTwips(entryBox_, {120, 360, BoxWidth + wider, 900}, dpi);
    placeInTwips(addButton_, {buttonLeft, 360, ButtonWidth, ButtonHeight}, dpi);
    placeInTwips(removeButton_, {buttonLeft, 765, ButtonWidth, ButtonHeight}, dpi);
    placeInTwips(sortButton_, {buttonLeft, 1170, ButtonWidth, ButtonHeight}, dpi);
    placeInTwips(texts_, {120, 1380, BoxWidth + wider, 2520 + taller}, dpi);
    placeInTwips(closeButton_, {buttonLeft, 3555 + taller, ButtonWidth, ButtonHeight}, dpi);
    placeInTwips(hintLabel_, {120, 4020 + taller, ClientWidth - 240 + wider, 1260}, dpi);
    if (measuredDpi_ != dpi) {
        measureRows();  // the font has changed with the DPI
    }
}

LRESULT CommonTextView::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        layoutControls();
        return 0;
    }
    if (message == WM_GETMINMAXINFO) {
        // Never smaller than the size it opens at, which cuts no control. The
        // frame is taken as drawn: a computed one may be off by a pixel, and
        // would keep the window from its exact size.
        RECT outer{};
        RECT client{};
        if (window() != nullptr && ::GetWindowRect(window(), &outer) &&
            ::GetClientRect(window(), &client)) {
            auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
            limits.ptMinTrackSize = {
                twipsToPixels(ClientWidth, dpi()) + (outer.right - outer.left) - client.right,
                twipsToPixels(ClientHeight, dpi()) + (outer.bottom - outer.top) - client.bottom};
        }
        return 0;
    }
    if (message == WM_CLOSE) {
        // The close box does what "Close" does: the window stays loaded, hidden.
        form_.close();
        modelChanged_();
        return 0;
    }
    return ViewWindow::onMessage(message, wParam, lParam);
}

void CommonTextView::onControlCommand(int id, int code) {
    if (echo_) {
        return;
    }
    if (id == ids::CommonEntryBox) {
        if (code != EN_CHANGE) {
            return;
        }
        form_.entryBox.setText(windowText(entryBox_));
    } else if (id == ids::CommonTextList) {
        if (code != LBN_SELCHANGE) {
            return;
        }
        const LRESULT row = ::SendMessageW(texts_, LB_GETCURSEL, 0, 0);
        if (row == LB_ERR) {
            return;
        }
        form_.copyRow(static_cast<std::size_t>(row));
    } else {
        if (code != BN_CLICKED) {
            return;
        }
        // A multi-line box raises no change notification for WM_SETTEXT.
        form_.entryBox.setText(windowText(entryBox_));
        switch (id) {
            case ids::CommonAddButton:
                form_.addText();
                break;
            case ids::CommonRemoveButton:
                form_.removeText();
                break;
            case ids::CommonCloseButton:
                form_.close();
                break;
            case ids::CommonSortButton:
                form_.sortTexts();
                break;
            default:
                return;
        }
    }
    modelChanged_();
}

void CommonTextView::refreshRows() {
    if (shownRevision_ != form_.texts.rows.revision()) {
        ::SendMessageW(texts_, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(texts_, LB_RESETCONTENT, 0, 0);
        for (std::size_t row = 0; row < form_.texts.rows.size(); ++row) {
            const std::wstring shown =
                wideText(markLineBreaks(form_.texts.rows[row], lineBreakMark()));
            ::SendMessageW(texts_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        }
        ::SendMessageW(texts_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(texts_, nullptr, TRUE);
        shownRevision_ = form_.texts.rows.revision();
        measureRows();
    }
    const LRESULT shown = ::SendMessageW(texts_, LB_GETCURSEL, 0, 0);
    const LRESULT wanted =
        form_.texts.selected ? static_cast<LRESULT>(*form_.texts.selected) : LB_ERR;
    if (shown != wanted) {
        ::SendMessageW(texts_, LB_SETCURSEL, static_cast<WPARAM>(wanted), 0);
    }
}

// A row wider than the list scrolls sideways instead of being cut.
void CommonTextView::measureRows() {
    const TextMeasure measure(texts_, controlFont());
    int widest = 0;
    for (std::size_t row = 0; row < form_.texts.rows.size(); ++row) {
        widest = std::max(
            widest,
            measure.width(wideText(markLineBreaks(form_.texts.rows[row], lineBreakMark()))));
    }
    // Room for the text's margin inside the list.
    const int margin = twipsToPixels(120, dpi());
    ::SendMessageW(texts_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + margin), 0);
    measuredDpi_ = dpi();
}

void CommonTextView::refreshWindow() {
    const bool shown = (::GetWindowLongPtrW(window(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (form_.visible && !shownOnce_) {
        shownOnce_ = true;
        placeBeside(mainWindow_);
    }
    if (form_.visible && (!shown || form_.bringToFront)) {
        if (!shown) {
            keepInsideWorkArea(window());
        }
        bringToFront(window());
    } else if (!form_.visible && shown) {
        ::ShowWindow(window(), SW_HIDE);
    }
    form_.bringToFront = false;
}

void CommonTextView::refresh() {
    if (window() == nullptr) {
        return;
    }
    const EchoGuard guard(echo_);
    syncText(window(), form_.caption);
    syncText(entryLabel_, withAccessKey(form_.entryLabel.caption, "E"));
    syncText(hintLabel_, form_.hintLabel.caption);
    syncText(entryBox_, form_.entryBox.text());
    const struct {
        HWND control;
        const Button& button;
        const char* keyAt;
    } buttons[] = {{addButton_, form_.addButton, ""},
                   {removeButton_, form_.removeButton, ""},
                   {closeButton_, form_.closeButton, "C"},
                   {sortButton_, form_.sortButton, "S"}};
    for (const auto& [control, button, keyAt] : buttons) {
        syncText(control, withAccessKey(button.caption, keyAt));
        syncEnabled(control, button.enabled);
        syncVisible(control, button.visible);
    }
    refreshRows();
    refreshWindow();
    if (form_.focusedControl == &form_.entryBox) {
        // A request of the model's, carried out once.
        form_.focusedControl = nullptr;
        ::SetFocus(entryBox_);
    }
}

}  // namespace quorvel
