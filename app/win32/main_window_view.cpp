#include "app/win32/main_window_view.h"

#include <string>
#include <string_view>
#include <utility>

#include "app/win32/control_ids.h"
#include "app/win32/main_window_layout.h"
#include "platform/win32/widgets/button.h"
#include "platform/win32/widgets/controls.h"
#include "platform/win32/widgets/dpi.h"
#include "platform/win32/widgets/list.h"
#include "platform/win32/widgets/panel.h"
#include "platform/win32/widgets/placement.h"
#include "ui/list_row_text.h"

namespace quorvel {

namespace ids = view_ids;

namespace {

constexpr DWORD SingleLineEdit = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD MultiLineEdit =
    WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;

HWND createEdit(HWND parent, int id, DWORD style, HFONT font) {
    return createControl(parent, L"EDIT", "", style, id, font, WS_EX_CLIENTEDGE);
}

// Where each caption marks its access key. The menu bar's F, O and H stay free.
struct AccessKey {
    int id;
    const char* keyAt;
};
constexpr AccessKey AccessKeys[] = {
    {ids::Opt1, "S"},     {ids::Opt2, "T"},      {ids::Opt4, "E"},      {ids::Check2, "N"},
    {ids::Command8, "A"}, {ids::Command4, "D"},  {ids::Command3, "ll"}, {ids::Command2, "m"},
    {ids::Command1, "z"}, {ids::Command5, "x"},  {ids::Command9, "I"},  {ids::Command10, "r"},
    {ids::Command7, "p"}, {ids::Command11, "C"}, {ids::Command14, "K"}};

std::string captionOf(HWND control, const std::string& caption) {
    const int id = ::GetDlgCtrlID(control);
    for (const AccessKey& key : AccessKeys) {
        if (key.id == id) {
            return withAccessKey(caption, key.keyAt);
        }
    }
    return caption;
}

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

}  // namespace

MainWindowView::MainWindowView(HWND window, Form1& form, std::function<void()> modelChanged)
    : window_(window),
      form_(form),
      modelChanged_(std::move(modelChanged)),
      commonControls_(loadCommonControls()),
      dpi_(dpiOf(window)),
      font_(messageFont(dpi_)) {
    createControls();
    // The window takes the model's size; from then on the model follows the window.
    ::SetWindowPos(window_, nullptr, 0, 0, twipsToPixels(form_.width, dpi_),
                   twipsToPixels(form_.height, dpi_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    onSize(false);
}

MainWindowView::~MainWindowView() {
    if (textData10_ != nullptr && triggerBoxOriginal_ != nullptr) {
        ::SetWindowLongPtrW(textData10_, GWLP_WNDPROC,
                            reinterpret_cast<LONG_PTR>(triggerBoxOriginal_));
    }
}

HWND MainWindowView::createButton(int id, DWORD style) {
    return createControl(window_, L"BUTTON", "", WS_TABSTOP | style, id, font_.get());
}

void MainWindowView::createControls() {
    const HFONT font = font_.get();
    // Creation order is the tab order: the trigger box first, then the text box,
    // the launch key, the Enter box, the editor's buttons, the window's buttons
    // and the list. Captions come with the first refresh.
    textData10_ = createEdit(window_, ids::TextData10, SingleLineEdit, font);
    text7_ = createEdit(window_, ids::Text7, MultiLineEdit, font);
    opt1_ = createControl(window_, L"BUTTON", "", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                          ids::Opt1, font);
    opt2_ = createControl(window_, L"BUTTON", "", BS_AUTORADIOBUTTON, ids::Opt2, font);
    opt4_ = createControl(window_, L"BUTTON", "", BS_AUTORADIOBUTTON, ids::Opt4, font);
    check2_ =
        createControl(window_, L"BUTTON", "",
                      WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX | BS_MULTILINE, ids::Check2, font);
    command8_ = createButton(ids::Command8, BS_PUSHBUTTON | WS_GROUP);
    command4_ = createButton(ids::Command4);
    command3_ = createButton(ids::Command3);
    command2_ = createButton(ids::Command2);
    command1_ = createButton(ids::Command1);
    // Owner-drawn so that its face can turn red after a refused close.
    command5_ = createButton(ids::Command5, BS_OWNERDRAW);
    command9_ = createButton(ids::Command9);
    command10_ = createButton(ids::Command10);
    command7_ = createButton(ids::Command7);
    command11_ = createButton(ids::Command11);
    list1_ = createVirtualList(window_, ids::List1Display, font);
    label27_ = createControl(window_, L"STATIC", "", SS_LEFT | SS_NOPREFIX, ids::Label27, font);
    // Last, so that it lies under the controls it surrounds.
    frame2_ =
        createControl(window_, L"BUTTON", "", BS_GROUPBOX | WS_CLIPSIBLINGS, ids::Frame2, font);

    calibration_ = createPanel(window_, ids::FrameCalibration);
    if (calibration_ != nullptr) {
        label17_ =
            createControl(calibration_, L"STATIC", "", SS_LEFT | SS_NOPREFIX, ids::Label17, font);
        text2_ = createEdit(calibration_, ids::Text2, SingleLineEdit, font);
        command14_ = createControl(calibration_, L"BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON,
                                   ids::Command14, font);
        calibrationBorder_ =
            createControl(calibration_, L"BUTTON", "", BS_GROUPBOX | WS_CLIPSIBLINGS,
                          ids::FrameCalibrationBorder, font);
        // Above the list it covers.
        ::SetWindowPos(calibration_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }

    ::SetWindowLongPtrW(textData10_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    triggerBoxOriginal_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        textData10_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&triggerBoxProcedure)));
    letTabAndEscLeaveBox(text7_);
}

void MainWindowView::rebuildFont() {
    UniqueHfont replaced = std::move(font_);
    font_ = messageFont(dpi_);
    applyFont(window_, font_.get());
    // `replaced` goes only now that no control draws with it.
}

void MainWindowView::applyLayout() {
    const MainWindowLayout layout = mainWindowLayout(form_.layout);
    const std::pair<HWND, const TwipsRect*> placements[] = {
        {frame2_, &layout.Frame2},
        {label27_, &layout.Label27},
        {textData10_, &layout.TextData10},
        {text7_, &layout.Text7},
        {opt1_, &layout.Opt1},
        {opt2_, &layout.Opt2},
        {opt4_, &layout.Opt4},
        {check2_, &layout.Check2},
        {command8_, &layout.Command8},
        {command4_, &layout.Command4},
        {command3_, &layout.Command3},
        {command2_, &layout.Command2},
        {command1_, &layout.Command1},
        {command5_, &layout.Command5},
        {command9_, &layout.Command9},
        {command10_, &layout.Command10},
        {command7_, &layout.Command7},
        {command11_, &layout.Command11},
        {list1_, &layout.List1},
        {calibration_, &layout.FrameCalibration},
        {calibrationBorder_, &layout.CalibrationBorder},
        {label17_, &layout.Label17},
        {text2_, &layout.Text2},
        {command14_, &layout.Command14}};
    for (const auto& [control, rect] : placements) {
        if (control != nullptr) {
            placeInTwips(control, *rect, dpi_);
        }
    }
    fitVirtualColumn(list1_);
}

void MainWindowView::onSize(bool minimized) {
    // A minimised window keeps its controls as they were.
    if (minimized) {
        return;
    }
    RECT outer{};
    ::GetWindowRect(window_, &outer);
    form_.width = pixelsToTwips(outer.right - outer.left, dpi_);
    form_.height = pixelsToTwips(outer.bottom - outer.top, dpi_);
    syncedWidth_ = form_.width;
    syncedHeight_ = form_.height;
    form_.Form_Resize();
    applyLayout();
}

void MainWindowView::onDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    rebuildFont();
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    onSize(false);
}

void MainWindowView::limitTrackSize(MINMAXINFO& limits) const {
    limits.ptMinTrackSize.x = twipsToPixels(MinimumWindowWidth, dpi_);
    limits.ptMinTrackSize.y = twipsToPixels(MinimumWindowHeight, dpi_);
}

void MainWindowView::onActivate(WPARAM state) {
    focus_.onActivate(window_, state);
}

void MainWindowView::onEnterKey() {
    // Enter in a box runs the command the box belongs to.
    const HWND focus = ::GetFocus();
    const int command = focus == textData10_ ? ids::Command8 : focus == text2_ ? ids::Command14 : 0;
    if (command == 0) {
        clickFocusedButton(window_);
        return;
    }
    pullTexts();
    runButton(command);
    modelChanged_();
}

void MainWindowView::onFontSettingChanged() {
    rebuildFont();
    applyLayout();
}

void MainWindowView::pullTexts() {
    form_.TextData10.setText(windowText(textData10_));
    form_.Text7.setText(windowText(text7_));
    if (text2_ != nullptr) {
        form_.Text2.setText(windowText(text2_));
    }
}

void MainWindowView::onControlCommand(int id, int code) {
    if (echo_) {
        return;
    }
    switch (id) {
        case ids::TextData10:
        case ids::Text7:
        case ids::Text2:
            if (code != EN_CHANGE) {
                return;
            }
            if (id == ids::TextData10) {
                form_.TextData10.setText(windowText(textData10_));
            } else if (id == ids::Text7) {
                form_.Text7.setText(windowText(text7_));
            } else {
                form_.Text2.setText(windowText(text2_));
            }
            break;
        case ids::Opt1:
        case ids::Opt2:
        case ids::Opt4:
            if (code != BN_CLICKED) {
                return;
            }
            form_.Opt1.value = id == ids::Opt1;
            form_.Opt2.value = id == ids::Opt2;
            form_.Opt4.value = id == ids::Opt4;
            break;
        case ids::Check2:
            if (code != BN_CLICKED) {
                return;
            }
            form_.Check2.value = ::SendMessageW(check2_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
            break;
        default:
            if (code != BN_CLICKED) {
                return;
            }
            pullTexts();
            runButton(id);
            break;
    }
    modelChanged_();
}

void MainWindowView::runButton(int id) {
    switch (id) {
        case ids::Command8:
            form_.editor.Command8_Click();
            break;
        case ids::Command4:
            form_.editor.Command4_Click();
            break;
        case ids::Command3:
            form_.editor.Command3_Click();
            break;
        case ids::Command2:
            form_.editor.Command2_Click();
            break;
        case ids::Command1:
            form_.Command1_Click();
            break;
        case ids::Command5:
            form_.Command5_Click();
            break;
        case ids::Command9:
            form_.Command9_Click();
            break;
        case ids::Command10:
            form_.Command10_Click();
            break;
        case ids::Command7:
            form_.Command7_Click();
            break;
        case ids::Command11:
            form_.Command11_Click();
            break;
        case ids::Command14:
            form_.Command14_Click();
            break;
        default:
            break;
    }
}

void MainWindowView::selectRow(std::size_t row) {
    pullTexts();
    form_.editor.selectEntry(row);
    modelChanged_();
}

LRESULT MainWindowView::onNotify(NMHDR& header) {
    if (header.idFrom != static_cast<UINT_PTR>(ids::List1Display)) {
        return 0;
    }
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& request = reinterpret_cast<NMLVDISPINFOW&>(header);
            if (request.item.iItem >= 0) {
                const std::string row =
                    form_.List1.displayLine(static_cast<std::size_t>(request.item.iItem));
                fillRowText(request, markLineBreaks(row, lineBreakMark()));
            }
            return 0;
        }
        case LVN_ODFINDITEMW:
            // No type-ahead search: the rows start with their mode, not a name.
            return -1;
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            const bool nowSelected =
                (change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0;
            if (!echo_ && nowSelected && change.iItem >= 0) {
                rowJustSelected_ = static_cast<std::size_t>(change.iItem);
                selectRow(*rowJustSelected_);
            }
            return 0;
        }
        case NM_CLICK: {
            // A click on the row already selected loads it again.
            const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
            const std::optional<std::size_t> justSelected =
                std::exchange(rowJustSelected_, std::nullopt);
            if (!echo_ && click.iItem >= 0 &&
                justSelected != static_cast<std::size_t>(click.iItem)) {
                selectRow(static_cast<std::size_t>(click.iItem));
            }
            return 0;
        }
        default:
            return 0;
    }
}

