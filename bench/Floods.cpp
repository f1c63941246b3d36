// The reach flood (budget 12) and the sound flood on a 100 x 100 x 5 map,
// and a sight line of 1 to 140 fields, microseconds per call.
#include <benchmark/benchmark.h>

#include <random>

#include "Objects/Char/Characters.h"
#include "Objects/Floods.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/PathSearch.h"
#include "Objects/Sight.h"
#include "support/PathWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr std::uint32_t SIDE = 100;
constexpr std::uint32_t LEVELS = 5;

// Open ground with scattered walls and hostile characters; returns the hero.
std::uint16_t Build(int hostiles) {
    Reset_Path_World(SIDE, SIDE, LEVELS);
    Set_Fixitem_Type(0, LAYER_FLOOR, 1, 1, 10);
    std::mt19937 rng(99);
    for (int i = 0; i < 600; ++i) Place_Fixitem(Field_Index(rng() % SIDE, rng() % SIDE, rng() % LEVELS), WALL_SLOT);
    const std::uint16_t hero = Place_Thinking_Char(Field_Index(50, 50, 2));
    const std::uint16_t club = Add_Item_Type("Club", CLASS_MACE);
    item_types[club].damage_min = 3;
    item_types[club].damage_max = 5;
    for (int placed = 0; placed < hostiles;) {
        const std::uint16_t f = Field_Index(rng() % SIDE, rng() % SIDE, 2);
        if (f == Field_Index(50, 50, 2) || !Field_List(f).empty()) continue;
        const std::uint16_t e = Place_Thinking_Char(f, "Enemy", 4);
        Give_Item(e, club, SLOT_RIGHT_HAND);
        Make_Hostile(e, hero);
        ++placed;
    }
    return hero;
}

void BM_Reach(benchmark::State& state) {
    const std::uint16_t hero = Build(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Compute_Reach(Char_Ref(hero), AI_REACH_BUDGET);
        benchmark::DoNotOptimize(path_queue_count);
    }
    state.counters["fields"] = path_queue_count;
    state.SetLabel(std::to_string(state.range(0)) + " hostile");
}
BENCHMARK(BM_Reach)->Arg(0)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_Sound(benchmark::State& state) {
    Build(0);
    const std::uint16_t loudness = static_cast<std::uint16_t>(state.range(0));
    for (auto _ : state) {
        Propagate_Sound(Field_Index(50, 50, 2), loudness);
        benchmark::DoNotOptimize(path_queue_count);
    }
    state.counters["fields"] = path_queue_count;
    state.SetLabel("loudness " + std::to_string(loudness));
}
BENCHMARK(BM_Sound)->Arg(2)->Arg(12)->Arg(30)->Arg(60)->Unit(benchmark::kMicrosecond);

void BM_Sight_Line(benchmark::State& state) {
    Reset_Path_World(SIDE, SIDE, 1);
    const std::uint16_t viewer = Place_Char(Field_Index(0, 0, 0));
    const std::int32_t n = static_cast<std::int32_t>(state.range(0));
    // A line of n fields: along a row up to 99, then diagonally (n = dx + dy).
    const std::uint16_t target =
        n < static_cast<std::int32_t>(SIDE) ? Field_Index(n, 0, 0) : Field_Index(n / 2, n - n / 2, 0);
    Set_Sight_Target(target, 400);
    std::int32_t seen = 0;
    for (auto _ : state) {
        seen = visi_dist(Char_Ref(viewer));
        benchmark::DoNotOptimize(seen);
    }
    state.counters["distance"] = seen;
}
BENCHMARK(BM_Sight_Line)->Arg(1)->Arg(10)->Arg(50)->Arg(99)->Arg(140)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
