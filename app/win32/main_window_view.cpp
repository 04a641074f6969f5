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
    {ids::spaceKey, "S"},         {ids::tabKey, "T"},           {ids::escKey, "E"},
    {ids::enterAfter, "N"},       {ids::addButton, "A"},        {ids::deleteButton, "D"},
    {ids::deleteAllButton, "ll"}, {ids::samplesButton, "m"},    {ids::minimizeButton, "z"},
    {ids::exitButton, "x"},       {ids::importButton, "I"},     {ids::exportButton, "r"},
    {ids::helpButton, "p"},       {ids::commonTextButton, "C"}, {ids::calibrationOkButton, "K"}};

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

MainWindowView::MainWindowView(HWND window, MainWindow& form, std::function<void()> modelChanged)
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
    textData10_ = createEdit(window_, ids::triggerBox, SingleLineEdit, font);
    shortcutText_ = createEdit(window_, ids::shortcutText, MultiLineEdit, font);
    spaceKey_ = createControl(window_, L"BUTTON", "", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                              ids::spaceKey, font);
    tabKey_ = createControl(window_, L"BUTTON", "", BS_AUTORADIOBUTTON, ids::tabKey, font);
    escKey_ = createControl(window_, L"BUTTON", "", BS_AUTORADIOBUTTON, ids::escKey, font);
    enterAfter_ = createControl(window_, L"BUTTON", "",
                                WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX | BS_MULTILINE,
                                ids::enterAfter, font);
    addButton_ = createButton(ids::addButton, BS_PUSHBUTTON | WS_GROUP);
    deleteButton_ = createButton(ids::deleteButton);
    deleteAllButton_ = createButton(ids::deleteAllButton);
    samplesButton_ = createButton(ids::samplesButton);
    minimizeButton_ = createButton(ids::minimizeButton);
    // Owner-drawn so that its face can turn red after a refused close.
    exitButton_ = createButton(ids::exitButton, BS_OWNERDRAW);
    importButton_ = createButton(ids::importButton);
    exportButton_ = createButton(ids::exportButton);
    helpButton_ = createButton(ids::helpButton);
    commonTextButton_ = createButton(ids::commonTextButton);
    shortcutList_ = createVirtualList(window_, ids::shortcutList, font);
    columnHeadings_ =
        createControl(window_, L"STATIC", "", SS_LEFT | SS_NOPREFIX, ids::columnHeadings, font);
    // Last, so that it lies under the controls it surrounds.
    editorFrame_ = createControl(window_, L"BUTTON", "", BS_GROUPBOX | WS_CLIPSIBLINGS,
                                 ids::editorFrame, font);

    calibration_ = createPanel(window_, ids::calibrationPanel);
    if (calibration_ != nullptr) {
        calibrationHelp_ = createControl(calibration_, L"STATIC", "", SS_LEFT | SS_NOPREFIX,
                                         ids::calibrationHelp, font);
        calibrationBox_ = createEdit(calibration_, ids::calibrationBox, SingleLineEdit, font);
        calibrationOkButton_ =
            createControl(calibration_, L"BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON,
                          ids::calibrationOkButton, font);
        calibrationBorder_ =
            createControl(calibration_, L"BUTTON", "", BS_GROUPBOX | WS_CLIPSIBLINGS,
                          ids::calibrationBorder, font);
        // Above the list it covers.
        ::SetWindowPos(calibration_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }

    ::SetWindowLongPtrW(textData10_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    triggerBoxOriginal_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        textData10_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&triggerBoxProcedure)));
    letTabAndEscLeaveBox(shortcutText_);
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
        {editorFrame_, &layout.editorFrame},
        {columnHeadings_, &layout.columnHeadings},
        {textData10_, &layout.triggerBox},
        {shortcutText_, &layout.shortcutText},
        {spaceKey_, &layout.spaceKey},
        {tabKey_, &layout.tabKey},
        {escKey_, &layout.escKey},
        {enterAfter_, &layout.enterAfter},
        {addButton_, &layout.addButton},
        {deleteButton_, &layout.deleteButton},
        {deleteAllButton_, &layout.deleteAllButton},
        {samplesButton_, &layout.samplesButton},
        {minimizeButton_, &layout.minimizeButton},
        {exitButton_, &layout.exitButton},
        {importButton_, &layout.importButton},
        {exportButton_, &layout.exportButton},
        {helpButton_, &layout.helpButton},
        {commonTextButton_, &layout.commonTextButton},
        {shortcutList_, &layout.shortcuts},
        {calibration_, &layout.calibrationPanel},
        {calibrationBorder_, &layout.calibrationBorder},
        {calibrationHelp_, &layout.calibrationHelp},
        {calibrationBox_, &layout.calibrationBox},
        {calibrationOkButton_, &layout.calibrationOkButton}};
    for (const auto& [control, rect] : placements) {
        if (control != nullptr) {
            placeInTwips(control, *rect, dpi_);
        }
    }
    fitVirtualColumn(shortcutList_);
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
    form_.followSize();
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
    const int command = focus == textData10_       ? ids::addButton
                        : focus == calibrationBox_ ? ids::calibrationOkButton
                                                   : 0;
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
    form_.triggerBox.setText(windowText(textData10_));
    form_.shortcutText.setText(windowText(shortcutText_));
    if (calibrationBox_ != nullptr) {
        form_.calibrationBox.setText(windowText(calibrationBox_));
    }
}

