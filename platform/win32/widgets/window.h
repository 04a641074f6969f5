#pragma once
// A top-level window whose messages go to one object. Derived views create and
// lay out their controls and handle what they need; this base sizes the window
// and its font for its own DPI and follows DPI and font changes, keeps the
// keyboard focus across activation, and turns Enter and Esc into calls.

#include <windows.h>

#include <string>

#include "platform/win32/widgets/handles.h"
#include "platform/win32/widgets/keyboard.h"

namespace quorvel {

class ViewWindow {
  public:
    ViewWindow() = default;
    virtual ~ViewWindow();
    ViewWindow(const ViewWindow&) = delete;
    ViewWindow& operator=(const ViewWindow&) = delete;

    HWND window() const { return window_.get(); }

  protected:
    struct Shape {
        const wchar_t* windowClass;
        std::string caption;
        DWORD style;
        DWORD extendedStyle;
        HWND owner;
        int clientWidthTwips;
        int clientHeightTwips;
    };

    // Registers the class (once) and creates the window, hidden, with its client
    // area the shape's size at the window's DPI and the message font made.
    bool createWindow(HINSTANCE instance, const Shape& shape);

    int dpi() const { return dpi_; }
    HFONT controlFont() const { return font_.get(); }

    // Before a window is first shown: beside `other` (right of it, tops level,
    // or left when there is no room) or centred over it; inside the work area.
    void placeBeside(HWND other);
    void placeCentredOver(HWND other);

    // Puts the controls at their places for the window's DPI.
    virtual void layoutControls() = 0;

    // WM_COMMAND from one of the window's controls.
    virtual void onControlCommand(int /*id*/, int /*code*/) {}

    // Enter or Esc pressed on a control that does not take it. Enter clicks the
    // push button that has the focus; Esc does nothing.
    virtual void onEnterKey();
    virtual void onEscapeKey() {}

    // The message, or DefWindowProc for those a view leaves alone; control
    // commands go to onControlCommand.
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void sizeForDpi(int left, int top);
    void changeDpi(int dpi, const RECT& suggested);
    void rebuildFont();
    // A move may have taken the window to a monitor of another DPI.
    void followMonitorDpi();

    UniqueHwnd window_;
    UniqueHfont font_;
    int dpi_ = 96;
    Shape shape_{};
    FocusMemory focus_;
};

}  // namespace quorvel
