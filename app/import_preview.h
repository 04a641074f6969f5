#pragma once
// The preview of an import from another program: every shortcut the file
// holds, each with what the import will do with it, before anything is added.
// A trigger the list holds already is kept, replaced or doubled, one choice
// for all of them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/shortcut_list.h"
#include "platform/keyboard_layout.h"
#include "storage/import_file.h"
#include "ui/controls.h"

namespace quorvel {

// What an import changed, so that it can be taken back: the entry lines it
// added and those it replaced.
struct ImportChange {
    std::vector<std::string> added;
    std::vector<std::string> removed;
};

class ImportPreview {
  public:
    enum class Outcome { Added, Skipped, Exists, NotTypeable };
    struct Row {
        ImportRow source;
        Outcome outcome = Outcome::Added;
        std::string line;  // as the list shows it
    };

    // Shows the rows of the file at `path` against the list as it is now.
    void open(std::string path, ImportedFile file, const ShortcutList& list,
              const KeyboardLayout& layout);
    // The choice for triggers that exist; the rows say it at once.
    void chooseKeep() { choose(keepOption); }
    void chooseReplace() { choose(replaceOption); }
    void chooseKeepBoth() { choose(keepBothOption); }
    // Whether the list changed since the rows were worked out: they must be
    // worked out again before they are added.
    bool outdated(const ShortcutList& list) const { return list.revision() != openedAt_; }
    void reopen(const ShortcutList& list, const KeyboardLayout& layout) {
        open(path_, file_, list, layout);
    }
    // Import: adds the rows to the list and closes; returns what changed.
    ImportChange apply(ShortcutList& list);
    void close() { visible = false; }  // Cancel, Esc and the close box

    const std::vector<Row>& rows() const { return rows_; }
    std::string caption{"Import from Another Program"};
    bool visible = false;
    bool bringToFront = false;

    Label summary;
    Label existingLabel{"For a trigger that is in the list already:"};
    OptionButton keepOption{"Keep the shortcut in the list", true};
    OptionButton replaceOption{"Replace it", false};
    OptionButton keepBothOption{"Keep both", false};
    Button importButton{"Import"};
    Button cancelButton{"Cancel"};

  private:
    void choose(OptionButton& chosen);
    void describe(Row& row) const;

    std::vector<Row> rows_;
    std::string path_;
    ImportedFile file_;
    std::uint64_t openedAt_ = 0;
};

// Takes back an import: removes what it added and puts back what it replaced,
// leaving alone every row changed since. Returns how many of its rows were
// changed since and so stay.
std::size_t undoImport(const ImportChange& change, ShortcutList& list);

}  // namespace quorvel
