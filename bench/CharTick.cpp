// The real-time character tick in a fight: two armies of wandering monsters
// that charge what they perceive, 100 or 300 characters on a 100 x 100 map,
// milliseconds per tick. The armies stand two fields apart; the ticks are
// measured from the 150th, when every soldier has decided, and every 250
// ticks the battle is set up anew, so the figure stays that of a fight in
// progress.
#include <benchmark/benchmark.h>

#include <string>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/CharTick.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "System/Random.h"
#include "support/ActWorld.h"
#include "support/TickWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr std::uint32_t SIDE = 100;
constexpr int TICKS_PER_BATTLE = 250;
constexpr int WARM_UP_TICKS = 150;  // every soldier has decided at least once
constexpr std::uint16_t WANDER_PRIORITY = 3;
constexpr int COLUMNS = 10;

// One army: columns of ten, every other field, facing the enemy.
void Place_Army(int count, std::uint32_t left, std::uint8_t lobby, std::uint8_t facing, std::uint16_t sword) {
    for (int i = 0; i < count; ++i) {
        const std::uint32_t x = left + 2 * static_cast<std::uint32_t>(i % COLUMNS);
        const std::uint32_t y = 20 + 2 * static_cast<std::uint32_t>(i / COLUMNS);
        const std::uint16_t c = Place_Stranger(Field_At(x, y), "Soldier", lobby);
        chararray.records[c].facing = facing;
        Give_Program(c, MK_BASIC_MONSTER, 0, 0, 0, WANDER_PRIORITY);
        if (i % 2 == 0) Give_Item(c, sword, SLOT_RIGHT_HAND);
    }
}

void Build_Battle(int count) {
    Reset_Tick_World(SIDE, SIDE);
    Seed_Random(7);
    const std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD, 6);
    item_types[sword].damage_min = 2;
    item_types[sword].damage_max = 7;
    // Lobbies 2 and 4 hate each other.
    Place_Army(count / 2, 30, 2, 1, sword);
    Place_Army(count - count / 2, 51, 4, 4, sword);
}

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
            Build_Battle(count);
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
BENCHMARK(BM_Chars_Tick)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
