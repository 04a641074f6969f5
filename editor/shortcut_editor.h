#pragma once
// The shortcut editor: adds the entry in the boxes to the list, loads a row back
// into the boxes, and deletes rows. Every change to the list is saved at once.

#include <functional>
#include <optional>
#include <string>

#include "editor/editor_controls.h"
#include "engine/shortcut_list.h"
#include "platform/dialogs.h"

namespace quorvel {

class ShortcutEditor {
  public:
    ShortcutEditor(EditorControls& controls, ShortcutList& list, Dialogs& dialogs,
                   std::function<void()> fileSave);

    // Adds the boxes' entry in place of every row with the same trigger, and
    // returns its entry line. Does nothing while "Add ShortCut" is disabled, as
    // it is while an Add runs.
    std::optional<std::string> addShortcut();

    // Loads row `row` of the display list into the boxes.
    void selectEntry(std::size_t row);

    // A key pressed in the trigger box: a function key replaces the box with its
    // name. Returns whether the key was taken.
    bool captureFunctionKey(int keyCode);

    void deleteSelected();
    void deleteAll();
    // The Samples button: asks, then loads the samples.
    void offerSamples();

    // Empty boxes, Space, no Enter.
    void resetEditor();

  private:
    void show(std::string_view message);
    bool ask(std::string_view question, MessageButtons buttons = MessageButtons::YesNo);
    void save();

    EditorControls& controls_;
    ShortcutList& list_;
    Dialogs& dialogs_;
    std::function<void()> fileSave_;
};

}  // namespace quorvel
