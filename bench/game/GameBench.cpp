// arrangeFleet with the real clock is what a player waits for at Single: the
// generator is re-seeded from the millisecond clock before every attempt, so
// failed attempts within one millisecond repeat the same cell until the clock
// moves on. With a clock that moves on at every reading the figure is the work
// itself. A computer move is one turn-timer tick of the computer.

#include "game/Match.h"
#include "game/SystemClock.h"
#include "tests/support/MatchSetup.h"
#include "tests/support/NullMatchHost.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace vtx {
namespace {

class AdvancingClock final : public IClock {
public:
    std::int64_t timeOfDayMs() override { return ++m_now % 86400000; }
    std::int64_t tickMs() override { return m_now; }
    void advanceTo(std::int64_t ms) { m_now = std::max(m_now, ms); }

private:
    std::int64_t m_now = 0;
};

class SilentHost final : public NullMatchHost {
public:
    explicit SilentHost(std::int32_t level = 0) { difficulty = level; }
};

template <class Clock> void BM_ArrangeFleet(benchmark::State& state) {
    SilentHost host;
    Clock clock;
    Match m(host, clock);
    for (auto _ : state) {
        m.arrangeFleet();
        benchmark::DoNotOptimize(m.state().workField);
    }
}
BENCHMARK_TEMPLATE(BM_ArrangeFleet, SystemClock)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_TEMPLATE(BM_ArrangeFleet, AdvancingClock)->Unit(benchmark::kMicrosecond);

// One computer tick (collect hits, random or aimed shot, resolution) during a
// battle at the given level; the battle restarts once the computer has won.
void BM_ComputerMove(benchmark::State& state) {
    SilentHost host(static_cast<std::int32_t>(state.range(0)));
    AdvancingClock clock;
    Match m(host, clock);
    m.activateTurnTimer();
    m.singleClicked();
    while (const auto due = m.nextWakeMs()) { // Single's wait
        clock.advanceTo(*due);
        m.runDue();
    }
    m.fightClicked();
    const MatchState start = m.state();
    std::int64_t moves = 0;
    for (auto _ : state) {
        if (!m.state().gameInProgress) test::setUp(m) = start;
        test::setUp(m).playerTurn = 0; // the player never shoots here
        m.turnTimerFired();
        ++moves;
    }
    state.SetItemsProcessed(moves);
}
BENCHMARK(BM_ComputerMove)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kNanosecond);

} // namespace
} // namespace vtx