bool MainWindowView::onDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != command5_) {
        return false;
    }
    paintColouredButton(item, paintColour(form_.Command5.backColor));
    return true;
}

LRESULT CALLBACK MainWindowView::triggerBoxProcedure(HWND box, UINT message, WPARAM wParam,
                                                     LPARAM lParam) {
    auto* view = reinterpret_cast<MainWindowView*>(::GetWindowLongPtrW(box, GWLP_USERDATA));
    // F10 arrives as a system key, and so does any key with Alt held.
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) &&
        view->form_.editor.captureFunctionKey(static_cast<int>(wParam))) {
        view->modelChanged_();
        const WPARAM caret = static_cast<WPARAM>(view->form_.TextData10Caret);
        ::SendMessageW(box, EM_SETSEL, caret, static_cast<LPARAM>(caret));
        // The window never saw this key go down, so it would take the release
        // of F10, or of the Alt held with the key, for a tap that opens the
        // menu bar, and the next letter typed would go to the menu.
        view->swallowedKeyUps_ = {static_cast<WPARAM>(wParam), message == WM_SYSKEYDOWN};
        return 0;
    }
    if (message == WM_KEYUP || message == WM_SYSKEYUP) {
        CapturedKeyUps& pending = view->swallowedKeyUps_;
        if (pending.functionKey != 0 && wParam == pending.functionKey) {
            pending.functionKey = 0;
            return 0;
        }
        if (pending.alt && wParam == VK_MENU) {
            pending = {};
            return 0;
        }
    }
    if (message == WM_KILLFOCUS) {
        view->swallowedKeyUps_ = {};
    }
    return ::CallWindowProcW(view->triggerBoxOriginal_, box, message, wParam, lParam);
}

