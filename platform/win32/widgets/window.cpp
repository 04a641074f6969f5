#include "platform/win32/widgets/window.h"

#include <iterator>
#include <utility>

#include "platform/win32/widgets/acting_window.h"
#include "platform/win32/widgets/button.h"
#include "platform/win32/widgets/controls.h"
#include "platform/win32/widgets/list.h"
#include "platform/win32/widgets/panel.h"
#include "platform/win32/widgets/placement.h"
#include "platform/win32/win32_program_icon.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

ViewWindow::~ViewWindow() {
    // The window may still get messages while it is destroyed; this object is gone by then.
    if (window_) {
        ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    }
}

bool ViewWindow::createWindow(HINSTANCE instance, const Shape& shape) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!::GetClassInfoExW(instance, shape.windowClass, &windowClass)) {
        windowClass.lpfnWndProc = &ViewWindow::procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = programIcons().large;
        windowClass.hIconSm = programIcons().small;
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = shape.windowClass;
        if (::RegisterClassExW(&windowClass) == 0) {
            return false;
        }
    }
    shape_ = shape;
    const bool sizedByView = shape.clientWidthTwips <= 0;
    // The handle is taken over at WM_NCCREATE, so that the first messages find it.
    const HWND created = ::CreateWindowExW(
        shape.extendedStyle, shape.windowClass, wideText(shape.caption).c_str(), shape.style,
        CW_USEDEFAULT, CW_USEDEFAULT, sizedByView ? CW_USEDEFAULT : 100,
        sizedByView ? CW_USEDEFAULT : 100, shape.owner, nullptr, instance, this);
    if (created == nullptr) {
        // A window that failed after WM_NCCREATE is already gone.
        window_.release();
        return false;
    }
    // No WM_DPICHANGED comes for the monitor the window is created on.
    dpi_ = dpiOf(created);
    font_ = messageFont(dpi_);
    if (!sizedByView) {
        RECT rect{};
        ::GetWindowRect(created, &rect);
        sizeForDpi(rect.left, rect.top);
    }
    return true;
}

