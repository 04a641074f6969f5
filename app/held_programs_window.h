#pragma once
// "Programs Waiting for Approval": the entries held back because they start a
// program no one approved, each with its trigger and the command line exactly
// as it would run. Approve lets the entry start it; Remove deletes the entry.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/shortcut_list.h"
#include "platform/clock.h"
#include "storage/program_approvals.h"
#include "ui/controls.h"

namespace quorvel {

class HeldProgramsWindow {
  public:
    using RemoveEntry = std::function<void(std::string_view entryLine)>;
    HeldProgramsWindow(const ShortcutList& list, ProgramApprovals& approvals, Clock& clock,
                       const Locale& locale, RemoveEntry removeEntry);

    void show();
    // A click on the balloon that named this entry: the window shows it chosen,
    // with Approve ready for Enter. An entry approved or gone since just opens
    // the window.
    void review(std::string_view entryLine);
    // The list changed (a reload, an import, an edit): the rows follow it.
    void update();
    void selectRow(std::size_t row);
    void approveSelected();  // Approve
    void removeSelected();   // Remove
    void close();            // Close, Esc and the close box

    struct Row {
        std::string trigger;
        std::string commandLine;
        std::string entryLine;
        bool operator==(const Row&) const = default;
    };
    // In list order.
    const std::vector<Row>& rows() const { return rows_; }
    // A row as the list shows it: the trigger, then the command line with its
    // line breaks and tabs in sight. Never shortened.
    static std::string shownRow(const Row& row);

    std::optional<std::size_t> selected;
    std::string caption{"Programs Waiting for Approval"};
    bool visible = false;
    bool bringToFront = false;
    // A focus the view is asked to give once.
    const void* focusedControl = nullptr;

    Label listLabel{"These shortcuts would start a program. None starts until you approve it:"};
    // The selected row's command line in full and as it will run: its line
    // breaks and tabs as themselves.
    Label programLabel{"Program and arguments:"};
    TextBox programBox;
    Button approveButton{"Approve"};
    Button removeButton{"Remove"};
    Button closeButton{"Close"};

  private:
    void syncSelection();

    const ShortcutList& list_;
    ProgramApprovals& approvals_;
    Clock& clock_;
    const Locale& locale_;
    RemoveEntry removeEntry_;
    std::vector<Row> rows_;
};

}  // namespace quorvel
