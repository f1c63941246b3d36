// The real-time character tick in a fight: two armies of wandering monsters
// that charge what they perceive, 100, 300 or 1000 characters on a 100 x 100
// map, milliseconds per tick. The armies stand two fields apart; the ticks
// are measured from the 150th, when every soldier has decided. Each
// repetition times one whole battle of 250 ticks, set up anew with the same
// seed, so that repetitions do the same work and the figure stays that of a
// fight in progress.
#include <benchmark/benchmark.h>

#include <string>

#include "Objects/CharTick.h"
#include "Objects/GameClock.h"
#include "Objects/MapAnims.h"
#include "support/BattleWorld.h"

namespace {

constexpr int TICKS_PER_BATTLE = 250;
constexpr int WARM_UP_TICKS = 150;  // every soldier has decided at least once

void Rest_Of_Tick() {
    do_anim();
    Advance_Game_Clock(clock_step);
}

void BM_Chars_Tick(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    int tick = 0;
    for (auto _ : state) {
        if (tick % TICKS_PER_BATTLE == 0) {
            state.PauseTiming();
            fixture::Build_Battle(count);
            for (int t = 0; t < WARM_UP_TICKS; ++t) {
                Chars_Tick();
                Rest_Of_Tick();
            }
            state.ResumeTiming();
        }
        ++tick;
        Chars_Tick();
        state.PauseTiming();
        Rest_Of_Tick();
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(count) + " characters");
}
BENCHMARK(BM_Chars_Tick)->Arg(100)->Arg(300)->Arg(1000)->Iterations(TICKS_PER_BATTLE)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
