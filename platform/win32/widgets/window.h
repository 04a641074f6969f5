#pragma once
// A top-level window whose messages go to one object, and whose controls are
// described once, in a table: from it this base creates them (creation order
// is tab order), lays them out in twips at the window's own DPI, shows the
// model in them on refresh, and hands the user's actions to the model. It
// sizes the window and its font for its DPI and follows DPI and font changes,
// keeps the keyboard focus across activation, and turns Enter and Esc into calls.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/win32/widgets/dpi.h"
#include "platform/win32/widgets/handles.h"
#include "platform/win32/widgets/keyboard.h"
#include "ui/controls.h"

namespace quorvel {

// How a control is made: its class and the style it always has.
enum class ControlKind {
    Static,
    GroupBox,       // drawn under the controls it surrounds when made after them
    Edit,           // one line
    MultiLineEdit,  // Tab and Esc leave it, Ctrl+Tab types a tab
    PushButton,     // an owner-drawn one paints its model's colour
    RadioButton,    // the radio buttons of a window form one group
    TickBox,
    ListBox,
    VirtualList,  // rows given on request (list.h)
    Panel,        // hidden until its model shows it, then above what it covers
};

// The edges of a control that follow the room its window has beyond the size
// the control's place is given for.
enum Follow : unsigned { Fixed = 0, GrowWide = 1, GrowTall = 2, MoveRight = 4, MoveDown = 8 };

// What a control shows of the model and what the user's action on it changes:
// a caption; whether a panel shows; a box's text (and its enabled and visible
// state); a button's caption, state and colour; a tick; an option.
using ControlModel = std::variant<std::monostate, const std::string*, const bool*, TextBox*,
                                  const Button*, CheckBox*, OptionButton*>;

struct Control {
    int id;
    ControlKind kind;
    DWORD style;  // beyond the kind's own
    TwipsRect place;
    unsigned follow = Fixed;
    ControlModel model{};
    const char* accessKey = "";  // the caption's text the key is marked before
    std::function<void()> onClick{};
    int enterRuns = 0;  // in a box: the button whose handler Enter runs
    int parent = 0;     // the panel it lies in; 0 for the window
    // Filled in by the window.
    HWND handle = nullptr;
    std::uint32_t shownColour = SystemButtonFace;
    // The revision of a box's text that the box holds, as written or read.
    std::optional<std::uint64_t> shownRevision = std::nullopt;
};

class ViewWindow {
  public:
    ViewWindow() = default;
    virtual ~ViewWindow();
    ViewWindow(const ViewWindow&) = delete;
    ViewWindow& operator=(const ViewWindow&) = delete;

    HWND window() const { return window_.get(); }

    // Model to view, writing only what differs; the notifications those writes
    // raise are not handed back to the model.
    void refresh();

  protected:
    struct Shape {
        const wchar_t* windowClass;
        std::string caption;
        DWORD style;
        DWORD extendedStyle;
        HWND owner;
        // The client area; 0 for a window the view sizes itself.
        int clientWidthTwips;
        int clientHeightTwips;
    };
    // Twips beyond the size the controls' places are given for.
    struct Room {
        int wider = 0;
        int taller = 0;
    };

    // Registers the class (once) and creates the window, hidden, with its client
    // area the shape's size at the window's DPI and the message font made.
    bool createWindow(HINSTANCE instance, const Shape& shape);
    // Creates the table's controls; `modelChanged` runs after each user action
    // handed to the model.
    void createControls(std::vector<Control> table, std::function<void()> modelChanged);

    int dpi() const { return dpi_; }
    HFONT controlFont() const { return font_.get(); }
    HWND control(int id) const;
    bool echoing() const { return echo_; }
    void modelChanged() const { modelChanged_(); }
    // A click, or Enter in a box: the boxes' texts to the model, then the handler.
    void runClick(int id);
    // View to model for the boxes: WM_SETTEXT on a multi-line box raises no
    // change notification, so the boxes are read again before each command.
    void pullTexts();

    // Shows or hides the window. One shown anew, or asked to (`raise`), comes
    // inside its work area and to the front, placed by placeFirst() the first time.
    void showAsModelSays(bool visible, bool raise);
    virtual void placeFirst() {}
    // Beside `other` (right of it, tops level, or left when there is no room)
    // or centred over it; inside the work area.
    void placeBeside(HWND other);
    void placeCentredOver(HWND other);

    // Puts the controls at their places for the window's DPI and room.
    virtual void layoutControls();
    // Default: the client area beyond the shape's, never less than none.
    virtual Room room() const;
    // Default: a sizing frame never makes the client area smaller than the shape's.
    virtual void limitTrackSize(MINMAXINFO& limits) const;
    // A size change that is not a minimisation, before the layout follows it.
    virtual void onResized() {}
    // The window at `suggested` for a new DPI: there, sized from the shape.
    virtual void fitToDpi(const RECT& suggested);

    // WM_COMMAND from a control; the table's own are handled here.
    virtual void onControlCommand(int id, int code);
    // What the table does not show.
    virtual void refreshOthers() {}

    // Enter or Esc pressed on a control that does not take it. Enter runs the
    // box's button, clicks the push button that has the focus or else the
    // default one; Esc does nothing.
    virtual void onEnterKey();
    virtual void onEscapeKey() {}

    // The message, or DefWindowProc for those a view leaves alone.
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void sizeForDpi(int left, int top);
    void changeDpi(int dpi, const RECT& suggested);
    void rebuildFont();
    // A move may have taken the window to a monitor of another DPI.
    void followMonitorDpi();
    void refreshControl(Control& row);
    // The box's text to its model, noting that the box shows that revision.
    static void recordTyped(Control& row, TextBox& box);
    Control* row(int id);

    UniqueHwnd window_;
    UniqueHfont font_;
    int dpi_ = 96;
    Shape shape_{};
    FocusMemory focus_;
    std::vector<Control> controls_;
    std::function<void()> modelChanged_ = [] {};
    bool echo_ = false;
    bool shownOnce_ = false;
};

}  // namespace quorvel
