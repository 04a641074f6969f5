#include "app/win32/main_window_view.h"

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "app/win32/control_ids.h"
#include "engine/shortcut_entry.h"
#include "platform/win32/widgets/controls.h"
#include "platform/win32/widgets/dpi.h"
#include "platform/win32/widgets/list.h"
#include "ui/list_row_text.h"

namespace quorvel {

namespace ids = view_ids;

namespace {

constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW;

// Places are in twips of the client area at the window's smallest size; the
// frame, the text box and the list follow the model's resize rules from there.
constexpr int FrameLeft = 120;
constexpr int FrameTop = 60;
constexpr int Inset = 240;  // from the frame's edge to its controls
// The text box stands right of the trigger box, ending where the list ends; the
// launch-key options and the Enter box share the column left of it.
constexpr int ShortcutTextOffset = 2400;
constexpr int ButtonHeight = 330;
constexpr int FirstButtonRow = 1575;
constexpr int SecondButtonRow = 1950;
// The search row stands where the list began; the list starts below it.
constexpr int SearchTop = 2325;
constexpr int SearchRowHeight = 420;
constexpr int ListTop = SearchTop + SearchRowHeight;
constexpr int SearchCaptionWidth = 1260;
constexpr int SearchBoxWidth = 1800;
constexpr int CalibrationWidth = 6425;
constexpr int CalibrationHeight = 1800;

// The buttons stand in five columns, each as wide as its longer caption needs
// in a 9-point message font: the editor's two, then the window's three.
struct Column {
    int left;
    int width;
};
constexpr int Gap = 60;
constexpr Column AddAndDeleteAll{Inset, 1500};
constexpr Column DeleteAndSamples{AddAndDeleteAll.left + AddAndDeleteAll.width + Gap, 1140};
constexpr Column MinimizeAndExport{DeleteAndSamples.left + DeleteAndSamples.width + 2 * Gap, 1080};
constexpr Column ExitAndHelp{MinimizeAndExport.left + MinimizeAndExport.width + Gap, 900};
constexpr Column ImportAndCommonText{ExitAndHelp.left + ExitAndHelp.width + Gap, 1425};

constexpr TwipsRect inFrame(int left, int top, int width, int height) {
    return {FrameLeft + left, FrameTop + top, width, height};
}

constexpr TwipsRect button(const Column& column, int row) {
    return inFrame(column.left, row, column.width, ButtonHeight);
}

EditorLayout smallestLayout() {
    EditorLayout layout;
    followSize(MinimumWindowWidth, MinimumWindowHeight, layout);
    return layout;
}

// Creation order is the tab order: the trigger box first, then the text box,
// the launch key, the Enter box, the editor's buttons, the window's buttons, the
// search box and the list; the frame last, so that it lies under the controls
// it surrounds.
// The access keys leave the menu bar's F, O and H free.
std::vector<Control> mainWindowControls(MainWindow& mainWindow) {
    using enum ControlKind;
    const EditorLayout smallest = smallestLayout();
    ShortcutEditor& editor = mainWindow.editor;
    return {
        {ids::triggerBox, Edit, 0, inFrame(Inset, 480, 2160, 315), Fixed, &mainWindow.triggerBox,
         "", nullptr, ids::addButton},
        {ids::shortcutText, MultiLineEdit, 0,
         inFrame(Inset + ShortcutTextOffset, 480, smallest.shortcutTextWidth, 855), GrowWide,
         &mainWindow.shortcutText},
        {ids::spaceKey, RadioButton, WS_TABSTOP | WS_GROUP, inFrame(Inset, 825, 900, 255), Fixed,
         &mainWindow.spaceKey, "S"},
        {ids::tabKey, RadioButton, 0, inFrame(Inset + 900, 825, 675, 255), Fixed,
         &mainWindow.tabKey, "T"},
        {ids::escKey, RadioButton, 0, inFrame(Inset + 1575, 825, 675, 255), Fixed,
         &mainWindow.escKey, "E"},
        // Its caption wraps onto a second line to stay within the column.
        {ids::enterAfter, TickBox, WS_GROUP | BS_MULTILINE, inFrame(Inset, 1080, 2250, 465), Fixed,
         &mainWindow.enterAfter, "N"},
        {ids::addButton, PushButton, WS_GROUP, button(AddAndDeleteAll, FirstButtonRow), Fixed,
         &mainWindow.addButton, "A", [&mainWindow] { mainWindow.addShortcut(); }},
        {ids::deleteButton, PushButton, 0, button(DeleteAndSamples, FirstButtonRow), Fixed,
         &mainWindow.deleteButton, "D", [&editor] { editor.deleteSelected(); }},
        {ids::deleteAllButton, PushButton, 0, button(AddAndDeleteAll, SecondButtonRow), Fixed,
         &mainWindow.deleteAllButton, "ll", [&editor] { editor.deleteAll(); }},
        {ids::samplesButton, PushButton, 0, button(DeleteAndSamples, SecondButtonRow), Fixed,
         &mainWindow.samplesButton, "m", [&editor] { editor.offerSamples(); }},
        {ids::minimizeButton, PushButton, 0, button(MinimizeAndExport, FirstButtonRow), Fixed,
         &mainWindow.minimizeButton, "z", [&mainWindow] { mainWindow.minimize(); }},
        // Owner-drawn so that its face can turn red after a refused close.
        {ids::exitButton, PushButton, BS_OWNERDRAW, button(ExitAndHelp, FirstButtonRow), Fixed,
         &mainWindow.exitButton, "x", [&mainWindow] { mainWindow.exitProgram(); }},
        {ids::importButton, PushButton, 0, button(ImportAndCommonText, FirstButtonRow), Fixed,
         &mainWindow.importButton, "I", [&mainWindow] { mainWindow.importFile(); }},
        {ids::exportButton, PushButton, 0, button(MinimizeAndExport, SecondButtonRow), Fixed,
         &mainWindow.exportButton, "r", [&mainWindow] { mainWindow.exportFile(); }},
        {ids::helpButton, PushButton, 0, button(ExitAndHelp, SecondButtonRow), Fixed,
         &mainWindow.helpButton, "p", [&mainWindow] { mainWindow.openHelp(); }},
        {ids::commonTextButton, PushButton, 0, button(ImportAndCommonText, SecondButtonRow), Fixed,
         &mainWindow.commonTextButton, "C", [&mainWindow] { mainWindow.openCommonText(); }},
        // Alt+W goes to the box through its caption.
        {ids::searchCaption, Static, 0, inFrame(Inset, SearchTop + 45, SearchCaptionWidth, 240),
         Fixed, &mainWindow.searchCaption.caption, "w"},
        {ids::searchBox, Edit, 0,
         inFrame(Inset + SearchCaptionWidth, SearchTop, SearchBoxWidth, 315), Fixed,
         &mainWindow.searchBox},
        {ids::searchCount, Static, SS_NOPREFIX,
         inFrame(Inset + SearchCaptionWidth + SearchBoxWidth + 120, SearchTop + 45,
                 smallest.listWidth - SearchCaptionWidth - SearchBoxWidth - 120, 240),
         GrowWide},
        {ids::shortcutList, VirtualList, 0,
         inFrame(Inset, ListTop, smallest.listWidth, smallest.listHeight - SearchRowHeight),
         GrowWide | GrowTall},
        {ids::columnHeadings, Static, SS_NOPREFIX, inFrame(Inset, 240, 6400, 240), Fixed,
         &mainWindow.columnHeadings.caption},
        {ids::editorFrame, GroupBox, 0,
         TwipsRect{FrameLeft, FrameTop, smallest.frameWidth, smallest.frameHeight},
         GrowWide | GrowTall, &mainWindow.editorFrame.caption},
        // Over the search row and the top of the list; its controls are placed
        // within it.
        {ids::calibrationPanel, Panel, 0,
         inFrame(Inset, SearchTop + 60, CalibrationWidth, CalibrationHeight), Fixed,
         &mainWindow.calibrationPanel.visible},
        {ids::calibrationHelp, Static, SS_NOPREFIX,
         TwipsRect{120, 240, CalibrationWidth - 240, 1020}, Fixed,
         &mainWindow.calibrationHelp.caption, "", nullptr, 0, ids::calibrationPanel},
        {ids::calibrationBox, Edit, 0, TwipsRect{120, 1320, 1500, 315}, Fixed,
         &mainWindow.calibrationBox, "", nullptr, ids::calibrationOkButton, ids::calibrationPanel},
        {ids::calibrationOkButton, PushButton, 0, TwipsRect{1740, 1305, 1000, ButtonHeight}, Fixed,
         &mainWindow.calibrationOkButton, "K", [&mainWindow] { mainWindow.closeCalibration(); }, 0,
         ids::calibrationPanel},
        {ids::calibrationBorder, GroupBox, 0, TwipsRect{0, 0, CalibrationWidth, CalibrationHeight},
         Fixed, &mainWindow.calibrationPanel.caption, "", nullptr, 0, ids::calibrationPanel},
    };
}

}  // namespace

MainWindowView::MainWindowView(HINSTANCE instance, ProgramMessages program,
                               std::function<void(UINT, LPARAM)> afterMessage)
    : program_(std::move(program)), afterMessage_(std::move(afterMessage)) {
    // Hidden until start-up has run; attach gives it the model's size.
    createWindow(instance,
                 {ids::MainWindowClass, "", WindowStyle, WS_EX_CONTROLPARENT, nullptr, 0, 0});
}

MainWindowView::~MainWindowView() {
    if (triggerBox_ != nullptr && triggerBoxOriginal_ != nullptr) {
        ::SetWindowLongPtrW(triggerBox_, GWLP_WNDPROC,
                            reinterpret_cast<LONG_PTR>(triggerBoxOriginal_));
    }
}

void MainWindowView::attach(MainWindow& mainWindow, std::function<void()> modelChanged) {
    commonControls_ = loadCommonControls();
    createControls(mainWindowControls(mainWindow), std::move(modelChanged));
    triggerBox_ = control(ids::triggerBox);
    shortcutList_ = control(ids::shortcutList);
    ::SetWindowLongPtrW(triggerBox_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    triggerBoxOriginal_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        triggerBox_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&triggerBoxProcedure)));
    mainWindow_ = &mainWindow;
    // The window takes the model's size; from then on the model follows the window.
    resizeToModel();
    onResized();
    layoutControls();
}

