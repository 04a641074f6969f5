#include "engine/shortcut_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/shortcut_entry.h"
#include "support/literal_scan.h"
#include "text/utf8_text.h"

namespace quorvel {
namespace {

struct PackedText {
    std::string text;
    std::vector<std::size_t> ends;
};

// A removed row's bytes stay in the store until they are half of it; then the
// store is rewritten, and every row must still read its own line.
TEST(ShortcutList, RowsKeepTheirLinesWhenTheStoreIsCompacted) {
    ShortcutList list;
    std::vector<std::string> kept;
    for (int i = 0; i < 100; ++i) {
        const std::string trigger = "t" + std::to_string(100 + i);
        const std::string line =
            formatEntryLine({LaunchMode::Space, false, trigger, std::string(2000, 'a' + i % 26)});
        list.add(line);
        if (i % 5 == 0) {
            kept.push_back(line);
        }
    }
    const std::size_t before = list.heapBytes();
    // The triggers sort as they were added: every fifth row stays.
    for (std::size_t row = list.count(); row-- > 0;) {
        if (row % 5 != 0) {
            list.removeAt(row);
        }
    }
    EXPECT_LT(list.heapBytes(), before / 2);
    ASSERT_EQ(list.count(), kept.size());
    for (std::size_t row = 0; row < kept.size(); ++row) {
        EXPECT_EQ(list.entryLine(row), kept[row]) << row;
        EXPECT_EQ(list.findLaunch(parseEntryLine(kept[row])->trigger, 32, false).value().row, row);
    }
    EXPECT_TRUE(list.contains(kept[3]));
    EXPECT_FALSE(list.contains(formatEntryLine({LaunchMode::Space, false, "t101", "x"})));
}

// Rows stay sorted, equal lines in the order they came, and each row's display
// line goes with its entry line through removals. (Which of equal rows a launch
// finds, and launches after removals: IndexedLookupEqualsLiteralScan.)
TEST(ShortcutList, AddsAndRemovesKeepRowsSortedAndBothFormsInStep) {
    ShortcutList list;
    EXPECT_FALSE(list.add("", "looks empty").has_value());
    const auto line = [](const char* trigger) {
        return formatEntryLine({LaunchMode::Tab, true, trigger, "same"});
    };
    EXPECT_EQ(list.add(line("td"), "first"), 0u);
    EXPECT_EQ(list.add(line("td"), "second"), 1u);
    EXPECT_EQ(list.add(line("aa"), "aa"), 0u);
    EXPECT_EQ(list.add(line("td"), "third"), 3u);
    EXPECT_EQ(list.add(line("q"), "q"), 1u);
    const auto revision = list.revision();
    list.removeAt(2);   // "first"
    list.removeAt(0);   // "aa"
    list.removeAt(99);  // past the end: nothing
    EXPECT_EQ(list.revision(), revision + 2);
    ASSERT_EQ(list.count(), 3u);
    const char* displays[] = {"q", "second", "third", ""};
    for (std::size_t row = 0; row < 4; ++row) {
        EXPECT_EQ(list.displayLine(row), displays[row]) << row;
    }
    EXPECT_EQ(list.entryLine(1), line("td"));
    EXPECT_EQ(list.entryLine(3), "");
    list.clear();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_FALSE(list.findLaunch("q", 9, false).has_value());
}

// Random lists and queries: the indexed lookup must agree with the plain scan of
// the rows from the top, row and rule, also after removals, and carry the row's fields.
TEST(ShortcutList, IndexedLookupEqualsLiteralScan) {
    std::mt19937 random(20261205);
    auto pick = [&](const auto& choices) {
        std::uniform_int_distribution<std::size_t> index(0, std::size(choices) - 1);
        return choices[index(random)];
    };
    auto chance = [&](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };
    const std::vector<std::string> pieces = {"a",      "b",    "A",    "B", "{Ctrl}", "{CTRL}",
                                             "{ctrl}", "{F9}", "{f9}", " ", "{Shift}"};
    const std::vector<std::string> modes = {"{S}",    "{T}", "{C}",  "{F}", "{E}",
                                            "{S}{E}", "",    " {T}", "{s}"};
    const std::vector<int> keys = {9,   13,  27,  32,  65,  112, 115, 120,
                                   123, 162, 163, 170, 186, 191, 198};
    // Up to three pieces.
    auto randomJoin = [&](const std::vector<std::string>& from) {
        std::string joined;
        for (int i = std::uniform_int_distribution<int>(0, 3)(random); i > 0; --i) {
            joined += pick(from);
        }
        return joined;
    };
    const std::string sep(EntrySeparator);
    // Two separators mostly, one or none now and then.
    auto randomLine = [&] {
        const std::string mode = pick(modes) + " ";
        const std::string trigger = randomJoin(pieces) + " ";
        const std::string text = chance(50) ? " t" : " u";
        const int separators = std::min(std::uniform_int_distribution<int>(0, 9)(random), 2);
        return mode + (separators > 0 ? sep + " " : "") + trigger + (separators > 1 ? sep : "") +
               text;
    };
    // What the matcher types: key names lower-cased, sometimes a stray capital.
    const std::vector<std::string> typedPieces = {"a", "b", "A", "{ctrl}", "{f9}", " ", "{shift}"};

    int matches = 0, stripped = 0;
    for (int listNumber = 0; listNumber < 300; ++listNumber) {
        ShortcutList list;
        // Now and then a list big enough for the index to grow and its keys to collide.
        const int size =
            std::uniform_int_distribution<int>(0, listNumber % 10 == 0 ? 400 : 30)(random);
        std::vector<std::string> lines;
        for (int i = 0; i < size; ++i) {
            lines.push_back(randomLine());
        }
        // Read from a file (all at once), added by the editor (one by one), or
        // imported without repeats, some lines already in the list.
        const int way = std::uniform_int_distribution<int>(0, 2)(random);
        if (way == 0) {
            const std::vector<std::string_view> views(lines.begin(), lines.end());
            EXPECT_EQ(list.addAll(views), lines.size());
        } else if (way == 1) {
            for (const std::string& line : lines) {
                list.add(line);
            }
        } else {
            std::set<std::string> distinct;
            PackedText packed;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (i % 3 == 0 && distinct.insert(lines[i]).second) {
                    list.add(lines[i]);
                }
                packed.text += lines[i];
                packed.ends.push_back(packed.text.size());
            }
            distinct.insert(lines.begin(), lines.end());
            const std::size_t before = list.count();
            const ShortcutList::AddedLines added = list.addAllNew({packed.text, packed.ends});
            ASSERT_EQ(list.count(), distinct.size());
            ASSERT_EQ(added.added, distinct.size() - before);
            ASSERT_EQ(added.added + added.repeats, lines.size());
        }
        for (int query = 0; query < 60; ++query) {
            for (int removal = chance(10) ? (size > 100 ? 20 : 1) : 0;
                 removal > 0 && list.count() > 0; --removal) {
                list.removeAt(
                    std::uniform_int_distribution<std::size_t>(0, list.count() - 1)(random));
            }
            if (chance(5)) {
                list.add(randomLine());
            }
            const std::string typed = randomJoin(typedPieces);
            const int key = pick(keys);
            const bool modifier = chance(50);
            const auto expected = testing::literalScan(list, typed, key, modifier);
            const auto found = list.findLaunch(trimBlanks(typed), key, modifier);
            SCOPED_TRACE("list " + std::to_string(listNumber) + " typed \"" + typed + "\" key " +
                         std::to_string(key) + (modifier ? " with modifier" : ""));
            ASSERT_EQ(found.has_value(), expected.has_value());
            if (!found) {
                continue;
            }
            ++matches;
            stripped += expected->direct ? 0 : 1;
            ASSERT_EQ(found->row, expected->row);
            ASSERT_EQ(found->rule == LaunchMatch::Rule::Direct, expected->direct);
            const auto fields = splitEntryLine(list.entryLine(found->row));
            ASSERT_TRUE(fields.has_value());
            EXPECT_EQ(found->trigger, fields->trigger);
            EXPECT_EQ(found->text, fields->text);
            EXPECT_EQ(found->launchMode, launchModeOf(fields->mode));
            EXPECT_EQ(found->enterAfter, fields->mode.ends_with("{E}"));
            const std::string lowered = lowerCase(fields->trigger);
            EXPECT_EQ(found->triggerTyped, lowered.find("{f") == std::string::npos &&
                                               lowered.find("{ctrl}") == std::string::npos);
        }
    }
    // The random lists must actually exercise both rules.
    EXPECT_GT(matches, 200);
    EXPECT_GT(stripped, 20);
}

}  // namespace
}  // namespace quorvel