void MainWindowView::refreshButtons() {
    const std::pair<HWND, const Button*> buttons[] = {
        {command8_, &form_.Command8},  {command4_, &form_.Command4},
        {command3_, &form_.Command3},  {command2_, &form_.Command2},
        {command1_, &form_.Command1},  {command5_, &form_.Command5},
        {command9_, &form_.Command9},  {command10_, &form_.Command10},
        {command7_, &form_.Command7},  {command11_, &form_.Command11},
        {command14_, &form_.Command14}};
    for (const auto& [control, button] : buttons) {
        syncText(control, captionOf(control, button->caption));
        syncEnabled(control, button->enabled);
        syncVisible(control, button->visible);
    }
    if (shownExitColour_ != form_.Command5.backColor) {
        shownExitColour_ = form_.Command5.backColor;
        ::InvalidateRect(command5_, nullptr, TRUE);
    }
}

void MainWindowView::refreshList() {
    const ShortcutList& list = form_.List1;
    if (!listShownOnce_ || virtualRowCount(list1_) != list.count()) {
        setVirtualRowCount(list1_, list.count());
    } else if (shownRevision_ != list.revision()) {
        ::InvalidateRect(list1_, nullptr, TRUE);
    }
    listShownOnce_ = true;
    shownRevision_ = list.revision();
    if (selectedVirtualRow(list1_) != list.selectedIndex()) {
        selectVirtualRow(list1_, list.selectedIndex());
    }
}

