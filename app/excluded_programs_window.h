#pragma once
// The Excluded Programs window: the programs Quorvel stays out of, by file
// name. A name is added as typed, as the program that was in front last, or
// from the suggestions with one click; each change is stored at once.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/stay_out.h"
#include "platform/dialogs.h"
#include "platform/focus_inspector.h"
#include "ui/controls.h"

namespace quorvel {

class ExcludedProgramsWindow {
  public:
    // The calls that change the list and store it; false when nothing changed.
    using Change = std::function<bool(std::string_view)>;
    ExcludedProgramsWindow(const ExcludedPrograms& programs, Change exclude, Change include,
                           FocusInspector& focus, Dialogs& dialogs);

    void show();
    void addTyped();           // Add
    void addProgramInFront();  // Add the program in front
    void addSuggestion(std::size_t which);
    void selectRow(std::size_t row);
    void removeSelected();  // Remove
    void close();           // Close, Esc and the close box

    struct Suggestion {
        const char* program;  // the file name added
        Button button;
    };
    static constexpr std::size_t SuggestionCount = 5;

    const std::vector<std::string>& rows() const { return programs_.names(); }
    std::optional<std::size_t> selected;

    std::string caption{"Excluded Programs"};
    bool visible = false;
    // Set by each show, for the platform to restore and raise the window, once.
    bool bringToFront = false;
    // The control that is to get the keyboard focus, or null when the window leaves it alone.
    const void* focusedControl = nullptr;

    Label nameLabel{"Program file name:"};
    TextBox nameBox;
    Button addButton{"Add"};
    Button frontButton{"Add the program in front"};
    Label listLabel{"Programs where Quorvel stays out:"};
    Button removeButton{"Remove"};
    Label suggestionsLabel{"Suggestions, each added with one click:"};
    std::array<Suggestion, SuggestionCount> suggestions;
    Button closeButton{"Close"};

  private:
    // Adds the name, telling the user why when it cannot be added.
    void add(std::string_view typed);
    void tell(const std::string& message);
    // The buttons that have nothing to do are disabled.
    void syncButtons();

    const ExcludedPrograms& programs_;
    Change exclude_;
    Change include_;
    FocusInspector& focus_;
    Dialogs& dialogs_;
};

}  // namespace quorvel