LRESULT MainWindowView::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (mainWindow_ == nullptr) {
        return ::DefWindowProcW(window(), message, wParam, lParam);
    }
    LRESULT result = 0;
    if (const std::optional<LRESULT> handled = program_(message, wParam, lParam)) {
        result = *handled;
    } else if (message == WM_NOTIFY) {
        result = onNotify(*reinterpret_cast<NMHDR*>(lParam));
    } else {
        result = ViewWindow::onMessage(message, wParam, lParam);
    }
    afterMessage_(message, lParam);
    return result;
}

ViewWindow::Room MainWindowView::room() const {
    static const EditorLayout smallest = smallestLayout();
    if (mainWindow_ == nullptr) {
        return {};
    }
    return {mainWindow_->layout.frameWidth - smallest.frameWidth,
            mainWindow_->layout.frameHeight - smallest.frameHeight};
}

void MainWindowView::limitTrackSize(MINMAXINFO& limits) const {
    limits.ptMinTrackSize.x = twipsToPixels(MinimumWindowWidth, dpi());
    limits.ptMinTrackSize.y = twipsToPixels(MinimumWindowHeight, dpi());
}

void MainWindowView::onResized() {
    if (mainWindow_ == nullptr) {
        return;
    }
    RECT outer{};
    ::GetWindowRect(window(), &outer);
    mainWindow_->width = pixelsToTwips(outer.right - outer.left, dpi());
    mainWindow_->height = pixelsToTwips(outer.bottom - outer.top, dpi());
    syncedWidth_ = mainWindow_->width;
    syncedHeight_ = mainWindow_->height;
    mainWindow_->followSize();
}

