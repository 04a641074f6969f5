#include "commontext/common_text_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commontext/common_text_store.h"
#include "support/transcript.h"
#include "tests/doubles/fake_clipboard.h"
#include "tests/doubles/fake_collation.h"
#include "tests/doubles/fake_dialogs.h"
#include "tests/doubles/fake_settings_store.h"

namespace quorvel {
namespace {

std::string joined(const TextRows& rows) {
    std::string out;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        out += (row == 0 ? "" : " | ") + testing::printable(rows[row]);
    }
    return "[" + out + "]";
}

TextRows split(const std::string& rows) {
    TextRows out;
    for (std::size_t start = 0; !rows.empty() && start <= rows.size();) {
        const std::size_t end = std::min(rows.find('|', start), rows.size());
        out.push_back(rows.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// A new window run through steps, each a word and what follows its first
// blank: "show", "close", "type <text>" in the box, "add", "copy N" (a row
// clicked), "remove", "sort", "rows a|b" (the list as shown, the first row
// selected), "stored a|b" (the list another copy saved), "count N" (the stored
// count alone), "picture" (put on the clipboard), "lock" and "unlock" (the
// clipboard, by another program). Each step's line has what it changed of the
// rows, the selection, the box, the clipboard, the stored list, the Sort button
// and whether the window is hidden; whether it read or wrote the store or
// redrew the list; and under it what the window told.
std::string run(const std::vector<std::string>& steps) {
    FakeSettingsStore store;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    FakeCollation collation;
    CommonTextWindow form{store, dialogs, clipboard, collation};
    const auto facts = [&](bool read, bool wrote, bool redrawn) -> testing::Facts {
        TextRows stored;
        loadCommonText(store, stored);
        const auto text = clipboard.getText();
        const auto& selected = form.texts.selected;
        return {
            {"rows", "rows " + joined(form.texts.rows)},
            {"selected", "selected " + (selected ? std::to_string(*selected) : "none")},
            {"box", "box [" + testing::printable(form.entryBox.text()) + "]"},
            {"focused", form.focusedControl == &form.entryBox ? "focused" : ""},
            {"clipboard", "clipboard " + (text ? "[" + testing::printable(*text) + "]" : "locked") +
                              " in " + std::to_string(clipboard.contents().formats.size()) +
                              " formats"},
            {"stored", "stored " + joined(stored)},
            {"read", read ? "read" : ""},
            {"saved", wrote ? "saved" : ""},
            {"redrawn", redrawn ? "redrawn" : ""},
            {"sort", form.sortButton.caption},
            {"window", form.visible ? "shown" : "hidden"},
        };
    };
    std::string out;
    testing::Facts was;
    for (const std::string& step : steps) {
        const std::string word = step.substr(0, step.find(' '));
        const std::string rest = step.size() > word.size() ? step.substr(word.size() + 1) : "";
        form.focusedControl = nullptr;
        if (!was.empty()) {
            was = facts(false, false, false);
        }
        const std::size_t told = dialogs.shown.size();
        const int reads = store.reads, writes = store.writes;
        const auto revision = form.texts.rows.revision();
        if (word == "show" || word == "close") {
            word == "show" ? form.show() : form.close();
        } else if (word == "type") {
            form.entryBox.setText(rest);
        } else if (word == "add" || word == "remove" || word == "sort") {
            word == "add"      ? form.addText()
            : word == "remove" ? form.removeText()
                               : form.sortTexts();
        } else if (word == "copy") {
            form.copyRow(std::stoul(rest));
        } else if (word == "rows") {
            form.texts.rows = split(rest);
            form.texts.selected = 0;
        } else if (word == "stored" || word == "count") {
            word == "stored" ? saveCommonText(store, split(rest))
                             : store.write({"Quorvel", "Commonkeys", "Number"}, rest);
        } else if (word == "picture") {
            clipboard.putFormat(2, {1, 2, 3});
        } else if (word == "lock" || word == "unlock") {
            clipboard.locked = word == "lock";
        } else {
            ADD_FAILURE() << "unknown step " << step;
        }
        const testing::Facts now = facts(store.reads != reads, store.writes != writes,
                                         form.texts.rows.revision() != revision);
        out +=
            testing::stepLine(step, testing::changed(was, now)) + testing::toldSince(dialogs, told);
        was = now;
    }
    return "== " + out;
}

// Sort orders as the user's locale does (here the fake's: case ignored,
// accented letters among their plain ones), rows equal but for case in the
// order they had; each click turns the order, the selection goes and nothing
// is saved. A clicked row goes to the clipboard alone, other formats cleared; a
// locked clipboard only leaves it uncopied. Add saves the list, a duplicate
// too, and complains of an empty box; Remove takes the selected row, and an
// empty list is stored as such, or the old rows would come back. The stored
// list is read at the first show only; Close forgets the half-typed text.
TEST(CommonTextWindowTest, SortCopyAddRemoveAndTheStoredList) {
    std::string transcript;
    for (const char* rows : {"rows b|A|c", "rows a|B|A|b", "rows ab|A||Ab",
                             "rows zebra|éclair|École|eagle", "rows "}) {
        transcript += run({rows, "sort", "sort"});
    }
    transcript += run({"show", "type first", "add", "type two\r\nlines", "add", "picture", "copy 1",
                       "add", "lock", "copy 0", "unlock", "copy 7"});
    transcript += run({"show", "type a", "add", "type b", "add", "type c", "add", "count 0", "add",
                       "remove", "copy 0", "remove", "copy 1", "remove", "copy 0", "remove"});
    transcript += run({"stored from last run|second", "show", "type half typed", "close",
                       "stored changed meanwhile", "show"});
    testing::expectGolden("common_text_window.txt", transcript);
}

}  // namespace
}  // namespace quorvel
