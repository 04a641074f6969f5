#include "commontext/common_text_window.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "commontext/common_text_store.h"
#include "platform/product_info.h"

namespace quorvel {
namespace {

constexpr std::string_view SortAscending = "Sort Ascending";
constexpr std::string_view SortDescending = "Sort Descending";

}  // namespace

CommonTextWindow::CommonTextWindow(SettingsStore& settings, Dialogs& dialogs, Clipboard& clipboard,
                                   Collation& collation)
    : settings_(settings), dialogs_(dialogs), clipboard_(clipboard), collation_(collation) {
    caption = "Common Text - " + std::string(product::WebDomain);
    hintLabel.caption =
        "Common Text is used for common text strings.  Simply enter the common text string into "
        "the text box. To retrieve it just click on the list box. Then the text is automatically "
        "copied into your clipboard. If you have any Question please email " +
        std::string(product::SupportEmail) + " or goto " + std::string(product::WebSite);
}

void CommonTextWindow::load() {
    if (!loaded) {
        loadCommonText(settings_, texts.rows);
        loaded = true;
    }
}

void CommonTextWindow::show() {
    load();
    visible = true;
    bringToFront = true;
}

void CommonTextWindow::addText() {
    if (entryBox.text().empty()) {
        dialogs_.showMessage("Please enter text in Text Box.", MessageButtons::Ok,
                             product::ApplicationTitle);
    } else if (texts.rows.size() >= static_cast<std::size_t>(MaxCommonTextRows)) {
        dialogs_.showMessage("The Common Text list is full.", MessageButtons::Ok,
                             product::ApplicationTitle);
    } else {
        texts.rows.push_back(entryBox.text());
        entryBox.setText("");
    }
    // Saved even when nothing was added.
    saveCommonText(settings_, texts.rows);
    focusedControl = &entryBox;
}

void CommonTextWindow::removeText() {
    if (!texts.selected || *texts.selected >= texts.rows.size()) {
        return;
    }
    texts.rows.erase(*texts.selected);
    texts.selected.reset();
    saveCommonText(settings_, texts.rows);
}

void CommonTextWindow::close() {
    entryBox.setText("");
    visible = false;
}

void CommonTextWindow::sortTexts() {
    // Rows the locale finds equal (differing only in case, say) stay, each as a
    // row of its own, in the order they had.
    std::vector<std::size_t> order(texts.rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return collation_.compare(texts.rows[a], texts.rows[b]) < 0;
    });
    if (sortButton.caption == SortAscending) {
        sortButton.caption = SortDescending;
    } else {
        std::reverse(order.begin(), order.end());
        sortButton.caption = SortAscending;
    }
    texts.rows.reorder(order);
    texts.selected.reset();
}

void CommonTextWindow::copyRow(std::size_t row) {
    if (row >= texts.rows.size()) {
        return;
    }
    texts.selected = row;
    entryBox.setText(std::string(texts.rows[row]));
    // Another program may hold the clipboard; the row is then simply not copied.
    clipboard_.clear();
    clipboard_.setText(texts.rows[row]);
}

}  // namespace quorvel
