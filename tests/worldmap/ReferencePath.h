// A reference for the terrain path search: the cheapest cost from one cell
// to another over the same step costs, by Dijkstra's algorithm with a binary
// heap; and the replay of a stored path.
#pragma once
#include <cstdint>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "worldmap/TerrainPath.h"

// The cheapest route's cost, or -1 when the target cannot be reached.
inline long Reference_Cost(int x1, int y1, int x2, int y2) {
    std::vector<long> dist(TERRAIN_CELLS, -1);
    using item = std::pair<long, int>;
    std::priority_queue<item, std::vector<item>, std::greater<item>> open;
    dist[x1 + TERRAIN_WIDTH * y1] = 0;
    open.push({0, x1 + TERRAIN_WIDTH * y1});
    const int target = x2 + TERRAIN_WIDTH * y2;
    while (!open.empty()) {
        const auto [d, c] = open.top();
        open.pop();
        if (d != dist[c]) continue;
        if (c == target) return d;
        const int x = c % TERRAIN_WIDTH, y = c / TERRAIN_WIDTH;
        for (int k = 0; k < 8; ++k) {
            const int nx = x + DIRECTION_DX[k], ny = y + DIRECTION_DY[k];
            const int g = Step_Cost(x, y, nx, ny);
            if (g == 0) continue;
            const int n = nx + TERRAIN_WIDTH * ny;
            if (dist[n] < 0 || d + g < dist[n]) {
                dist[n] = d + g;
                open.push({d + g, n});
            }
        }
    }
    return -1;
}

struct replayed_path {
    int end_x = 0, end_y = 0;
    long cost = 0;         // the step costs added up
    bool passable = true;  // no step of cost 0
};

// Walks the stored path from (x, y): entry path_len first, entry 1 last.
inline replayed_path Replay_Path(int x, int y) {
    replayed_path r{x, y, 0, true};
    for (std::uint32_t i = path_len; i >= 1; --i) {
        const int d = path_dirs[i];
        const int nx = r.end_x + DIRECTION_DX[d], ny = r.end_y + DIRECTION_DY[d];
        const int g = Step_Cost(r.end_x, r.end_y, nx, ny);
        if (g == 0) r.passable = false;
        r.cost += g;
        r.end_x = nx;
        r.end_y = ny;
    }
    return r;
}
