#pragma once
// The matcher's list scan done the slow, obvious way: every row from the top,
// split, trimmed and lower-cased afresh. The indexed lookup must give exactly its
// result; the benchmarks measure how much faster the index is.

#include <optional>
#include <string>
#include <string_view>

#include "engine/shortcut_list.h"
#include "platform/virtual_keys.h"
#include "text/utf8_text.h"

namespace quorvel::testing {

struct LiteralMatch {
    std::size_t row;
    bool direct;
};

// Every row split, trimmed and lower-cased afresh: first a direct match anywhere
// (the trigger as written), then, with a modifier recorded, a Ctrl-stripped one
// (the trigger with every "{Ctrl}" removed). Nothing typed matches nothing.
inline std::optional<LiteralMatch> literalScan(const ShortcutList& list, std::string_view buffer,
                                               int keyCode, bool modifierRecorded) {
    const std::string typed(trimBlanks(buffer));
    if (typed.empty()) {
        return std::nullopt;  // nothing typed completes no trigger
    }
    for (const bool direct : {true, false}) {
        if (!direct && !modifierRecorded) {
            break;
        }
        for (std::size_t i = 0; i <= list.count(); ++i) {
            const std::string row(list.entryLine(i));
            if (row.empty()) {
                break;
            }
            const std::size_t size = EntrySeparator.size();
            const auto first = row.find(EntrySeparator);
            const auto second =
                first == std::string::npos ? first : row.find(EntrySeparator, first + size);
            if (second == std::string::npos) {
                continue;
            }
            const std::string head(trimBlanks(std::string_view(row).substr(0, first)).substr(0, 3));
            const std::string trigger(
                trimBlanks(std::string_view(row).substr(first + size, second - first - size)));
            const bool accepted = (head == "{T}" && keyCode == vk::Tab) ||
                                  (head == "{S}" && keyCode == vk::Space) ||
                                  (head == "{C}" && keyCode == vk::Esc) ||
                                  (keyCode >= vk::F1 && keyCode <= vk::F12) || keyCode >= vk::LCtrl;
            if (accepted &&
                typed == lowerCase(direct ? trigger : replaceAll(trigger, "{Ctrl}", ""))) {
                return LiteralMatch{i, direct};
            }
        }
    }
    return std::nullopt;
}

}  // namespace quorvel::testing