void MainWindowView::refreshWindow() {
    syncText(window_, form_.caption);
    if (form_.width != syncedWidth_ || form_.height != syncedHeight_) {
        syncedWidth_ = form_.width;
        syncedHeight_ = form_.height;
        ::SetWindowPos(window_, nullptr, 0, 0, twipsToPixels(form_.width, dpi_),
                       twipsToPixels(form_.height, dpi_),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const bool shown = (::GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
    if (form_.visible && (!shown || form_.bringToFront)) {
        if (!shown) {
            keepInsideWorkArea(window_);
        }
        bringToFront(window_);
    } else if (!form_.visible && shown) {
        ::ShowWindow(window_, SW_HIDE);
    }
    form_.bringToFront = false;
}

void MainWindowView::refresh() {
    const EchoGuard guard(echo_);
    syncText(frame2_, form_.Frame2.caption);
    syncText(label27_, form_.Label27.caption);
    syncText(textData10_, form_.TextData10.text());
    syncText(text7_, form_.Text7.text());
    syncVisible(textData10_, form_.TextData10.visible);
    syncVisible(text7_, form_.Text7.visible);
    syncEnabled(textData10_, form_.TextData10.enabled);
    syncEnabled(text7_, form_.Text7.enabled);
    syncText(opt1_, captionOf(opt1_, form_.Opt1.caption));
    syncText(opt2_, captionOf(opt2_, form_.Opt2.caption));
    syncText(opt4_, captionOf(opt4_, form_.Opt4.caption));
    syncText(check2_, captionOf(check2_, form_.Check2.caption));
    syncOption(opt1_, form_.Opt1.value);
    syncOption(opt2_, form_.Opt2.value);
    syncOption(opt4_, form_.Opt4.value);
    syncChecked(check2_, form_.Check2.value == 1);
    refreshButtons();
    refreshList();

    syncText(calibrationBorder_, form_.FrameCalibration.caption);
    syncText(label17_, form_.Label17.caption);
    syncText(text2_, form_.Text2.text());
    if (syncVisible(calibration_, form_.FrameCalibration.visible) &&
        form_.FrameCalibration.visible) {
        ::SetWindowPos(calibration_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    refreshWindow();
}

}  // namespace quorvel
