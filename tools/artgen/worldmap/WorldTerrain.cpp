#include "tools/artgen/worldmap/WorldTerrain.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <functional>
#include <queue>
#include <utility>

#include "tools/artgen/Noise.h"

namespace art::worldmap {

namespace {

constexpr uint32_t COAST_SEED = 601, HEIGHT_SEED = 602, MOUNTAIN_SEED = 603, FOREST_SEED = 604, LAKE_SEED = 605,
                   SCARP_SEED = 606, ROCK_SEED = 607;

// A mesa: a plateau of lowland whose edge is a cliff; with a ramp it can be
// climbed from one side.
struct Mesa {
    Cell centre;
    int radius;
    bool ramp;
    int ramp_dx, ramp_dy;  // the ramp's direction from the centre
};
constexpr Mesa MESAS[] = {
    {{ENCLOSED_PLACE.x, ENCLOSED_PLACE.y}, 11, false, 0, 0},
    {{250, 250}, 13, true, -1, 0},
    {{90, 110}, 9, true, 0, 1},
};
constexpr int MESA_CLASS = 15;

const Town TOWNS[] = {
    {HOME_TOWN, 9}, {{96, 60}, 5}, {{300, 96}, 6}, {{70, 200}, 5}, {{212, 300}, 7}, {{320, 240}, 5}, {{150, 220}, 4},
};

using Grid = std::vector<int>;

size_t Index(int x, int y) { return static_cast<size_t>(y) * CELLS + x; }
bool Inside(int x, int y) { return x >= 0 && y >= 0 && x < CELLS && y < CELLS; }
bool Shown(int x, int y) { return x >= SHOWN_LEFT && x <= SHOWN_RIGHT && y >= SHOWN_TOP && y <= SHOWN_BOTTOM; }

// Rounded-rectangle coast with a noisy edge; sea outside what is shown.
bool Is_Land(int x, int y) {
    if (!Shown(x, y)) return false;
    const double dx = (x - 197.0) / 186.0, dy = (y - 176.0) / 165.0;
    const double edge = std::pow(std::pow(dx, 4) + std::pow(dy, 4), 0.25);
    const double wobble = (Fractal_Noise(x, y, 40, COAST_SEED) - 0.5) * 0.45;
    return edge + wobble < 0.9 && x > SHOWN_LEFT + 3 && y > SHOWN_TOP + 3 && x < SHOWN_RIGHT - 3 &&
           y < SHOWN_BOTTOM - 3;
}

// Steps from the nearest water cell (0 on water).
Grid Coast_Distance(const std::vector<bool>& land) {
    Grid dist(CELLS * CELLS, -1);
    std::deque<Cell> open;
    for (int y = 0; y < CELLS; ++y)
        for (int x = 0; x < CELLS; ++x)
            if (!land[Index(x, y)]) {
                dist[Index(x, y)] = 0;
                open.push_back({x, y});
            }
    while (!open.empty()) {
        const Cell c = open.front();
        open.pop_front();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = c.x + dx, ny = c.y + dy;
                if (!Inside(nx, ny) || dist[Index(nx, ny)] >= 0) continue;
                dist[Index(nx, ny)] = dist[Index(c.x, c.y)] + 1;
                open.push_back({nx, ny});
            }
    }
    return dist;
}

double Distance(int x, int y, Cell c) { return std::hypot(x - c.x, y - c.y); }

// Mountains stay away from the home town and the enclosed mesa.
double Mountain_Value(int x, int y) {
    double m = Fractal_Noise(x, y, 52, MOUNTAIN_SEED);
    const double near_home = Distance(x, y, HOME_TOWN), near_mesa = Distance(x, y, ENCLOSED_PLACE);
    if (near_home < 40) m -= (40 - near_home) / 40 * 0.3;
    if (near_mesa < 34) m -= (34 - near_mesa) / 34 * 0.4;
    return m;
}

int Lowland_Class(int x, int y, int coast) {
    const double h = Fractal_Noise(x, y, 70, HEIGHT_SEED);
    const double rise = std::min(1.0, coast / 14.0);
    return LOWLAND_FIRST + std::clamp(static_cast<int>(h * 10 * rise), 0, 7);
}

int Highland_Class(int x, int y, double m) {
    if (m > 0.86) return HIGHLAND_LAST;  // a peak: its ring below is too steep to climb
    int c = HIGHLAND_FIRST + std::clamp(static_cast<int>((m - 0.6) / 0.24 * 5), 0, 4);
    // Escarpments: along a winding line the ground drops three classes.
    if (Value_Noise(x, y, 30, SCARP_SEED) > 0.5) c += 3;
    return std::min(c, HIGHLAND_LAST - 3);
}

void Raise_Mesas(std::vector<uint8_t>& cells) {
    for (const Mesa& mesa : MESAS)
        for (int y = mesa.centre.y - mesa.radius - 8; y <= mesa.centre.y + mesa.radius + 8; ++y)
            for (int x = mesa.centre.x - mesa.radius - 8; x <= mesa.centre.x + mesa.radius + 8; ++x) {
                if (!Inside(x, y)) continue;
                uint8_t& cell = cells[Index(x, y)];
                const int c = cell & CLASS_MASK;
                if (c < LOWLAND_FIRST || c > LOWLAND_LAST) continue;
                const double wobble = (Noise01(x / 3, y / 3, 611) - 0.5) * 3;
                const double d = Distance(x, y, mesa.centre) + wobble;
                if (d <= mesa.radius) {
                    cell = MESA_CLASS;
                } else if (mesa.ramp) {
                    // The ramp: a tongue of ground that climbs one class a few cells.
                    const double along = (x - mesa.centre.x) * mesa.ramp_dx + (y - mesa.centre.y) * mesa.ramp_dy;
                    const double across =
                        std::abs((x - mesa.centre.x) * mesa.ramp_dy - (y - mesa.centre.y) * mesa.ramp_dx);
                    if (along > 0 && across <= 2 && d <= mesa.radius + 8) {
                        const int step = static_cast<int>((d - mesa.radius) / 2);
                        cell = static_cast<uint8_t>(std::max(c, MESA_CLASS - 1 - step));
                    }
                } else if (d <= mesa.radius + 8) {
                    // Low ground around the enclosed mesa, so that its cliff is high
                    // all round.
                    cell = static_cast<uint8_t>(std::min(c, MESA_CLASS - 4));
                }
            }
}

// The cost of a step for planning roads: the walk's own rules, dearer on
// slopes, so that roads keep to the flat.
int Road_Step(const std::vector<uint8_t>& cells, int x1, int y1, int x2, int y2) {
    const int a = cells[Index(x1, y1)] & CLASS_MASK, b = cells[Index(x2, y2)] & CLASS_MASK;
    auto band = [](int c) {
        return c >= LOWLAND_FIRST && c <= LOWLAND_LAST ? 1 : c >= HIGHLAND_FIRST && c <= HIGHLAND_LAST ? 2 : 0;
    };
    if (band(b) == 0 || band(a) == 0) return 0;
    if (band(a) == band(b) && std::abs(b - a) > 2) return 0;
    if (cells[Index(x2, y2)] & ROAD) return 3;
    int cost = 10 + 6 * std::abs(b - a) + (band(b) == 2 ? 14 : 0) + ((cells[Index(x2, y2)] & ROUGH) ? 6 : 0);
    if (x1 != x2 && y1 != y2) cost = cost * 14 / 10;
    return cost;
}

// The cheapest road from a to b (Dijkstra); its cells get the road bit.
void Lay_Road(std::vector<uint8_t>& cells, Cell a, Cell b) {
    std::vector<int> dist(CELLS * CELLS, -1);
    std::vector<int> from(CELLS * CELLS, -1);
    using Item = std::pair<int, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> open;
    dist[Index(a.x, a.y)] = 0;
    open.push({0, static_cast<int>(Index(a.x, a.y))});
    const int target = static_cast<int>(Index(b.x, b.y));
    while (!open.empty()) {
        const auto [d, i] = open.top();
        open.pop();
        if (d != dist[i]) continue;
        if (i == target) break;
        const int x = i % CELLS, y = i / CELLS;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if ((dx == 0 && dy == 0) || !Inside(nx, ny)) continue;
                const int step = Road_Step(cells, x, y, nx, ny);
                if (step == 0) continue;
                const int j = static_cast<int>(Index(nx, ny));
                if (dist[j] < 0 || d + step < dist[j]) {
                    dist[j] = d + step;
                    from[j] = i;
                    open.push({d + step, j});
                }
            }
    }
    if (dist[target] < 0) return;
    for (int i = target; i >= 0; i = from[i]) cells[i] = static_cast<uint8_t>((cells[i] | ROAD) & ~ROUGH);
}

