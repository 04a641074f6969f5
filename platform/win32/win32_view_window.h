#pragma once
// A top-level window whose messages go to one object. Derived views handle what
// they need and leave the rest to the system.

#include <windows.h>

#include <string>

#include "platform/win32/win32_view_handles.h"

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
        const char* windowClass;
        std::string caption;
        DWORD style;
        DWORD extendedStyle;
        HWND owner;
        int clientWidthTwips;
        int clientHeightTwips;
    };

    // Registers the class (once) and creates the window, hidden.
    bool createWindow(HINSTANCE instance, const Shape& shape);

    // Moves the window so that it stands beside `other` (right of it, tops level)
    // or centred over it; used before a window is first shown.
    void placeBeside(HWND other);
    void placeCentredOver(HWND other);

    // The dialog font at the window's DPI, kept as long as the view; returns that DPI.
    int createDialogFont();
    HFONT controlFont() const { return font_.get(); }

    // WM_COMMAND from one of the window's controls.
    virtual void onControlCommand(int /*id*/, int /*code*/) {}

    // The message, or DefWindowProc for those a view leaves alone; control
    // commands go to onControlCommand.
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UniqueHwnd window_;
    UniqueHfont font_;
};

}  // namespace quorvel
