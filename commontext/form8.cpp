#include "commontext/form8.h"

#include <algorithm>
#include <utility>

#include "commontext/common_text_store.h"
#include "engine/product_info.h"

namespace quorvel {
namespace {

constexpr std::string_view SortAscending = "Sort Ascending";
constexpr std::string_view SortDescending = "Sort Descending";

}  // namespace

Form8::Form8(SettingsStore& settings, Dialogs& dialogs, Clipboard& clipboard, Collation& collation)
    : settings_(settings), dialogs_(dialogs), clipboard_(clipboard), collation_(collation) {
    caption = "Common Text - " + std::string(product::WebDomain);
    Label1.caption =
        "Common Text is used for common text strings.  Simply enter the common text string into "
        "the text box. To retrieve it just click on the list box. Then the text is automatically "
        "copied into your clipboard. If you have any Question please email " +
        std::string(product::SupportEmail) + " or goto " + std::string(product::WebSite);
}

void Form8::show() {
    if (!loaded) {
        GetList(settings_, List1.rows);
        loaded = true;
    }
    visible = true;
    bringToFront = true;
}

void Form8::Command1_Click() {
    if (Text1.text().empty()) {
        dialogs_.MsgBox("Please enter text in Text Box.", MessageButtons::Ok,
                        product::ApplicationTitle);
    } else if (List1.rows.size() >= static_cast<std::size_t>(MaxCommonTextRows)) {
        dialogs_.MsgBox("The Common Text list is full.", MessageButtons::Ok,
                        product::ApplicationTitle);
    } else {
        List1.rows.push_back(Text1.text());
        Text1.setText("");
    }
    // Saved even when nothing was added.
    SaveList(settings_, List1.rows);
    focusedControl = &Text1;
}

void Form8::Command2_Click() {
    if (!List1.selected || *List1.selected >= List1.rows.size()) {
        return;
    }
    List1.rows.erase(List1.rows.begin() + static_cast<std::ptrdiff_t>(*List1.selected));
    List1.selected.reset();
    SaveList(settings_, List1.rows);
}

void Form8::Command3_Click() {
    Text1.setText("");
    visible = false;
}

void Form8::Command4_Click() {
    // Rows the locale finds equal (differing only in case, say) stay, each as a
    // row of its own, in the order they had.
    List2.rows = std::move(List1.rows);
    std::stable_sort(List2.rows.begin(), List2.rows.end(),
                     [this](const std::string& a, const std::string& b) {
                         return collation_.compare(a, b) < 0;
                     });
    if (Command4.caption == SortAscending) {
        Command4.caption = SortDescending;
    } else {
        std::reverse(List2.rows.begin(), List2.rows.end());
        Command4.caption = SortAscending;
    }
    List1.rows = std::move(List2.rows);
    List2.rows.clear();
    List1.selected.reset();
}

void Form8::List1_Click(std::size_t row) {
    if (row >= List1.rows.size()) {
        return;
    }
    List1.selected = row;
    Text1.setText(List1.rows[row]);
    // Another program may hold the clipboard; the row is then simply not copied.
    clipboard_.clear();
    clipboard_.setText(List1.rows[row]);
}

}  // namespace quorvel
