#pragma once
// What a list or the dialogs hold, read back as plain strings for comparison.

#include <string>
#include <vector>

#include "engine/shortcut_list.h"
#include "platform/fake/fake_dialogs.h"

namespace quorvel::testing {

inline std::vector<std::string> entryLines(const ShortcutList& list) {
    std::vector<std::string> lines;
    for (std::size_t row = 0; row < list.count(); ++row) {
        lines.emplace_back(list.entryLine(row));
    }
    return lines;
}

inline std::vector<std::string> shownTexts(const FakeDialogs& dialogs) {
    std::vector<std::string> texts;
    for (const auto& shown : dialogs.shown) {
        texts.push_back(shown.text);
    }
    return texts;
}

}  // namespace quorvel::testing
