#include "worldmap/TerrainPath.h"

#include <algorithm>
#include <cstdlib>
#include <new>

std::uint32_t path_len = 0;
std::vector<std::uint8_t> path_dirs;

namespace {

const std::uint8_t* terrain = nullptr;
int terrain_stride = 0;
std::vector<std::uint32_t> dist_map;
std::uint32_t found_cost = 0;

// The ring of waiting cell codes (x + 400 * y): empty when both indexes are
// equal; one slot always stays free.
std::vector<std::uint32_t> queue;
std::size_t queue_read = 0, queue_write = 0;

inline bool Inside(int x, int y) { return x >= 0 && y >= 0 && x < TERRAIN_WIDTH && y < TERRAIN_HEIGHT; }

constexpr int Band_Of(int c) {
    if (c >= FIRST_BAND_LOW && c <= FIRST_BAND_HIGH) return 1;
    if (c >= SECOND_BAND_LOW && c <= SECOND_BAND_HIGH) return 2;
    return 0;
}

// The cost of a step from a cell with terrain byte s onto one with t.
constexpr int Step_Cost_Of(std::uint8_t s, std::uint8_t t, bool diagonal) {
    const int a = s & TERRAIN_CLASS_MASK;
    const int b = t & TERRAIN_CLASS_MASK;
    const int d = b - a;
    int cost = 0;
    if (Band_Of(b) == 1) {
        if (Band_Of(a) == 2)
            cost = 4;
        else if (std::abs(d) <= 2)
            cost = d > 0 ? 2 * d + 4 : 4;
    }
    if (Band_Of(b) == 2) {
        if (Band_Of(a) == 1) {
            cost += 8;
        } else if (std::abs(d) <= 2) {
            cost += 8;
            if (d > 0) cost += 3 * d;
        }
    }
    if (cost == 0) return 0;
    if (diagonal) cost += 2;
    if (t & TERRAIN_ROUGH) cost += 3;
    if (t & TERRAIN_ROAD) cost = 1;
    return cost;
}

// Every step cost by the source's class, the target's byte and whether the
// step is diagonal, for the search's inner loop.
struct step_costs {
    std::uint8_t cost[32][256][2];
};
constexpr step_costs Make_Step_Costs() {
    step_costs t{};
    for (int a = 0; a < 32; ++a)
        for (int b = 0; b < 256; ++b)
            for (int d = 0; d < 2; ++d)
                t.cost[a][b][d] = static_cast<std::uint8_t>(
                    Step_Cost_Of(static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b), d));
    return t;
}
constexpr step_costs STEP_COST_TABLE = Make_Step_Costs();

// The direction of a step (dx, dy), each -1..1.
constexpr int STEP_DIRECTION[3][3] = {{5, 6, 7}, {4, 0, 0}, {3, 2, 1}};
inline int Direction_Of(int dx, int dy) { return STEP_DIRECTION[dy + 1][dx + 1]; }

// A full ring doubles: the waiting codes move to its start in their order.
void Grow_Queue() {
    std::vector<std::uint32_t> grown(queue.size() * 2);
    std::size_t n = 0;
    for (std::size_t i = queue_read; i != queue_write; i = (i + 1) % queue.size()) grown[n++] = queue[i];
    queue.swap(grown);
    queue_read = 0;
    queue_write = n;
}

}  // namespace

bool Init_Path_Search(std::size_t queue_slots) {
    try {
        dist_map.assign(TERRAIN_CELLS, 0);
        queue.assign(std::max<std::size_t>(queue_slots, 2), 0);
        path_dirs.assign(PATH_STORE_STEPS + 1, 0);
    } catch (const std::bad_alloc&) {
        Reset_Path_Search();
        return false;
    }
    queue_read = queue_write = 0;
    path_len = 0;
    return true;
}

void Set_Terrain(const std::uint8_t* cells, int stride) {
    terrain = cells;
    terrain_stride = stride;
}

void Reset_Path_Search() {
    std::vector<std::uint32_t>().swap(dist_map);
    std::vector<std::uint32_t>().swap(queue);
    std::vector<std::uint8_t>().swap(path_dirs);
    queue_read = queue_write = 0;
    path_len = 0;
    found_cost = 0;
    terrain = nullptr;
    terrain_stride = 0;
}

std::uint8_t Terrain_At(int x, int y) {
    if (terrain == nullptr || !Inside(x, y)) return 0;
    return terrain[static_cast<std::size_t>(y) * terrain_stride + x];
}

int Step_Cost(int x1, int y1, int x2, int y2) {
    if (!Inside(x2, y2)) return 0;
    return Step_Cost_Of(Terrain_At(x1, y1), Terrain_At(x2, y2), x2 != x1 && y2 != y1);
}

void Queue_Push(int x, int y) {
    if ((queue_write + 1) % queue.size() == queue_read) Grow_Queue();
    queue[queue_write] = static_cast<std::uint32_t>(x + TERRAIN_WIDTH * y);
    queue_write = (queue_write + 1) % queue.size();
}

void Queue_Pop(int& x, int& y) {
    const std::uint32_t code = queue[queue_read];
    queue_read = (queue_read + 1) % queue.size();
    x = static_cast<int>(code % TERRAIN_WIDTH);
    y = static_cast<int>(code / TERRAIN_WIDTH);
}

