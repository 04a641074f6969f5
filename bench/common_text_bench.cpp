// What a full Common Text list costs in memory, against the bytes of its texts.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "commontext/common_text_store.h"
#include "heap_counter.h"
#include "targets.h"
#include "tests/doubles/fake_settings_store.h"

namespace quorvel::bench {
namespace {

// A full list of texts of 20 to 80 letters, as the window stores them.
struct StoredTexts {
    FakeSettingsStore store;
    std::size_t textBytes = 0;
};

const StoredTexts& fullList() {
    static const StoredTexts stored = [] {
        StoredTexts full;
        std::mt19937 random(11);
        TextRows rows;
        for (std::int32_t row = 0; row < MaxCommonTextRows; ++row) {
            std::string text(std::uniform_int_distribution<std::size_t>(20, 80)(random), ' ');
            for (char& c : text) {
                c = static_cast<char>(std::uniform_int_distribution<int>('a', 'z')(random));
            }
            full.textBytes += text.size();
            rows.push_back(text);
        }
        saveCommonText(full.store, rows);
        return full;
    }();
    return stored;
}

void BM_HeapOfCommonTextList(benchmark::State& state) {
    FakeSettingsStore store = fullList().store;
    double bytesPerTextByte = 0;
    for (auto _ : state) {
        const std::size_t before = heapBytesInUse();
        auto rows = std::make_unique<TextRows>();
        loadCommonText(store, *rows);
        bytesPerTextByte = static_cast<double>(heapBytesInUse() - before) /
                           static_cast<double>(fullList().textBytes);
        state.PauseTiming();
        rows.reset();
        state.ResumeTiming();
    }
    state.counters["heap_per_text_byte"] = bytesPerTextByte;
}
BENCHMARK(BM_HeapOfCommonTextList)->Unit(benchmark::kMillisecond);

const RegisterTarget heapRatio{{"heap bytes of a full Common Text list / its texts' bytes",
                                "BM_HeapOfCommonTextList", "", 2, Gate::AtTheAim,
                                "heap_per_text_byte"}};

}  // namespace
}  // namespace quorvel::bench