void MainWindowView::onControlCommand(int id, int code) {
    if (echo_) {
        return;
    }
    switch (id) {
        case ids::triggerBox:
        case ids::shortcutText:
        case ids::calibrationBox:
            if (code != EN_CHANGE) {
                return;
            }
            if (id == ids::triggerBox) {
                form_.triggerBox.setText(windowText(textData10_));
            } else if (id == ids::shortcutText) {
                form_.shortcutText.setText(windowText(shortcutText_));
            } else {
                form_.calibrationBox.setText(windowText(calibrationBox_));
            }
            break;
        case ids::spaceKey:
        case ids::tabKey:
        case ids::escKey:
            if (code != BN_CLICKED) {
                return;
            }
            form_.spaceKey.value = id == ids::spaceKey;
            form_.tabKey.value = id == ids::tabKey;
            form_.escKey.value = id == ids::escKey;
            break;
        case ids::enterAfter:
            if (code != BN_CLICKED) {
                return;
            }
            form_.enterAfter.value =
                ::SendMessageW(enterAfter_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
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
        case ids::addButton:
            form_.editor.addShortcut();
            break;
        case ids::deleteButton:
            form_.editor.deleteSelected();
            break;
        case ids::deleteAllButton:
            form_.editor.deleteAll();
            break;
        case ids::samplesButton:
            form_.editor.offerSamples();
            break;
        case ids::minimizeButton:
            form_.minimize();
            break;
        case ids::exitButton:
            form_.exitProgram();
            break;
        case ids::importButton:
            form_.importFile();
            break;
        case ids::exportButton:
            form_.exportFile();
            break;
        case ids::helpButton:
            form_.openHelp();
            break;
        case ids::commonTextButton:
            form_.openCommonText();
            break;
        case ids::calibrationOkButton:
            form_.closeCalibration();
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
    if (header.idFrom != static_cast<UINT_PTR>(ids::shortcutList)) {
        return 0;
    }
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& request = reinterpret_cast<NMLVDISPINFOW&>(header);
            if (request.item.iItem >= 0) {
                const std::string row =
                    form_.shortcuts.displayLine(static_cast<std::size_t>(request.item.iItem));
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
    if (item.hwndItem != exitButton_) {
        return false;
    }
    paintColouredButton(item, paintColour(form_.exitButton.backColor));
    return true;
}

LRESULT CALLBACK MainWindowView::triggerBoxProcedure(HWND box, UINT message, WPARAM wParam,
                                                     LPARAM lParam) {
    auto* view = reinterpret_cast<MainWindowView*>(::GetWindowLongPtrW(box, GWLP_USERDATA));
    // F10 arrives as a system key, and so does any key with Alt held.
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) &&
        view->form_.editor.captureFunctionKey(static_cast<int>(wParam))) {
        view->modelChanged_();
        const WPARAM caret = static_cast<WPARAM>(view->form_.triggerCaret);
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
        {addButton_, &form_.addButton},
        {deleteButton_, &form_.deleteButton},
        {deleteAllButton_, &form_.deleteAllButton},
        {samplesButton_, &form_.samplesButton},
        {minimizeButton_, &form_.minimizeButton},
        {exitButton_, &form_.exitButton},
        {importButton_, &form_.importButton},
        {exportButton_, &form_.exportButton},
        {helpButton_, &form_.helpButton},
        {commonTextButton_, &form_.commonTextButton},
        {calibrationOkButton_, &form_.calibrationOkButton}};
    for (const auto& [control, button] : buttons) {
        syncText(control, captionOf(control, button->caption));
        syncEnabled(control, button->enabled);
        syncVisible(control, button->visible);
    }
    if (shownExitColour_ != form_.exitButton.backColor) {
        shownExitColour_ = form_.exitButton.backColor;
        ::InvalidateRect(exitButton_, nullptr, TRUE);
    }
}

void MainWindowView::refreshList() {
    const ShortcutList& list = form_.shortcuts;
    if (!listShownOnce_ || virtualRowCount(shortcutList_) != list.count()) {
        setVirtualRowCount(shortcutList_, list.count());
    } else if (shownRevision_ != list.revision()) {
        ::InvalidateRect(shortcutList_, nullptr, TRUE);
    }
    listShownOnce_ = true;
    shownRevision_ = list.revision();
    if (selectedVirtualRow(shortcutList_) != list.selectedIndex()) {
        selectVirtualRow(shortcutList_, list.selectedIndex());
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
    syncText(editorFrame_, form_.editorFrame.caption);
    syncText(columnHeadings_, form_.columnHeadings.caption);
    syncText(textData10_, form_.triggerBox.text());
    syncText(shortcutText_, form_.shortcutText.text());
    syncVisible(textData10_, form_.triggerBox.visible);
    syncVisible(shortcutText_, form_.shortcutText.visible);
    syncEnabled(textData10_, form_.triggerBox.enabled);
    syncEnabled(shortcutText_, form_.shortcutText.enabled);
    syncText(spaceKey_, captionOf(spaceKey_, form_.spaceKey.caption));
    syncText(tabKey_, captionOf(tabKey_, form_.tabKey.caption));
    syncText(escKey_, captionOf(escKey_, form_.escKey.caption));
    syncText(enterAfter_, captionOf(enterAfter_, form_.enterAfter.caption));
    syncOption(spaceKey_, form_.spaceKey.value);
    syncOption(tabKey_, form_.tabKey.value);
    syncOption(escKey_, form_.escKey.value);
    syncChecked(enterAfter_, form_.enterAfter.value == 1);
    refreshButtons();
    refreshList();

    syncText(calibrationBorder_, form_.calibrationPanel.caption);
    syncText(calibrationHelp_, form_.calibrationHelp.caption);
    syncText(calibrationBox_, form_.calibrationBox.text());
    if (syncVisible(calibration_, form_.calibrationPanel.visible) &&
        form_.calibrationPanel.visible) {
        ::SetWindowPos(calibration_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    refreshWindow();
}

}  // namespace quorvel
