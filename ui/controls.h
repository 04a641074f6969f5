#pragma once
// Window controls as plain objects. The program's windows are models built from
// these; the platform's windows display them and forward the user's actions.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace quorvel {

class TextBox {
  public:
    TextBox() = default;
    explicit TextBox(std::string initialText) : text_(std::move(initialText)) {}

    const std::string& text() const { return text_; }
    // Counts the changes of the text, so that a view that has shown one need
    // not read a box of megabytes back to know it still shows it.
    std::uint64_t revision() const { return revision_; }
    // Runs `onChange` when the text actually changes, whether typed or assigned.
    void setText(std::string newText) {
        if (newText == text_) {
            return;
        }
        text_ = std::move(newText);
        ++revision_;
        if (onChange) {
            onChange();
        }
    }

    bool enabled = true;
    bool visible = true;
    std::function<void()> onChange;

  private:
    std::string text_;
    std::uint64_t revision_ = 0;
};

struct Timer {
    Timer(int intervalMs, bool enabledAtStart) : interval(intervalMs), enabled(enabledAtStart) {}
    int interval = 0;  // milliseconds
    bool enabled = false;
};

struct MenuItem {
    MenuItem() = default;
    explicit MenuItem(std::string text) : caption(std::move(text)) {}
    std::string caption;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
};

// Colours as the platform writes them: 0x00BBGGRR, or a system colour.
inline constexpr std::uint32_t SystemButtonFace = 0x8000000F;
inline constexpr std::uint32_t PureRed = 0x000000FF;

struct Button {
    std::string caption;
    bool enabled = true;
    bool visible = true;
    std::uint32_t backColor = SystemButtonFace;
};

struct CheckBox {
    std::string caption;
    int value = 0;  // 1 ticked, 0 not
};

struct OptionButton {
    std::string caption;
    bool value = false;  // selected
};

struct Label {
    std::string caption;
};

struct Frame {
    std::string caption;
    bool visible = true;
};

}  // namespace quorvel
