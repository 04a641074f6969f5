// Filtering the main window's list by the search box's words, against a plain
// case-insensitive scan of the same bytes: ASCII letters lowered by the same
// eight-byte steps, the same row splitting and the same finds. What is left
// between the two is the cost of folding every script.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "app/shortcut_filter.h"
#include "engine/shortcut_entry.h"
#include "heap_counter.h"
#include "targets.h"
#include "text/case_fold.h"

namespace quorvel::bench {
namespace {

constexpr std::size_t Entries = 100'000;

// Words of every script a list holds: Latin with and without accents, Polish,
// Greek, Cyrillic, Japanese, symbols and emoji.
const std::vector<std::string> Words = {
    "Please", "find",   "attached", "Regards",  "meeting",  "tomorrow", "Zażółć",
    "gęślą",  "jaźń",   "Kraków",   "Ελληνικά", "Καλημέρα", "ΦΙΛΟΣ",    "Привет",
    "Москва", "日本語", "東京",     "テキスト", "→",        "✓",        "😀",
    "Café",   "Straße", "ÉTÉ",      "12",       "Main",     "St."};

struct ListAndFile {
    ShortcutList list;
    std::size_t fileBytes = 0;
};

const ListAndFile& sampleList() {
    static const std::unique_ptr<ListAndFile> made = [] {
        auto made = std::make_unique<ListAndFile>();
        std::mt19937 random(7);
        std::uniform_int_distribution<std::size_t> word(0, Words.size() - 1), count(2, 5);
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < Entries; ++i) {
            std::string text;
            for (std::size_t n = count(random); n > 0; --n) {
                text += Words[word(random)] + ' ';
            }
            const ShortcutEntry entry{LaunchMode::Space, false, "t" + std::to_string(i), text};
            lines.push_back(formatEntryLine(entry));
            made->fileBytes += lines.back().size() + 2;
        }
        std::vector<std::string_view> views(lines.begin(), lines.end());
        made->list.addAll(views);
        return made;
    }();
    return *made;
}

// Two spellings of the same words, so that each pass searches anew.
const char* const Queries[] = {"ΚΑΛΗΜΈΡΑ café", "καλημέρα CAFÉ"};

void BM_FilterHundredThousand(benchmark::State& state) {
    const ListAndFile& sample = sampleList();
    ShortcutFilter filter(sample.list);
    std::size_t pass = 0;
    for (auto _ : state) {
        filter.setQuery(Queries[pass++ % 2]);
        filter.update();
        benchmark::DoNotOptimize(filter.shownCount());
    }
    state.counters["shown"] = static_cast<double>(filter.shownCount());
    state.counters["file_mb"] = static_cast<double>(sample.fileBytes) / 1e6;
}
BENCHMARK(BM_FilterHundredThousand)->Unit(benchmark::kMillisecond);

void BM_PlainCaseInsensitiveScan(benchmark::State& state) {
    const ListAndFile& sample = sampleList();
    std::vector<std::uint32_t> rows;
    std::string lowered;
    std::size_t pass = 0;
    for (auto _ : state) {
        std::vector<std::string> words;
        std::string_view query = Queries[pass++ % 2];
        while (!query.empty()) {
            const std::size_t end = std::min(query.find(' '), query.size());
            words.emplace_back();
            appendAsciiLowered(words.back(), query.substr(0, end));
            query.remove_prefix(std::min(end + 1, query.size()));
        }
        rows.clear();
        for (std::size_t row = 0; row < sample.list.count(); ++row) {
            const auto fields = splitEntryLine(sample.list.entryLine(row));
            lowered.clear();
            appendAsciiLowered(lowered, fields->trigger);
            const std::size_t triggerEnd = lowered.size();
            appendAsciiLowered(lowered, fields->text);
            const std::string_view trigger = std::string_view(lowered).substr(0, triggerEnd);
            const std::string_view text = std::string_view(lowered).substr(triggerEnd);
            if (std::all_of(words.begin(), words.end(), [&](const std::string& word) {
                    return trigger.find(word) != std::string_view::npos ||
                           text.find(word) != std::string_view::npos;
                })) {
                rows.push_back(static_cast<std::uint32_t>(row));
            }
        }
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["shown"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_PlainCaseInsensitiveScan)->Unit(benchmark::kMillisecond);

// What a search that lets every row through holds beyond the list, against the
// file's bytes: its row numbers and one row folded, never a copy of the texts.
void BM_HeapOfSearch(benchmark::State& state) {
    const ListAndFile& sample = sampleList();
    double bytesPerFileByte = 0;
    for (auto _ : state) {
        const std::size_t before = heapBytesInUse();
        auto filter = std::make_unique<ShortcutFilter>(sample.list);
        filter->setQuery("t");
        filter->update();
        bytesPerFileByte =
            static_cast<double>(heapBytesInUse() - before) / static_cast<double>(sample.fileBytes);
    }
    state.counters["heap_per_file_byte"] = bytesPerFileByte;
}
BENCHMARK(BM_HeapOfSearch)->Unit(benchmark::kMillisecond);

const RegisterTarget filterRatio{
    {"filtering 100,000 shortcuts in several scripts / a plain "
     "case-insensitive scan of the same bytes",
     "BM_FilterHundredThousand", "BM_PlainCaseInsensitiveScan", 1.5}};
// Four bytes a row of 48 here, with room for the row numbers to grow.
const RegisterTarget filterHeap{
    {"heap bytes of a search through all of a 100,000-entry list "
     "/ the file's bytes",
     "BM_HeapOfSearch", "", 0.15, Gate::AtTheAim, "heap_per_file_byte"}};

}  // namespace
}  // namespace quorvel::bench
