#include "app/win32/excluded_programs_view.h"

#include <utility>

#include "app/win32/control_ids.h"
#include "platform/win32/widgets/controls.h"
#include "platform/win32/widgets/list_box.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

namespace ids = view_ids;

namespace {

constexpr int ClientWidth = 6960;
constexpr int ClientHeight = 4860;
constexpr int BoxWidth = 3840;
constexpr int ButtonLeft = 4080;
constexpr int ButtonWidth = 2760;
constexpr int ButtonHeight = 345;
constexpr int SuggestionWidth = 2160;

// Creation order is tab order: the name and its buttons, the list and Remove,
// the suggestions, Close. A label's access key puts the focus into the control
// made after it.
std::vector<Control> excludedControls(ExcludedProgramsWindow& excludedPrograms) {
    using enum ControlKind;
    const auto button = [](int left, int top, int width = ButtonWidth) {
        return TwipsRect{left, top, width, ButtonHeight};
    };
    std::vector<Control> table{
        {ids::ExcludedNameLabel, Static, 0, TwipsRect{120, 120, BoxWidth, 240}, Fixed,
         &excludedPrograms.nameLabel.caption, "n"},
        {ids::ExcludedNameBox,
         Edit,
         0,
         TwipsRect{120, 360, BoxWidth, 315},
         Fixed,
         &excludedPrograms.nameBox,
         "",
         {},
         ids::ExcludedAddButton},
        {ids::ExcludedAddButton, PushButton, 0, button(ButtonLeft, 345), Fixed,
         &excludedPrograms.addButton, "A", [&excludedPrograms] { excludedPrograms.addTyped(); }},
        {ids::ExcludedFrontButton, PushButton, 0, button(ButtonLeft, 765), Fixed,
         &excludedPrograms.frontButton, "front",
         [&excludedPrograms] { excludedPrograms.addProgramInFront(); }},
        {ids::ExcludedListLabel, Static, 0, TwipsRect{120, 900, BoxWidth, 240}, Fixed,
         &excludedPrograms.listLabel.caption, "P"},
        {ids::ExcludedList, ListBox, LBS_NOINTEGRALHEIGHT, TwipsRect{120, 1140, BoxWidth, 2040},
         Fixed},
        {ids::ExcludedRemoveButton, PushButton, 0, button(ButtonLeft, 1140), Fixed,
         &excludedPrograms.removeButton, "R",
         [&excludedPrograms] { excludedPrograms.removeSelected(); }},
        {ids::ExcludedSuggestionsLabel, Static, 0, TwipsRect{120, 3300, 6720, 240}, Fixed,
         &excludedPrograms.suggestionsLabel.caption},
    };
    // Two rows of three.
    const char* const keys[] = {"K", "XC", "1", "B", "D"};
    for (std::size_t i = 0; i < excludedPrograms.suggestions.size(); ++i) {
        const int column = static_cast<int>(i % 3);
        const int line = static_cast<int>(i / 3);
        table.push_back(
            {ids::ExcludedSuggestion1 + static_cast<int>(i), PushButton, 0,
             button(120 + column * (SuggestionWidth + 120), 3540 + line * 420, SuggestionWidth),
             Fixed, &excludedPrograms.suggestions[i].button, keys[i],
             [&excludedPrograms, i] { excludedPrograms.addSuggestion(i); }});
    }
    table.push_back({ids::ExcludedCloseButton, PushButton, 0,
                     button(ButtonLeft + ButtonWidth - 1440, 4395, 1440), Fixed,
                     &excludedPrograms.closeButton, "C",
                     [&excludedPrograms] { excludedPrograms.close(); }});
    return table;
}

}  // namespace

ExcludedProgramsView::ExcludedProgramsView(HINSTANCE instance, HWND owner,
                                           ExcludedProgramsWindow& excludedPrograms,
                                           std::function<void()> modelChanged)
    : owner_(owner), excludedPrograms_(excludedPrograms) {
    const Shape shape{ids::ExcludedProgramsClass,
                      excludedPrograms_.caption,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                      owner,
                      ClientWidth,
                      ClientHeight};
    if (createWindow(instance, shape)) {
        createControls(excludedControls(excludedPrograms_), std::move(modelChanged));
        list_ = control(ids::ExcludedList);
        layoutControls();
    }
}

LRESULT ExcludedProgramsView::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        close();
        return 0;
    }
    return ViewWindow::onMessage(message, wParam, lParam);
}

void ExcludedProgramsView::close() {
    excludedPrograms_.close();
    modelChanged();
}

void ExcludedProgramsView::onControlCommand(int id, int code) {
    if (id != ids::ExcludedList) {
        ViewWindow::onControlCommand(id, code);
    } else if (const auto row = chosenListRow(list_, code); row && !echoing()) {
        excludedPrograms_.selectRow(*row);
        modelChanged();
    }
}

void ExcludedProgramsView::refreshOthers() {
    if (list_ == nullptr) {
        return;
    }
    syncText(window(), excludedPrograms_.caption);
    syncListBox(list_, excludedPrograms_.rows(), shownRows_, excludedPrograms_.selected);
    showAsModelSays(excludedPrograms_.visible, excludedPrograms_.bringToFront);
    excludedPrograms_.bringToFront = false;
    if (excludedPrograms_.focusedControl == &excludedPrograms_.nameBox) {
        // A request of the model's, carried out once.
        excludedPrograms_.focusedControl = nullptr;
        ::SetFocus(control(ids::ExcludedNameBox));
    }
    moveFocusOffDisabled(window());  // a suggestion added, the last row removed
}

}  // namespace quorvel
