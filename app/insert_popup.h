#pragma once
// The popup that finds a shortcut by what it says and types it where the user
// was: a search box over the shortcuts (the most recently used first, then the
// rest in list order) and the Common Text strings after them. Enter or a double
// click chooses a row, Esc or leaving the popup closes it with nothing typed.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commontext/text_rows.h"
#include "engine/program_approval.h"
#include "engine/send_request.h"
#include "engine/shortcut_list.h"
#include "storage/usage_history.h"
#include "ui/controls.h"

namespace quorvel {

class InsertPopup {
  public:
    // Rows past this many are not shown: more words find them.
    static constexpr std::size_t MaxRows = 200;
    // A row shows at most this much of its text's first line.
    static constexpr std::size_t ShownTextBytes = 120;

    struct Row {
        enum class Kind { Shortcut, CommonText };
        Kind kind = Kind::Shortcut;
        // Where the row's entry line or Common Text string was, and its hash:
        // the lists may have changed by the time the row is chosen, and only
        // what they still hold is typed. Not the text itself, which may be a
        // megabyte.
        std::size_t index = 0;
        std::size_t fingerprint = 0;
        std::string shown;
    };

    InsertPopup(const ShortcutList& shortcuts, const TextRows& commonTexts,
                const UsageHistory& usage);

    // Shows the popup with an empty search and the first row selected.
    void open();
    // Esc, or another window became active: nothing is typed.
    void close();

    void moveSelection(int rows);  // Up (-1), Down (+1)
    void select(std::size_t row);
    // Enter: the selected row. A double click: that row.
    void choose();
    void chooseRow(std::size_t row);

    // Told of the row chosen, as the text to send; the popup is closed by then.
    std::function<void(SendRequest)> onChosen;
    // A shortcut that may start a program is sent only when this approves it.
    const ProgramApprovalCheck* approvals = nullptr;

    bool visible = false;
    TextBox searchBox;
    Label note;  // why nothing was typed, or that nothing matches
    std::vector<Row> rows;
    std::optional<std::size_t> selected;
    // Changes with every change of the rows, so a view knows when to redraw.
    std::uint64_t revision = 0;

  private:
    void orderShortcuts();
    void search();

    const ShortcutList& shortcuts_;
    const TextRows& commonTexts_;
    const UsageHistory& usage_;
    // Shortcut rows in the popup's order, taken when it opens.
    std::vector<std::size_t> order_;
};

// What a popup row shows: the trigger, then the first line of the text, cut.
std::string popupRowText(std::string_view trigger, std::string_view text);

}  // namespace quorvel
