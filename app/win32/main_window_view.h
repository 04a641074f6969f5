#pragma once
// The main window's controls as a view of the MainWindow model: it creates them,
// lays them out in twips at the window's dots per inch in the system's message
// font, hands every user action to the model's handlers and, on refresh, shows
// what the model now holds.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "app/main_window.h"
#include "platform/win32/widgets/handles.h"
#include "platform/win32/widgets/keyboard.h"

namespace quorvel {

class MainWindowView {
  public:
    // `modelChanged` runs after each user action the view has handed to the
    // model, so that every window shows the outcome.
    MainWindowView(HWND window, MainWindow& form, std::function<void()> modelChanged);
    ~MainWindowView();
    MainWindowView(const MainWindowView&) = delete;
    MainWindowView& operator=(const MainWindowView&) = delete;

    // WM_COMMAND from one of the controls.
    void onControlCommand(int id, int code);
    LRESULT onNotify(NMHDR& header);
    bool onDrawItem(const DRAWITEMSTRUCT& item);
    void onSize(bool minimized);
    void onDpiChanged(int dpi, const RECT& suggested);
    // WM_GETMINMAXINFO: the window is never made smaller than its controls need.
    void limitTrackSize(MINMAXINFO& limits) const;
    void onFontSettingChanged();
    void onActivate(WPARAM state);
    // Enter pressed on a control that does not take it (IDOK from the message loop).
    void onEnterKey();

    // Model to view; writes only what differs.
    void refresh();

  private:
    void createControls();
    HWND createButton(int id, DWORD style = BS_PUSHBUTTON);
    void rebuildFont();
    void applyLayout();
    // View to model for the text boxes: WM_SETTEXT on a multi-line box raises
    // no change notification, so the boxes are read again before each command.
    void pullTexts();
    void runButton(int id);
    void selectRow(std::size_t row);
    void refreshList();
    void refreshButtons();
    void refreshWindow();

    static LRESULT CALLBACK triggerBoxProcedure(HWND box, UINT message, WPARAM wParam,
                                                LPARAM lParam);

    HWND window_;
    MainWindow& form_;
    std::function<void()> modelChanged_;
    UniqueHmodule commonControls_;
    // The window's own DPI: from the window at creation, then from WM_DPICHANGED.
    int dpi_;
    UniqueHfont font_;
    FocusMemory focus_;

    HWND editorFrame_ = nullptr, columnHeadings_ = nullptr, textData10_ = nullptr,
         shortcutText_ = nullptr;
    HWND spaceKey_ = nullptr, tabKey_ = nullptr, escKey_ = nullptr, enterAfter_ = nullptr;
    HWND addButton_ = nullptr, deleteButton_ = nullptr, deleteAllButton_ = nullptr,
         samplesButton_ = nullptr;
    HWND minimizeButton_ = nullptr, exitButton_ = nullptr, importButton_ = nullptr,
         exportButton_ = nullptr;
    HWND helpButton_ = nullptr, commonTextButton_ = nullptr;
    HWND shortcutList_ = nullptr;
    HWND calibration_ = nullptr, calibrationBorder_ = nullptr, calibrationHelp_ = nullptr;
    HWND calibrationBox_ = nullptr, calibrationOkButton_ = nullptr;

    WNDPROC triggerBoxOriginal_ = nullptr;
    // Releases the trigger box keeps from the window after catching a function
    // key: the key's own, and the Alt's when Alt was held.
    struct CapturedKeyUps {
        WPARAM functionKey = 0;
        bool alt = false;
    };
    CapturedKeyUps swallowedKeyUps_;
    // Set while the view writes to its controls, whose notifications are then echoes.
    bool echo_ = false;
    std::uint64_t shownRevision_ = 0;
    bool listShownOnce_ = false;
    // The row a selection change has just loaded, so that the click that made the
    // change does not load it again.
    std::optional<std::size_t> rowJustSelected_;
    std::uint32_t shownExitColour_ = SystemButtonFace;
    int syncedWidth_ = 0;
    int syncedHeight_ = 0;
};

}  // namespace quorvel
