#include "app/win32/insert_popup_view.h"

#include <utility>

#include "app/win32/control_ids.h"
#include "platform/win32/widgets/controls.h"
#include "platform/win32/widgets/placement.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

namespace ids = view_ids;

namespace {

constexpr int ClientWidth = 6000;
constexpr int ClientHeight = 4200;
constexpr int Margin = 90;
constexpr int BoxHeight = 315;
constexpr int NoteHeight = 480;
constexpr int Gap = 4;  // pixels between the caret and the popup

std::vector<Control> popupControls(InsertPopup& popup) {
    using enum ControlKind;
    const int inner = ClientWidth - 2 * Margin;
    const int listTop = Margin + BoxHeight + Margin;
    const int noteTop = ClientHeight - Margin - NoteHeight;
    return {
        {ids::FindSearchBox, Edit, ES_AUTOHSCROLL, TwipsRect{Margin, Margin, inner, BoxHeight},
         GrowWide, &popup.searchBox},
        {ids::FindRows, ListBox, LBS_NOINTEGRALHEIGHT,
         TwipsRect{Margin, listTop, inner, noteTop - Margin - listTop}, GrowWide | GrowTall},
        {ids::FindNote, Static, 0, TwipsRect{Margin, noteTop, inner, NoteHeight},
         GrowWide | MoveDown, &popup.note.caption},
    };
}

ScreenRect toScreen(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The caret of the window in front in screen pixels, or the mouse pointer's
// point when that window keeps no system caret.
ScreenRect caretOrPointer(HWND target) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = target != nullptr ? ::GetWindowThreadProcessId(target, nullptr) : 0;
    if (thread != 0 && ::GetGUIThreadInfo(thread, &info) && info.hwndCaret != nullptr &&
        info.rcCaret.bottom > info.rcCaret.top) {
        RECT caret = info.rcCaret;
        ::MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret), 2);
        return toScreen(caret);
    }
    POINT pointer{};
    ::GetCursorPos(&pointer);
    return {pointer.x, pointer.y, pointer.x, pointer.y};
}

}  // namespace

InsertPopupView::InsertPopupView(HINSTANCE instance, MainWindow& mainWindow, EventLoop& loop,
                                 std::function<void()> modelChanged)
    : mainWindow_(mainWindow), popup_(mainWindow.popup), loop_(loop) {
    // No owner: the popup comes up over any program without the main window.
    const Shape shape{ids::FindAndTypeClass,
                      "Find and Type - Quorvel",
                      WS_POPUP | WS_CAPTION,
                      WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT,
                      nullptr,
                      ClientWidth,
                      ClientHeight};
    if (createWindow(instance, shape)) {
        createControls(popupControls(popup_), std::move(modelChanged));
        list_ = control(ids::FindRows);
        layoutControls();
    }
}

void InsertPopupView::noteTarget() {
    if (!popup_.visible && !awaiting_) {
        target_ = ::GetForegroundWindow();
    }
}

bool InsertPopupView::onKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.hwnd != control(ids::FindSearchBox) ||
        (message.wParam != VK_UP && message.wParam != VK_DOWN)) {
        return false;
    }
    popup_.moveSelection(message.wParam == VK_UP ? -1 : +1);
    modelChanged();
    return true;
}

LRESULT InsertPopupView::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE && popup_.visible) {
        // A click elsewhere: the popup goes, and the window clicked keeps the focus.
        deactivated_ = true;
        popup_.close();
        modelChanged();
    } else if (message == WM_CLOSE) {
        onEscapeKey();
        return 0;
    }
    return ViewWindow::onMessage(message, wParam, lParam);
}

void InsertPopupView::onControlCommand(int id, int code) {
    if (id != ids::FindRows) {
        ViewWindow::onControlCommand(id, code);
        return;
    }
    if (echoing()) {
        return;
    }
    const LRESULT row = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR) {
        return;
    }
    if (code == LBN_SELCHANGE) {
        popup_.select(static_cast<std::size_t>(row));
        modelChanged();
    } else if (code == LBN_DBLCLK) {
        popup_.chooseRow(static_cast<std::size_t>(row));
        modelChanged();
    }
}

void InsertPopupView::onEnterKey() {
    pullTexts();
    popup_.choose();
    modelChanged();
}

void InsertPopupView::onEscapeKey() {
    popup_.close();
    modelChanged();
}

void InsertPopupView::refreshRows() {
    if (shownRevision_ == popup_.revision) {
        return;
    }
    shownRevision_ = popup_.revision;
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const InsertPopup::Row& row : popup_.rows) {
        ::SendMessageW(list_, LB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(wideText(row.shown).c_str()));
    }
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
}

void InsertPopupView::refreshOthers() {
    if (list_ == nullptr) {
        return;
    }
    refreshRows();
    const LRESULT wanted = popup_.selected ? static_cast<LRESULT>(*popup_.selected) : LB_ERR;
    if (::SendMessageW(list_, LB_GETCURSEL, 0, 0) != wanted) {
        ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(wanted), 0);
    }
    const bool shown = ::IsWindowVisible(window()) != FALSE;
    if (popup_.visible && !shown) {
        deactivated_ = false;
        showNearCaret();
    } else if (!popup_.visible && shown) {
        ::ShowWindow(window(), SW_HIDE);
        if (!deactivated_ || mainWindow_.popupChoice) {
            returnFocus();
        }
    }
}

void InsertPopupView::showNearCaret() {
    RECT own{};
    ::GetWindowRect(window(), &own);
    const ScreenRect caret = caretOrPointer(target_);
    const RECT caretRect{caret.left, caret.top, caret.right, caret.bottom};
    const ScreenRect placed = nearCaret(own.right - own.left, own.bottom - own.top, caret,
                                        workAreaAround(caretRect), Gap);
    ::SetWindowPos(window(), HWND_TOPMOST, placed.left, placed.top, placed.width(), placed.height(),
                   SWP_NOACTIVATE);
    // On a monitor of another DPI the window has taken that monitor's size now.
    keepInsideWorkArea(window());
    bringToFront(window());
    ::SetFocus(control(ids::FindSearchBox));
}

void InsertPopupView::returnFocus() {
    if (target_ != nullptr && ::IsWindow(target_)) {
        ::SetForegroundWindow(target_);
    }
    if (mainWindow_.popupChoice && !awaiting_) {
        awaiting_ = true;
        awaitTarget(::GetTickCount64());
    }
}

void InsertPopupView::awaitTarget(std::uint64_t started) {
    const HWND front = ::GetForegroundWindow();
    if (front == target_ || (front != nullptr && front != window() && target_ == nullptr)) {
        awaiting_ = false;
        mainWindow_.sendPopupChoice();
        modelChanged();
        return;
    }
    if (::GetTickCount64() - started >= FocusReturnMilliseconds || !::IsWindow(target_)) {
        awaiting_ = false;
        mainWindow_.dropPopupChoice();
        modelChanged();
        return;
    }
    loop_.postAfter(10, [this, started] { awaitTarget(started); });
}

}  // namespace quorvel