Terrain Make_Terrain() {
    Terrain t;
    t.cells.assign(CELLS * CELLS, WATER_CLASS);
    std::vector<bool> land(CELLS * CELLS, false);
    for (int y = 0; y < CELLS; ++y)
        for (int x = 0; x < CELLS; ++x) {
            const bool lake = Fractal_Noise(x, y, 26, LAKE_SEED) > 0.77 && Distance(x, y, HOME_TOWN) > 30 &&
                              Distance(x, y, ENCLOSED_PLACE) > 30;
            land[Index(x, y)] = Is_Land(x, y) && !lake;
        }
    const Grid coast = Coast_Distance(land);
    for (int y = 0; y < CELLS; ++y)
        for (int x = 0; x < CELLS; ++x) {
            if (!land[Index(x, y)]) continue;
            const int d = coast[Index(x, y)];
            const double m = Mountain_Value(x, y);
            int c = m > 0.6 && d > 6 ? Highland_Class(x, y, m) : Lowland_Class(x, y, d);
            uint8_t cell = static_cast<uint8_t>(c);
            const bool high = c >= HIGHLAND_FIRST;
            const double rough = Fractal_Noise(x, y, high ? 18 : 22, high ? ROCK_SEED : FOREST_SEED);
            if (rough > (high ? 0.6 : 0.57) && c != HIGHLAND_LAST) cell |= ROUGH;
            t.cells[Index(x, y)] = cell;
        }
    Raise_Mesas(t.cells);
    t.towns.assign(std::begin(TOWNS), std::end(TOWNS));
    for (const Town& town : t.towns) t.cells[Index(town.at.x, town.at.y)] &= static_cast<uint8_t>(~ROUGH);
    // Every town joins the home town; a few more roads close the network.
    for (size_t i = 1; i < t.towns.size(); ++i) Lay_Road(t.cells, t.towns[0].at, t.towns[i].at);
    Lay_Road(t.cells, t.towns[1].at, t.towns[2].at);
    Lay_Road(t.cells, t.towns[4].at, t.towns[5].at);
    Lay_Road(t.cells, t.towns[3].at, t.towns[6].at);
    return t;
}

}  // namespace

const Terrain& World_Terrain() {
    static const Terrain terrain = Make_Terrain();
    return terrain;
}

}  // namespace art::worldmap
