#pragma once
// The Common Text window: a list of often-used texts; clicking a row puts its
// text on the clipboard. The list is kept in the settings.

#include <cstddef>
#include <optional>
#include <string>

#include "commontext/text_rows.h"
#include "platform/clipboard.h"
#include "platform/collation.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "ui/controls.h"

namespace quorvel {

// A list box that keeps its rows in the order they are given.
struct TextListBox {
    TextRows rows;
    std::optional<std::size_t> selected;
    bool visible = true;
};

class CommonTextWindow {
  public:
    CommonTextWindow(SettingsStore& settings, Dialogs& dialogs, Clipboard& clipboard,
                     Collation& collation);

    // Loads the stored list the first time in a run, then shows the window.
    void show();
    // Loads the stored list the first time in a run.
    void load();

    void addText();     // Add
    void removeText();  // Remove
    void close();       // Close
    // Sort, ascending and descending in turn, in the order of the user's locale.
    void sortTexts();
    void copyRow(std::size_t row);

    std::string caption;
    bool visible = false;
    // Set by each show, for the platform to restore and raise the window, once.
    bool bringToFront = false;
    bool loaded = false;
    // The control that has the keyboard focus, or null when the window leaves it alone.
    const void* focusedControl = nullptr;

    Label entryLabel{"Enter Text:"};
    TextBox entryBox;
    TextListBox texts;
    Button addButton{"&Add"};
    Button removeButton{"&Remove"};
    Button closeButton{"Close"};
    Button sortButton{"Sort Ascending"};
    Label hintLabel;

    // Shown but not used by this window.
    TextBox categoryBox{"Show All Categories"};
    Label categoryLabel{"Category:"};
    TextBox categoryNote;
    Label noteLabel{"Note:"};
    TextBox noteBox;
    CheckBox alwaysOnTopBox{"Always on Top"};

  private:
    SettingsStore& settings_;
    Dialogs& dialogs_;
    Clipboard& clipboard_;
    Collation& collation_;
};

}  // namespace quorvel
