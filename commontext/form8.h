#pragma once
// The Common Text window: a list of often-used texts; clicking a row puts its
// text on the clipboard. The list is kept in the settings.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/collation.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "ui/controls.h"

namespace quorvel {

// A list box that keeps its rows in the order they are given.
struct TextListBox {
    std::vector<std::string> rows;
    std::optional<std::size_t> selected;
    bool visible = true;
};

class Form8 {
  public:
    Form8(SettingsStore& settings, Dialogs& dialogs, Clipboard& clipboard, Collation& collation);

    // Loads the stored list the first time in a run, then shows the window.
    void show();

    void Command1_Click();  // Add
    void Command2_Click();  // Remove
    void Command3_Click();  // Close
    // Sort, ascending and descending in turn, in the order of the user's locale.
    void Command4_Click();
    void List1_Click(std::size_t row);

    std::string caption;
    bool visible = false;
    // Set by each show, for the platform to restore and raise the window, once.
    bool bringToFront = false;
    bool loaded = false;
    // The control that has the keyboard focus, or null when the window leaves it alone.
    const void* focusedControl = nullptr;

    Label Label27{"Enter Text:"};
    TextBox Text1;
    TextListBox List1;
    TextListBox List2{{}, std::nullopt, false};  // work list for sorting, never shown
    Button Command1{"&Add"};
    Button Command2{"&Remove"};
    Button Command3{"Close"};
    Button Command4{"Sort Ascending"};
    Label Label1;

    // Shown but not used by this window.
    TextBox ComboCategory{"Show All Categories"};
    Label Label57{"Category:"};
    TextBox Text3;
    Label Label2{"Note:"};
    TextBox Text2;
    CheckBox C17{"Always on Top"};

  private:
    SettingsStore& settings_;
    Dialogs& dialogs_;
    Clipboard& clipboard_;
    Collation& collation_;
};

}  // namespace quorvel
