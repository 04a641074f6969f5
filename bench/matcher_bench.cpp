// What a launching key costs the engine, against the literal scan of every row.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "engine/shortcut_entry.h"
#include "engine/trigger_matcher.h"
#include "support/literal_scan.h"
#include "targets.h"
#include "tests/doubles/fake_desktop.h"

namespace quorvel::bench {
namespace {

std::string randomTrigger(std::mt19937& random) {
    std::uniform_int_distribution<int> length(2, 4), letter('A', 'Z');
    std::string trigger;
    for (int i = length(random); i > 0; --i) {
        trigger += static_cast<char>(letter(random));
    }
    return trigger;
}

void fillList(ShortcutList& list, std::size_t entries) {
    std::mt19937 random(42);
    const LaunchMode modes[] = {LaunchMode::Space, LaunchMode::Tab, LaunchMode::Esc,
                                LaunchMode::FunctionKey};
    while (list.count() < entries) {
        const ShortcutEntry entry{modes[random() % 4], random() % 2 == 0, randomTrigger(random),
                                  "Some text to send, with %(date)% in it."};
        list.add(formatEntryLine(entry), formatDisplayLine(entry));
    }
}

// Five letters: no trigger in the list is that long, so Space matches nothing.
constexpr const char* UnmatchedWord = "qwxyz";

void BM_LaunchingKeyNoMatch(benchmark::State& state) {
    ShortcutList list;
    fillList(list, static_cast<std::size_t>(state.range(0)));
    MatcherState typed;
    typed.typed = UnmatchedWord;
    MatcherEvent space;
    space.virtualKey = vk::Space;
    for (auto _ : state) {
        benchmark::DoNotOptimize(matchKey(typed, space, list, {}));
    }
}
BENCHMARK(BM_LaunchingKeyNoMatch)->Arg(100)->Arg(1000)->Arg(32767);

void BM_LiteralScanNoMatch(benchmark::State& state) {
    ShortcutList list;
    fillList(list, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(testing::literalScan(list, UnmatchedWord, 32, false));
    }
}
BENCHMARK(BM_LiteralScanNoMatch)->Arg(100)->Arg(1000)->Arg(32767)->Unit(benchmark::kMicrosecond);

void BM_AddEntryToFullList(benchmark::State& state) {
    ShortcutList list;
    fillList(list, static_cast<std::size_t>(state.range(0)));
    const ShortcutEntry entry{LaunchMode::Space, false, "MMMM", "A new entry in the middle"};
    const std::string entryLine = formatEntryLine(entry), displayLine = formatDisplayLine(entry);
    for (auto _ : state) {
        const auto row = list.add(entryLine, displayLine);
        state.PauseTiming();
        list.removeAt(*row);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddEntryToFullList)->Arg(32767);

void BM_DeleteEntryFromFullList(benchmark::State& state) {
    ShortcutList list;
    fillList(list, static_cast<std::size_t>(state.range(0)));
    const ShortcutEntry entry{LaunchMode::Space, false, "MMMM", "A new entry in the middle"};
    const std::string entryLine = formatEntryLine(entry);
    for (auto _ : state) {
        state.PauseTiming();
        const auto row = list.add(entryLine);
        state.ResumeTiming();
        list.removeAt(*row);
    }
}
BENCHMARK(BM_DeleteEntryFromFullList)->Arg(32767);

const RegisterTarget launchTime{
    {"launching key, no match, 32,767 entries", "BM_LaunchingKeyNoMatch/32767", "", 1000}};
const RegisterTarget launchFlat{{"launching key at 32,767 entries / at 100 entries",
                                 "BM_LaunchingKeyNoMatch/32767", "BM_LaunchingKeyNoMatch/100", 2}};
const RegisterTarget literalRatio{{"engine / literal scan at 32,767 entries",
                                   "BM_LaunchingKeyNoMatch/32767", "BM_LiteralScanNoMatch/32767",
                                   0.001}};
const RegisterTarget addTime{
    {"adding one entry to 32,767", "BM_AddEntryToFullList/32767", "", 50000}};
const RegisterTarget deleteTime{
    {"deleting one entry of 32,768", "BM_DeleteEntryFromFullList/32767", "", 50000}};

}  // namespace
}  // namespace quorvel::bench
