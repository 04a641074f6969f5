// What holding keys during a send adds to the keyboard hook's callback: deciding
// whether to hold an event, and queueing it.

#include <benchmark/benchmark.h>

#include "engine/shortcut_engine.h"
#include "targets.h"
#include "tests/doubles/fake_desktop.h"

namespace quorvel::bench {
namespace {

// Takes every replayed event and sends nothing anywhere: the figures are those of
// the hook's side alone.
class NullInjector final : public KeyInjector {
  public:
    SendOutcome typeKeys(std::span<const KeyStroke>, Wait) override { return SendOutcome::AllSent; }
    std::size_t replayKeys(std::span<const HeldKey> keys) override { return keys.size(); }
    void whenKeysArrive(std::function<void()> then) override { then(); }
};

struct HoldFixture : FakeDesktop {
    NullInjector injector;
    EngineServices holdServices = engineServices(injector);
    ShortcutList shortcuts;
    ShortcutEngine engine{shortcuts, holdServices};
    KeyHold& hold = engine.keyboard().keyHold();
    KeyEventRecord letter{'A', 0x1E, 0, 0, 0};

    // Empties the queue now and then, outside the timing, as the end of a send would.
    void drainEvery(std::size_t& held, benchmark::State& state) {
        if (++held < 1000) {
            return;
        }
        state.PauseTiming();
        hold.replayAfterSend([] { return false; }, nullptr);
        hold.begin();
        held = 0;
        state.ResumeTiming();
    }
};

void BM_HoldDecisionNothingOnItsWay(benchmark::State& state) {
    HoldFixture f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.hold.hold(f.letter));
    }
}
BENCHMARK(BM_HoldDecisionNothingOnItsWay);

void BM_HoldQueuesDuringASend(benchmark::State& state) {
    HoldFixture f;
    f.hold.begin();
    std::size_t held = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.hold.hold(f.letter));
        f.drainEvery(held, state);
    }
}
BENCHMARK(BM_HoldQueuesDuringASend);

// The whole callback for a key typed during a send.
void BM_KeyHookHeldKey(benchmark::State& state) {
    HoldFixture f;
    f.hold.begin();
    std::size_t held = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.engine.keyboard().onKeyEvent(f.letter));
        f.drainEvery(held, state);
    }
}
BENCHMARK(BM_KeyHookHeldKey);

const RegisterTarget decideTime{{"hook deciding not to hold a key (nothing on its way)",
                                 "BM_HoldDecisionNothingOnItsWay", "", 1000}};
const RegisterTarget queueTime{
    {"hook holding a key during a send", "BM_HoldQueuesDuringASend", "", 1000}};
const RegisterTarget hookTime{
    {"whole hook callback for a held key", "BM_KeyHookHeldKey", "", 1000}};

}  // namespace
}  // namespace quorvel::bench
