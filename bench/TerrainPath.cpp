// The world map's terrain path search, milliseconds per search, each case
// beside a Dijkstra over a binary heap on the same step costs. On the
// generated terrain: trips between far CORNERS of the land, a short trip,
// a target in the sea and one on the mesa no way climbs; on synthetic
// 400 x 400 grids: flat ground, random costs and a serpentine road over open
// ground (the worst case for a first-in first-out search). Counters: the
// route's cost and the cheapest (route_vs_best is their ratio), the cost the
// search stored for the target, the steps, and the search's time against
// the reference's (time_vs_dijkstra).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tools/artgen/worldmap/WorldTerrain.h"
#include "worldmap/ReferencePath.h"
#include "worldmap/TerrainPath.h"

namespace {

namespace wm = art::worldmap;

struct trip {
    const char* name;
    int terrain;  // which of the grids below
    int x1, y1, x2, y2;
};

enum { generated, flat, random_costs, serpentine_road, grid_count };

std::vector<std::uint8_t> Make_Grid(int which) {
    std::vector<std::uint8_t> cells(TERRAIN_CELLS, 5);
    if (which == generated) return wm::World_Terrain().cells;
    if (which == random_costs) {
        std::mt19937 rng(37);
        for (std::uint8_t& c : cells)
            c = static_cast<std::uint8_t>(4 + rng() % 3) | (rng() % 4 == 0 ? TERRAIN_ROUGH : 0);
    }
    if (which == serpentine_road) {
        // A road along every fourth row, joined at alternate ends.
        for (int y = 0; y < TERRAIN_HEIGHT; y += 4) {
            for (int x = 0; x < TERRAIN_WIDTH; ++x) cells[y * TERRAIN_WIDTH + x] |= TERRAIN_ROAD;
            const int x = (y / 4) % 2 == 0 ? TERRAIN_WIDTH - 1 : 0;
            for (int dy = 1; dy < 4 && y + dy < TERRAIN_HEIGHT; ++dy)
                cells[(y + dy) * TERRAIN_WIDTH + x] |= TERRAIN_ROAD;
        }
    }
    return cells;
}

const std::vector<std::uint8_t>& Grid(int which) {
    static std::vector<std::vector<std::uint8_t>> grids;
    if (grids.empty())
        for (int i = 0; i < grid_count; ++i) grids.push_back(Make_Grid(i));
    return grids[which];
}

constexpr wm::Cell CORNERS[4] = {wm::FAR_NORTH_WEST, wm::FAR_NORTH_EAST, wm::FAR_SOUTH_WEST, wm::FAR_SOUTH_EAST};
const char* const corner_names[4] = {"nw", "ne", "sw", "se"};

// The twelve trips between the far CORNERS of the land, then the others.
std::vector<trip> Make_Trips() {
    static std::vector<std::string> names;
    names.reserve(16);
    std::vector<trip> list;
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 4; ++b)
            if (a != b) {
                names.push_back(std::string("generated/far_") + corner_names[a] + "_" + corner_names[b]);
                list.push_back(
                    {names.back().c_str(), generated, CORNERS[a].x, CORNERS[a].y, CORNERS[b].x, CORNERS[b].y});
            }
    const wm::Cell home = wm::HOME_TOWN;
    list.push_back({"generated/short", generated, home.x, home.y, home.x + 20, home.y + 12});
    list.push_back({"generated/water", generated, home.x, home.y, wm::OPEN_SEA.x, wm::OPEN_SEA.y});
    list.push_back({"generated/enclosed", generated, home.x, home.y, wm::ENCLOSED_PLACE.x, wm::ENCLOSED_PLACE.y});
    list.push_back({"flat", flat, 0, 0, 399, 399});
    list.push_back({"random_costs", random_costs, 0, 0, 399, 399});
    list.push_back({"serpentine_road", serpentine_road, 0, 0, 0, 396});
    return list;
}
const std::vector<trip> trips = Make_Trips();

double Best_Ms(const std::function<void()>& run) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

void BM_Find_Path(benchmark::State& state) {
    const trip& t = trips[state.range(0)];
    state.SetLabel(t.name);
    Init_Path_Search();
    Set_Terrain(Grid(t.terrain).data(), TERRAIN_WIDTH);
    int found = 0;
    for (auto _ : state) {
        found = Find_Path(t.x1, t.y1, t.x2, t.y2);
        benchmark::DoNotOptimize(found);
    }
    const double route = found ? Route_Cost(t.x1, t.y1) : 0;
    state.counters["found"] = found;
    state.counters["steps"] = path_len;
    state.counters["route_cost"] = route;
    state.counters["stored_cost"] = Found_Cost();
    const long best = Reference_Cost(t.x1, t.y1, t.x2, t.y2);
    state.counters["best_cost"] = static_cast<double>(best);
    state.counters["route_vs_best"] = best > 0 ? route / static_cast<double>(best) : 0;
    const double search_ms = Best_Ms([&] { Find_Path(t.x1, t.y1, t.x2, t.y2); });
    const double reference_ms = Best_Ms([&] { benchmark::DoNotOptimize(Reference_Cost(t.x1, t.y1, t.x2, t.y2)); });
    state.counters["time_vs_dijkstra"] = reference_ms > 0 ? search_ms / reference_ms : 0;
    Reset_Path_Search();
}

void BM_Dijkstra(benchmark::State& state) {
    const trip& t = trips[state.range(0)];
    state.SetLabel(t.name);
    Init_Path_Search();
    Set_Terrain(Grid(t.terrain).data(), TERRAIN_WIDTH);
    for (auto _ : state) benchmark::DoNotOptimize(Reference_Cost(t.x1, t.y1, t.x2, t.y2));
    Reset_Path_Search();
}

}  // namespace

BENCHMARK(BM_Find_Path)->DenseRange(0, std::size(trips) - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dijkstra)->DenseRange(0, std::size(trips) - 1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