bool Queue_Empty() { return queue_read == queue_write; }

void Set_Cell_Dist(int x, int y, std::uint32_t cost, int direction) {
    if (!Inside(x, y)) return;
    dist_map[x + TERRAIN_WIDTH * y] = (cost & COST_MASK) | (static_cast<std::uint32_t>(direction) << DIRECTION_SHIFT);
}

std::uint32_t Get_Cell_Dist(int x, int y) {
    if (!Inside(x, y)) return OUTSIDE_COST;
    return dist_map[x + TERRAIN_WIDTH * y] & COST_MASK;
}

int Get_Cell_Dir(int x, int y) {
    if (!Inside(x, y)) return 0;
    return static_cast<int>(dist_map[x + TERRAIN_WIDTH * y] >> DIRECTION_SHIFT);
}

void Relax_Step(int x1, int y1, int x2, int y2) {
    const std::uint32_t e = Get_Cell_Dist(x1, y1);
    const std::uint32_t f = Get_Cell_Dist(x2, y2);
    const int g = Step_Cost(x1, y1, x2, y2);
    // Only a strict improvement counts; a cost of 0 is no route yet, so the
    // start can be reached again from a neighbour.
    if (g == 0 || (f != 0 && e + static_cast<std::uint32_t>(g) >= f)) return;
    Set_Cell_Dist(x2, y2, e + static_cast<std::uint32_t>(g), Direction_Of(x2 - x1, y2 - y1));
    Queue_Push(x2, y2);
}

namespace {

// The neighbours in the order they are relaxed: west, north-west, north,
// north-east, east, south-east, south, south-west.
constexpr int RELAX_DX[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
constexpr int RELAX_DY[8] = {0, -1, -1, -1, 0, 1, 1, 1};
constexpr int RELAX_DIAGONAL[8] = {0, 1, 0, 1, 0, 1, 0, 1};
constexpr int RELAX_DIRECTION[8] = {4, 5, 6, 7, 0, 1, 2, 3};

// Relax_Step from (x, y) to each neighbour in that order, with what the
// eight steps share read once.
void Relax_Neighbours(int x, int y) {
    const std::uint32_t e = dist_map[x + TERRAIN_WIDTH * y] & COST_MASK;
    const auto& from = STEP_COST_TABLE.cost[Terrain_At(x, y) & TERRAIN_CLASS_MASK];
    for (int i = 0; i < 8; ++i) {
        const int nx = x + RELAX_DX[i], ny = y + RELAX_DY[i];
        if (!Inside(nx, ny)) continue;
        const int g = from[terrain[static_cast<std::size_t>(ny) * terrain_stride + nx]][RELAX_DIAGONAL[i]];
        if (g == 0) continue;
        std::uint32_t& word = dist_map[nx + TERRAIN_WIDTH * ny];
        const std::uint32_t f = word & COST_MASK;
        const std::uint32_t cost = e + static_cast<std::uint32_t>(g);
        if (f != 0 && cost >= f) continue;
        word = (cost & COST_MASK) | (static_cast<std::uint32_t>(RELAX_DIRECTION[i]) << DIRECTION_SHIFT);
        Queue_Push(nx, ny);
    }
}

// Stores the route into the target backwards, following each cell's last
// step; false when it would not fit the store (a route never repeats a
// cell, so only broken arrays could make it so).
bool Store_Path(int x, int y, int x1, int y1) {
    found_cost = Get_Cell_Dist(x, y);
    while (x != x1 || y != y1) {
        if (path_len >= PATH_STORE_STEPS) {
            path_len = 0;
            return false;
        }
        const int d = Get_Cell_Dir(x, y);
        path_dirs[++path_len] = static_cast<std::uint8_t>(d);
        x -= DIRECTION_DX[d];
        y -= DIRECTION_DY[d];
    }
    return true;
}

}  // namespace

int Find_Path(int x1, int y1, int x2, int y2) {
    path_len = 0;
    found_cost = 0;
    if (dist_map.empty() || !Inside(x1, y1) || !Inside(x2, y2)) return 0;
    if (x1 == x2 && y1 == y2) return 1;
    // A cell no step may enter is never reached.
    if (Band_Of(Terrain_At(x2, y2) & TERRAIN_CLASS_MASK) == 0) return 0;
    std::fill(dist_map.begin(), dist_map.end(), 0);
    queue_read = queue_write = 0;
    Set_Cell_Dist(x1, y1, 0, 0);
    Queue_Push(x1, y1);
    while (!Queue_Empty()) {
        int x, y;
        Queue_Pop(x, y);
        if (x == x2 && y == y2) return Store_Path(x, y, x1, y1) ? 1 : 0;
        Relax_Neighbours(x, y);
    }
    return 0;
}

std::size_t Queue_Slots() { return queue.size(); }

std::uint32_t Found_Cost() { return found_cost; }

std::uint32_t Route_Cost(int x, int y) {
    std::uint32_t cost = 0;
    for (std::uint32_t i = path_len; i >= 1; --i) {
        const int d = path_dirs[i];
        cost += static_cast<std::uint32_t>(Step_Cost(x, y, x + DIRECTION_DX[d], y + DIRECTION_DY[d]));
        x += DIRECTION_DX[d];
        y += DIRECTION_DY[d];
    }
    return cost;
}
