// The path search on a 100 x 100 x 5 map, microseconds per search, beside a
// Dijkstra over a binary heap asking the same entry costs on the same map:
// open ground, a maze, an unreachable and an occupied destination, each
// without and with 200 hostile characters feeding the danger map.
#include <benchmark/benchmark.h>

#include <random>
#include <set>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/Geometry.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/PathSearch.h"
#include "support/PathWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

enum Case { OPEN, MAZE, UNREACHABLE, OCCUPIED };
const char* const case_names[] = {"open", "maze", "unreachable", "occupied"};

constexpr std::uint32_t SIDE = 100;
constexpr std::uint32_t LEVELS = 5;

struct Trip {
    std::uint16_t hero;
    std::uint16_t dest;
};

std::uint16_t F(std::uint32_t x, std::uint32_t y) { return Field_Index(x, y, 0); }

// A serpentine: a wall across every twelfth row with the gap at alternate ends.
void Draw_Maze() {
    for (std::uint32_t y = 11; y < SIDE - 2; y += 12) {
        const bool gap_east = (y / 12) % 2 == 0;
        for (std::uint32_t x = 0; x < SIDE; ++x) {
            const bool gap = gap_east ? x >= SIDE - 2 : x < 2;
            if (!gap) Place_Fixitem(F(x, y), WALL_SLOT);
        }
    }
}

void Wall_Ring(std::uint16_t centre) {
    for (int k = 1; k <= 6; ++k) {
        const std::uint16_t n = Neighbour_Field(centre, k);
        if (n != NO_FIELD) Place_Fixitem(n, WALL_SLOT);
    }
}

Trip Build(Case c, int hostiles) {
    Reset_Path_World(SIDE, SIDE, LEVELS);
    Set_Fixitem_Type(0, LAYER_FLOOR, 1, 2);
    std::set<std::uint16_t> keep;
    Trip trip{};
    const std::uint16_t start = F(5, 3);
    std::uint16_t dest = F(94, 94);
    switch (c) {
        case OPEN: break;
        case MAZE:
            Draw_Maze();
            dest = F(50, 98);
            break;
        case UNREACHABLE:
            dest = F(80, 80);
            Wall_Ring(dest);
            break;
        case OCCUPIED: Place_Thinking_Char(dest, "Other"); break;
    }
    trip.hero = Place_Thinking_Char(start);
    trip.dest = dest;
    keep.insert(start);
    keep.insert(dest);

    std::mt19937 rng(1234);
    const std::uint16_t club = Add_Item_Type("Club", CLASS_MACE);
    item_types[club].damage_min = 3;
    item_types[club].damage_max = 5;
    for (int placed = 0; placed < hostiles;) {
        const std::uint16_t f = F(rng() % SIDE, rng() % SIDE);
        if (keep.count(f) || Field_Distance(f, start) < 3 || Field_Distance(f, dest) < 3 || !Field_List(f).empty())
            continue;
        keep.insert(f);
        const std::uint16_t e = Place_Thinking_Char(f, "Enemy", 4);
        Give_Item(e, club, SLOT_RIGHT_HAND);
        Make_Hostile(e, trip.hero);
        ++placed;
    }
    return trip;
}

void Label(benchmark::State& state) {
    state.SetLabel(std::string(case_names[state.range(0)]) + "/" + std::to_string(state.range(1)) + " hostile");
}

void BM_Path(benchmark::State& state) {
    const Trip trip = Build(static_cast<Case>(state.range(0)), static_cast<int>(state.range(1)));
    const std::int32_t x = static_cast<std::int32_t>(Field_X(trip.dest));
    const std::int32_t y = static_cast<std::int32_t>(Field_Y(trip.dest));
    for (auto _ : state) {
        path(trip.hero, x, y, 0, 0);
        benchmark::DoNotOptimize(path_count);
    }
    state.counters["found"] = path_count > 0;
    state.counters["cost"] = path_cost;
    Label(state);
}

void BM_Dijkstra(benchmark::State& state) {
    const Trip trip = Build(static_cast<Case>(state.range(0)), static_cast<int>(state.range(1)));
    ReferencePath best;
    for (auto _ : state) {
        best = Reference_Path(trip.hero, trip.dest, false);
        benchmark::DoNotOptimize(best);
    }
    state.counters["found"] = best.found;
    state.counters["cost"] = best.cost;
    Label(state);
}

void Cases(benchmark::internal::Benchmark* b) {
    for (int c = OPEN; c <= OCCUPIED; ++c)
        for (int hostiles : {0, 200}) b->Args({c, hostiles});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Path)->Apply(Cases);
BENCHMARK(BM_Dijkstra)->Apply(Cases);

}  // namespace

BENCHMARK_MAIN();