void MainWindowView::fitToDpi(const RECT& suggested) {
    ::SetWindowPos(window(), nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    onResized();
}

void MainWindowView::resizeToModel() {
    syncedWidth_ = mainWindow_->width;
    syncedHeight_ = mainWindow_->height;
    ::SetWindowPos(window(), nullptr, 0, 0, twipsToPixels(mainWindow_->width, dpi()),
                   twipsToPixels(mainWindow_->height, dpi()),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindowView::selectRow(std::size_t shown) {
    pullTexts();
    mainWindow_->selectShownRow(shown);
    modelChanged();
}

bool MainWindowView::takeFindKey(const MSG& message) {
    const auto held = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    if (mainWindow_ == nullptr || message.message != WM_KEYDOWN || message.wParam != 'F' ||
        !held(VK_CONTROL) || held(VK_SHIFT) || held(VK_MENU) ||
        ::GetAncestor(message.hwnd, GA_ROOT) != window()) {
        return false;
    }
    const HWND box = control(ids::searchBox);
    ::SetFocus(box);
    // What was typed before is chosen, so that the next word replaces it.
    ::SendMessageW(box, EM_SETSEL, 0, -1);
    return true;
}

void MainWindowView::onEscapeKey() {
    if (::GetFocus() == control(ids::searchBox)) {
        mainWindow_->clearSearch();
        modelChanged();
    }
}

std::string MainWindowView::rowText(std::size_t shown) const {
    const ShortcutList& list = mainWindow_->shortcuts;
    const std::size_t row = mainWindow_->shownRows().listRow(shown);
    const std::string_view line = list.entryLine(row);
    // A row of megabytes shows its start only; the rest is never copied.
    if (line.size() > 2 * ShownRowBytes) {
        return markLineBreaks(displayFromEntryLine(line.substr(0, 2 * ShownRowBytes)),
                              lineBreakMark());
    }
    return markLineBreaks(list.displayLine(row), lineBreakMark());
}

LRESULT MainWindowView::onNotify(NMHDR& header) {
    if (header.idFrom != static_cast<UINT_PTR>(ids::shortcutList)) {
        return 0;
    }
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& request = reinterpret_cast<NMLVDISPINFOW&>(header);
            const auto shown = static_cast<std::size_t>(request.item.iItem);
            if (request.item.iItem >= 0 && shown < mainWindow_->shownRows().shownCount()) {
                fillRowText(request, rowText(shown));
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
            if (!echoing() && nowSelected && change.iItem >= 0) {
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
            if (!echoing() && click.iItem >= 0 &&
                justSelected != static_cast<std::size_t>(click.iItem)) {
                selectRow(static_cast<std::size_t>(click.iItem));
            }
            return 0;
        }
        default:
            return 0;
    }
}

LRESULT CALLBACK MainWindowView::triggerBoxProcedure(HWND box, UINT message, WPARAM wParam,
                                                     LPARAM lParam) {
    auto* view = reinterpret_cast<MainWindowView*>(::GetWindowLongPtrW(box, GWLP_USERDATA));
    // F10 arrives as a system key, and so does any key with Alt held.
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) &&
        view->mainWindow_->editor.captureFunctionKey(static_cast<int>(wParam))) {
        view->modelChanged();
        const WPARAM caret = static_cast<WPARAM>(view->mainWindow_->triggerCaret);
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

void MainWindowView::refreshList() {
    const ShortcutFilter& rows = mainWindow_->shownRows();
    if (!listShownOnce_ || virtualRowCount(shortcutList_) != rows.shownCount()) {
        setVirtualRowCount(shortcutList_, rows.shownCount());
    } else if (shownGeneration_ != rows.generation()) {
        ::InvalidateRect(shortcutList_, nullptr, TRUE);
    }
    listShownOnce_ = true;
    shownGeneration_ = rows.generation();
    const std::optional<std::size_t> selected = mainWindow_->shortcuts.selectedIndex();
    const std::optional<std::size_t> shownSelected =
        selected ? rows.shownRowOf(*selected) : std::nullopt;
    if (selectedVirtualRow(shortcutList_) != shownSelected) {
        selectVirtualRow(shortcutList_, shownSelected);
    }
    syncText(control(ids::searchCount), rows.countCaption());
}

void MainWindowView::refreshOthers() {
    refreshList();
    syncText(window(), mainWindow_->caption);
    if (mainWindow_->width != syncedWidth_ || mainWindow_->height != syncedHeight_) {
        resizeToModel();
    }
    showAsModelSays(mainWindow_->visible, mainWindow_->bringToFront);
    mainWindow_->bringToFront = false;
}

}  // namespace quorvel
