#pragma once
// The matcher's list scan done the slow, obvious way: every row from the top,
// split, trimmed and lower-cased afresh. The indexed lookup must give exactly its
// result; the benchmarks measure how much faster the index is.

#include <optional>
#include <string>
#include <string_view>

#include "engine/ansi_text.h"
#include "engine/shortcut_list.h"
#include "platform/event_pump.h"

namespace quorvel::testing {

struct LiteralMatch {
    std::size_t row;
    bool direct;
    bool operator==(const LiteralMatch&) const = default;
};

inline std::optional<LiteralMatch> literalScan(const ShortcutList& list, std::string_view buffer,
                                               int keyCode, bool modifierRecorded,
                                               EventPump& events) {
    const std::string typed(trimBlanks(buffer));
    for (std::size_t i = 0; i <= list.count(); ++i) {
        events.DoEvents();
        const std::string row(list.entryLine(i));
        if (row.empty()) {
            return std::nullopt;
        }
        const auto first = row.find(EntrySeparator);
        if (first == std::string::npos) {
            continue;
        }
        const std::string mode(trimBlanks(std::string_view(row).substr(0, first)));
        const std::string rest = row.substr(first + 1);
        const auto second = rest.find(EntrySeparator);
        if (second == std::string::npos) {
            continue;
        }
        const std::string trigger(trimBlanks(std::string_view(rest).substr(0, second)));
        const std::string head = mode.substr(0, 3);
        const bool accepted = (head == "{T}" && keyCode == 9) || (head == "{S}" && keyCode == 32) ||
                              (head == "{C}" && keyCode == 27) ||
                              (keyCode >= 112 && keyCode <= 123) || keyCode >= 162;
        if (!accepted) {
            continue;
        }
        if (typed == ansiLower(trigger)) {
            return LiteralMatch{i, true};
        }
        if (modifierRecorded && typed == ansiLower(replaceAll(trigger, "{Ctrl}", ""))) {
            return LiteralMatch{i, false};
        }
    }
    return std::nullopt;
}

}  // namespace quorvel::testing