void ViewWindow::sizeForDpi(int left, int top) {
    const int width = twipsToPixels(shape_.clientWidthTwips, dpi_);
    const int height = twipsToPixels(shape_.clientHeightTwips, dpi_);
    SIZE outer = outerSizeForClient(width, height, shape_.style, shape_.extendedStyle, dpi_);
    ::SetWindowPos(window_.get(), nullptr, left, top, outer.cx, outer.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame drawn may differ by a pixel or two from the one computed (a
    // sizing border at some DPIs): the client area is what the layout needs.
    RECT client{};
    ::GetClientRect(window_.get(), &client);
    if (client.right != width || client.bottom != height) {
        outer.cx += width - client.right;
        outer.cy += height - client.bottom;
        ::SetWindowPos(window_.get(), nullptr, 0, 0, outer.cx, outer.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ViewWindow::fitToDpi(const RECT& suggested) {
    // The suggested place, with the size worked out from our own twips.
    sizeForDpi(suggested.left, suggested.top);
}

void ViewWindow::changeDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    rebuildFont();
    fitToDpi(suggested);
    layoutControls();
}

void ViewWindow::rebuildFont() {
    UniqueHfont replaced = std::move(font_);
    font_ = messageFont(dpi_);
    applyFont(window_.get(), font_.get());
    // `replaced` goes only now that no control draws with it.
}

void ViewWindow::followMonitorDpi() {
    const int now = dpiOf(window_.get());
    if (now == dpi_) {
        return;
    }
    RECT rect{};
    ::GetWindowRect(window_.get(), &rect);
    changeDpi(now, rect);
    keepInsideWorkArea(window_.get());
}

void ViewWindow::placeBeside(HWND other) {
    quorvel::placeBeside(window_.get(), other);
    followMonitorDpi();
}

void ViewWindow::placeCentredOver(HWND other) {
    quorvel::placeCentredOver(window_.get(), other);
    followMonitorDpi();
}

namespace {

// The class, style and extended style of each ControlKind, in its order; the
// virtual list and the panel are made by their own functions.
struct Made {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle;
};
constexpr Made Kinds[] = {
    {L"STATIC", SS_LEFT, 0},
    {L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0},
    {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {L"EDIT", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
     WS_EX_CLIENTEDGE},
    {L"BUTTON", WS_TABSTOP, 0},
    {L"BUTTON", BS_AUTORADIOBUTTON, 0},
    {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, WS_EX_CLIENTEDGE},
};
static_assert(std::size(Kinds) == static_cast<std::size_t>(ControlKind::VirtualList));

// Tab lands on the option that is selected, as in a dialog.
void syncOption(HWND option, bool selected) {
    syncChecked(option, selected);
    const LONG_PTR style = ::GetWindowLongPtrW(option, GWL_STYLE);
    const LONG_PTR wanted =
        selected ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP);
    if (wanted != style) {
        ::SetWindowLongPtrW(option, GWL_STYLE, wanted);
    }
}

void raise(HWND control) {
    ::SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool ownerDrawn(const Control& row) {
    return (row.style & BS_TYPEMASK) == BS_OWNERDRAW;
}

}  // namespace

void ViewWindow::createControls(std::vector<Control> table, std::function<void()> modelChanged) {
    controls_ = std::move(table);
    modelChanged_ = std::move(modelChanged);
    const HFONT font = font_.get();
    for (Control& row : controls_) {
        const HWND parent = row.parent == 0 ? window_.get() : control(row.parent);
        if (parent == nullptr) {
            continue;
        }
        // Captions come with the first refresh.
        if (row.kind == ControlKind::VirtualList) {
            row.handle = createVirtualList(parent, row.id, font);
        } else if (row.kind == ControlKind::Panel) {
            row.handle = createPanel(parent, row.id);
            raise(row.handle);
        } else {
            const Made& made = Kinds[static_cast<int>(row.kind)];
            row.handle = createControl(parent, made.windowClass, "", made.style | row.style, row.id,
                                       font, made.extendedStyle);
        }
        if (row.kind == ControlKind::MultiLineEdit) {
            letTabAndEscLeaveBox(row.handle);
        }
    }
}

HWND ViewWindow::control(int id) const {
    for (const Control& row : controls_) {
        if (row.id == id) {
            return row.handle;
        }
    }
    return nullptr;
}

Control* ViewWindow::row(int id) {
    for (Control& row : controls_) {
        if (row.id == id && row.handle != nullptr) {
            return &row;
        }
    }
    return nullptr;
}

ViewWindow::Room ViewWindow::room() const {
    RECT client{};
    ::GetClientRect(window_.get(), &client);
    // Compared in pixels: at the size it opens with, the client area is exactly
    // the shape's, and no rounding of pixels back to twips may add room.
    const auto beyond = [this](LONG pixels, int twips) {
        const int extra = static_cast<int>(pixels) - twipsToPixels(twips, dpi_);
        return extra > 0 ? pixelsToTwips(extra, dpi_) : 0;
    };
    return {beyond(client.right, shape_.clientWidthTwips),
            beyond(client.bottom, shape_.clientHeightTwips)};
}

void ViewWindow::layoutControls() {
    if (controls_.empty()) {
        return;  // WM_SIZE while the window is being made
    }
    const Room extra = room();
    for (const Control& row : controls_) {
        if (row.handle == nullptr) {
            continue;
        }
        TwipsRect at = row.place;
        at.width += (row.follow & GrowWide) != 0 ? extra.wider : 0;
        at.height += (row.follow & GrowTall) != 0 ? extra.taller : 0;
        at.left += (row.follow & MoveRight) != 0 ? extra.wider : 0;
        at.top += (row.follow & MoveDown) != 0 ? extra.taller : 0;
        placeInTwips(row.handle, at, dpi_);
        if (row.kind == ControlKind::VirtualList) {
            fitVirtualColumn(row.handle);
        }
    }
}

void ViewWindow::limitTrackSize(MINMAXINFO& limits) const {
    // The frame is taken as drawn: a computed one may be off by a pixel, and
    // would keep the window from its exact size.
    RECT outer{};
    RECT client{};
    if ((shape_.style & WS_THICKFRAME) == 0 || !::GetWindowRect(window_.get(), &outer) ||
        !::GetClientRect(window_.get(), &client)) {
        return;
    }
    limits.ptMinTrackSize = {
        twipsToPixels(shape_.clientWidthTwips, dpi_) + (outer.right - outer.left) - client.right,
        twipsToPixels(shape_.clientHeightTwips, dpi_) + (outer.bottom - outer.top) - client.bottom};
}

void ViewWindow::runClick(int id) {
    const Control* clicked = row(id);
    if (clicked == nullptr || !clicked->onClick) {
        return;
    }
    pullTexts();
    clicked->onClick();
}

void ViewWindow::recordTyped(Control& row, TextBox& box) {
    const std::string typed = windowText(row.handle);
    box.setText(typed);
    // The model may have put something else in its place, which the box must
    // then be given.
    if (box.text() == typed) {
        row.shownRevision = box.revision();
    }
}

void ViewWindow::pullTexts() {
    for (Control& box : controls_) {
        if (auto* const* text = std::get_if<TextBox*>(&box.model); text && box.handle) {
            recordTyped(box, **text);
        }
    }
}

void ViewWindow::onControlCommand(int id, int code) {
    Control* source = row(id);
    if (echo_ || source == nullptr) {
        return;
    }
    if (auto* const* box = std::get_if<TextBox*>(&source->model)) {
        if (code != EN_CHANGE) {
            return;
        }
        recordTyped(*source, **box);
    } else if (code != BN_CLICKED) {
        return;
    } else if (auto* const* tick = std::get_if<CheckBox*>(&source->model)) {
        (*tick)->value = ::SendMessageW(source->handle, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    } else if (std::holds_alternative<OptionButton*>(source->model)) {
        for (Control& option : controls_) {
            if (auto* const* each = std::get_if<OptionButton*>(&option.model)) {
                (*each)->value = option.id == id;
            }
        }
    } else if (source->onClick) {
        runClick(id);
    } else {
        return;
    }
    modelChanged_();
}

void ViewWindow::onEnterKey() {
    const HWND focus = ::GetFocus();
    for (const Control& box : controls_) {
        if (box.enterRuns != 0 && box.handle == focus) {
            runClick(box.enterRuns);
            modelChanged_();
            return;
        }
    }
    if (clickFocusedButton(window_.get())) {
        return;
    }
    for (const Control& button : controls_) {
        if (button.kind == ControlKind::PushButton &&
            (button.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            ::SendMessageW(button.handle, BM_CLICK, 0, 0);
            return;
        }
    }
}

void ViewWindow::refreshControl(Control& row) {
    const HWND control = row.handle;
    const auto caption = [&row](const std::string& text) {
        return withAccessKey(text, row.accessKey);
    };
    if (const auto* text = std::get_if<const std::string*>(&row.model)) {
        syncText(control, caption(**text));
    } else if (const auto* shows = std::get_if<const bool*>(&row.model)) {
        if (syncVisible(control, **shows) && **shows) {
            raise(control);
        }
    } else if (const auto* box = std::get_if<TextBox*>(&row.model)) {
        // The user's every change comes back through EN_CHANGE, which records
        // the revision it made: a box at the model's revision shows its text.
        if (row.shownRevision != (*box)->revision()) {
            syncText(control, (*box)->text());
            row.shownRevision = (*box)->revision();
        }
        syncVisible(control, (*box)->visible);
        syncEnabled(control, (*box)->enabled);
    } else if (const auto* button = std::get_if<const Button*>(&row.model)) {
        syncText(control, caption((*button)->caption));
        syncEnabled(control, (*button)->enabled);
        syncVisible(control, (*button)->visible);
        if (ownerDrawn(row) && row.shownColour != (*button)->backColor) {
            row.shownColour = (*button)->backColor;
            ::InvalidateRect(control, nullptr, TRUE);
        }
    } else if (const auto* tick = std::get_if<CheckBox*>(&row.model)) {
        syncText(control, caption((*tick)->caption));
        syncChecked(control, (*tick)->value == 1);
    } else if (const auto* option = std::get_if<OptionButton*>(&row.model)) {
        syncText(control, caption((*option)->caption));
        syncOption(control, (*option)->value);
    }
}

void ViewWindow::refresh() {
    if (!window_) {
        return;
    }
    const EchoGuard guard(echo_);
    for (Control& row : controls_) {
        if (row.handle != nullptr) {
            refreshControl(row);
        }
    }
    refreshOthers();
}

void ViewWindow::showAsModelSays(bool visible, bool raise) {
    const bool shown = (::GetWindowLongPtrW(window_.get(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible && (!shown || raise)) {
        if (!shownOnce_) {
            shownOnce_ = true;
            placeFirst();
        }
        if (!shown) {
            keepInsideWorkArea(window_.get());
        }
        bringToFront(window_.get());
    } else if (!visible && shown) {
        ::ShowWindow(window_.get(), SW_HIDE);
    }
}

LRESULT ViewWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) {
                onControlCommand(LOWORD(wParam), HIWORD(wParam));
            } else if (LOWORD(wParam) == IDOK) {
                onEnterKey();
            } else if (LOWORD(wParam) == IDCANCEL) {
                onEscapeKey();
            }
            return 0;
        case WM_ACTIVATE:
            focus_.onActivate(window_.get(), wParam);
            return 0;
        case WM_SIZE:
            // A minimised window keeps its controls as they were.
            if (wParam != SIZE_MINIMIZED) {
                onResized();
                layoutControls();
            }
            return 0;
        case WM_GETMINMAXINFO:
            limitTrackSize(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const Control* drawn = row(static_cast<int>(item.CtlID));
            const auto* button = drawn ? std::get_if<const Button*>(&drawn->model) : nullptr;
            if (button == nullptr) {
                return ::DefWindowProcW(window_.get(), message, wParam, lParam);
            }
            paintColouredButton(item, paintColour((*button)->backColor));
            return TRUE;
        }
        case WM_DPICHANGED:
            changeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETNONCLIENTMETRICS) {
                rebuildFont();
                layoutControls();
            }
            return ::DefWindowProcW(window_.get(), message, wParam, lParam);
        default:
            return ::DefWindowProcW(window_.get(), message, wParam, lParam);
    }
}

LRESULT CALLBACK ViewWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* view = static_cast<ViewWindow*>(create->lpCreateParams);
        view->window_.reset(window);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    auto* view = reinterpret_cast<ViewWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (view == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    const ActingWindowScope acting(window);
    return view->onMessage(message, wParam, lParam);
}

}  // namespace quorvel
