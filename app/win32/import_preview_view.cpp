#include "app/win32/import_preview_view.h"

#include <utility>

#include "app/win32/control_ids.h"
#include "platform/win32/widgets/controls.h"
#include "platform/win32/widgets/list.h"
#include "platform/win32/win32_text.h"
#include "ui/list_row_text.h"

namespace quorvel {

namespace ids = view_ids;

namespace {

constexpr int ClientWidth = 8400;
constexpr int ClientHeight = 6360;
constexpr int ButtonHeight = 345;

std::vector<Control> previewControls(ImportPreview& preview, std::function<void()> confirmed) {
    using enum ControlKind;
    const auto option = [](int left, int width) { return TwipsRect{left, 5040, width, 255}; };
    return {
        {ids::ImportSummary, Static, 0, TwipsRect{120, 120, 8160, 480}, GrowWide,
         &preview.summary.caption},
        // Tab stops part the source line, the trigger, the entry and the result.
        {ids::ImportRows, ListBox, LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS | WS_HSCROLL,
         TwipsRect{120, 660, 8160, 4020}, GrowWide | GrowTall},
        {ids::ImportExistingLabel, Static, 0, TwipsRect{120, 4770, 8160, 240}, MoveDown,
         &preview.existingLabel.caption},
        {ids::ImportKeepOption, RadioButton, WS_TABSTOP | WS_GROUP, option(120, 3240), MoveDown,
         &preview.keepOption, "K", [&preview] { preview.chooseKeep(); }},
        {ids::ImportReplaceOption, RadioButton, 0, option(3480, 1800), MoveDown,
         &preview.replaceOption, "R", [&preview] { preview.chooseReplace(); }},
        {ids::ImportKeepBothOption, RadioButton, 0, option(5400, 1800), MoveDown,
         &preview.keepBothOption, "b", [&preview] { preview.chooseKeepBoth(); }},
        {ids::ImportButton, PushButton, WS_GROUP, TwipsRect{5400, 5880, 1380, ButtonHeight},
         MoveRight | MoveDown, &preview.importButton, "I", std::move(confirmed)},
        {ids::ImportCancelButton, PushButton, 0, TwipsRect{6900, 5880, 1380, ButtonHeight},
         MoveRight | MoveDown, &preview.cancelButton, "C", [&preview] { preview.close(); }},
    };
}

}  // namespace

ImportPreviewView::ImportPreviewView(HINSTANCE instance, HWND owner, ImportPreview& preview,
                                     std::function<void()> confirmed,
                                     std::function<void()> modelChanged)
    : owner_(owner), preview_(preview) {
    const Shape shape{ids::ImportPreviewClass,
                      preview_.caption,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                      WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                      owner,
                      ClientWidth,
                      ClientHeight};
    if (createWindow(instance, shape)) {
        createControls(previewControls(preview_, std::move(confirmed)), std::move(modelChanged));
        list_ = control(ids::ImportRows);
        layoutControls();
    }
}

LRESULT ImportPreviewView::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        close();
        return 0;
    }
    return ViewWindow::onMessage(message, wParam, lParam);
}

void ImportPreviewView::close() {
    preview_.close();
    modelChanged();
}

void ImportPreviewView::refreshOthers() {
    if (list_ == nullptr) {
        return;
    }
    std::vector<std::string> rows;
    for (const ImportPreview::Row& row : preview_.rows()) {
        rows.push_back(markLineBreaks(row.line, lineBreakMark()));
    }
    if (rows != shownRows_) {
        ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
        for (const std::string& row : rows) {
            ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideText(row).c_str()));
        }
        ::SendMessageW(list_, LB_SETHORIZONTALEXTENT, 4000, 0);
        ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list_, nullptr, TRUE);
        shownRows_ = std::move(rows);
    }
    showAsModelSays(preview_.visible, preview_.bringToFront);
    preview_.bringToFront = false;
}

}  // namespace quorvel
