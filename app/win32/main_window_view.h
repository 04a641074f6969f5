#pragma once
// The main window as a view of the MainWindow model: its controls in twips at
// the window's DPI, growing with the window by the model's resize rules; the
// shortcut list; the window's size and visibility as the model holds them.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "platform/win32/widgets/handles.h"
#include "platform/win32/widgets/window.h"

namespace quorvel {

class MainWindowView final : public ViewWindow {
  public:
    // The program's own messages that reach the main window (timers, the tray
    // icon, posted work, menu commands, the session's end) go to `program`
    // first; nullopt leaves a message to the window. `afterMessage` runs after
    // each message once the model is attached.
    using ProgramMessages = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;
    MainWindowView(HINSTANCE instance, ProgramMessages program,
                   std::function<void(UINT, LPARAM)> afterMessage);
    ~MainWindowView() override;

    // Ctrl+F anywhere in the window puts the caret in the search box; returns
    // whether it was that key.
    bool takeFindKey(const MSG& message);

    // Creates the controls for the model and gives the window the model's size.
    // `modelChanged` runs after each user action handed to the model.
    void attach(MainWindow& mainWindow, std::function<void()> modelChanged);

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Room room() const override;
    void limitTrackSize(MINMAXINFO& limits) const override;
    void onResized() override;
    void fitToDpi(const RECT& suggested) override;
    void refreshOthers() override;
    void onEscapeKey() override;
    // What the list shows for the row shown at `shown`.
    std::string rowText(std::size_t shown) const;
    LRESULT onNotify(NMHDR& header);
    void selectRow(std::size_t shown);
    void refreshList();
    void resizeToModel();

    static LRESULT CALLBACK triggerBoxProcedure(HWND box, UINT message, WPARAM wParam,
                                                LPARAM lParam);

    ProgramMessages program_;
    std::function<void(UINT, LPARAM)> afterMessage_;
    MainWindow* mainWindow_ = nullptr;
    UniqueHmodule commonControls_;
    HWND triggerBox_ = nullptr;
    HWND shortcutList_ = nullptr;

    WNDPROC triggerBoxOriginal_ = nullptr;
    // Releases the trigger box keeps from the window after catching a function
    // key: the key's own, and the Alt's when Alt was held.
    struct CapturedKeyUps {
        WPARAM functionKey = 0;
        bool alt = false;
    };
    CapturedKeyUps swallowedKeyUps_;
    std::uint64_t shownGeneration_ = 0;
    bool listShownOnce_ = false;
    // The row a selection change has just loaded, so that the click that made the
    // change does not load it again.
    std::optional<std::size_t> rowJustSelected_;
    int syncedWidth_ = 0;
    int syncedHeight_ = 0;
};

}  // namespace quorvel
