// The map picture: each terrain cell painted as 2 x 2 pixels, shaded by the
// slope, with forests, cliff faces, snow on the peaks, roads, towns, and
// water in the cycled entries so that it shimmers.
#include <algorithm>
#include <cstdlib>

#include "tools/artgen/Noise.h"
#include "tools/artgen/worldmap/WorldPalette.h"
#include "tools/artgen/worldmap/WorldPictures.h"
#include "tools/artgen/worldmap/WorldTerrain.h"

namespace art::worldmap {

namespace {

constexpr uint32_t DITHER_SEED = 701, TREE_SEED = 702, WAVE_SEED = 703, HOUSE_SEED = 704;

int Class_At(const Terrain& t, int x, int y) {
    x = std::clamp(x, 0, CELLS - 1);
    y = std::clamp(y, 0, CELLS - 1);
    return t.At(x, y) & CLASS_MASK;
}
bool Water(int c) { return c < LOWLAND_FIRST || c > HIGHLAND_LAST; }
bool Same_Band(int a, int b) { return (a <= LOWLAND_LAST) == (b <= LOWLAND_LAST); }

// Steps to the nearest land, up to 12.
int Shore_Distance(const Terrain& t, int x, int y) {
    for (int r = 1; r <= 12; ++r)
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if ((std::abs(dx) == r || std::abs(dy) == r) && !Water(Class_At(t, x + dx, y + dy))) return r;
    return 13;
}

uint8_t Water_Pixel(int depth, int px, int py) {
    const uint32_t h = Hash(px, py, WAVE_SEED);
    // Waves: bands of the cycled entries across the water, so that cycling
    // makes them move.
    const int wave = (px + py / 2 + static_cast<int>(h % 3));
    if (depth <= 1) return (h % 7 == 0) ? SPARKLE0 : SHALLOW_CYCLE.At(wave % 3);
    if (depth <= 3) return (h % 23 == 0) ? SPARKLE1 : SHALLOW_CYCLE.At(wave % 3);
    if (depth <= 7) return DEEP_CYCLE.At((px / 2 + py) % 4);
    if (depth <= 10) return (h % 5 == 0) ? DEEP_CYCLE.At((px + py) % 4) : SEA.At(3 - depth / 4);
    return SEA.At(0);
}

// Light from the north-west: 1 lit, -1 shaded, 0 flat.
int Slope_Light(const Terrain& t, int x, int y) {
    const int c = Class_At(t, x, y), nw = Class_At(t, x - 1, y - 1);
    if (Water(nw) || !Same_Band(c, nw)) return 0;
    return c > nw ? -1 : c < nw ? 1 : 0;
}

uint8_t Land_Pixel(const Terrain& t, int x, int y, int px, int py) {
    const uint8_t cell = t.At(x, y);
    const int c = cell & CLASS_MASK;
    const int light = Slope_Light(t, x, y);
    const bool lit = light > 0 || (light == 0 && Noise01(px, py, DITHER_SEED) > 0.5);
    if (cell & ROAD) return ROAD_COLOUR.At(4 + (lit ? 2 : 0) + static_cast<int>(Hash(px, py, DITHER_SEED) % 2));
    // A cliff face: a neighbour to the south or east lies far below.
    for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}}) {
        const int n = Class_At(t, x + dx, y + dy);
        if (!Water(n) && Same_Band(c, n) && c - n > 2) return CLIFF.At(2 + static_cast<int>(Hash(px, py, 705) % 3));
    }
    if (c <= LOWLAND_LAST) {
        const int h = c - LOWLAND_FIRST;
        if (c == LOWLAND_FIRST && Shore_Distance(t, x, y) <= 1) return ROAD_COLOUR.At(6 + (lit ? 1 : 0));  // beach
        if (cell & ROUGH) {
            // Tree tops: a lit pixel at the upper left of most cells.
            const bool crown = (px % 2 == 0 && py % 2 == 0 && Hash(px / 2, py / 2, TREE_SEED) % 4 != 0);
            return FOREST.At(2 * std::min(7, h * 7 / 11) + ((crown && light >= 0) ? 1 : 0));
        }
        return LOWLAND.At(2 * h + (lit ? 1 : 0));
    }
    if (c >= HIGHLAND_LAST - 1) return SNOW.At(lit ? 6 : 3);
    const int h = c - HIGHLAND_FIRST;
    if ((cell & ROUGH) && Hash(px, py, 706) % 3 == 0) return CLIFF.At(4 + (lit ? 2 : 0));
    return HIGHLAND.At(2 * h + (lit ? 1 : 0));
}

// Small houses around a town's cell, with a square in the middle; none on
// the water.
void Draw_Town(IndexedImage& img, const Terrain& t, const Town& town) {
    Rng rng(HOUSE_SEED + static_cast<uint32_t>(town.at.x * 7 + town.at.y));
    const int cx = 2 * town.at.x, cy = 2 * town.at.y;
    for (int i = 0; i < town.houses; ++i) {
        const int angle = i * 360 / town.houses + rng.Below(30);
        const int r = 4 + rng.Below(4);
        static const int cosines[12] = {100, 87, 50, 0, -50, -87, -100, -87, -50, 0, 50, 87};
        const int k = (angle / 30) % 12;
        const int hx = cx + cosines[k] * r / 100 - 1, hy = cy + cosines[(k + 9) % 12] * r / 100 - 1;
        bool dry = true;
        for (int y = hy; y <= hy + 4; ++y)
            for (int x = hx; x <= hx + 4; ++x) dry = dry && !Water(Class_At(t, x / 2, y / 2));
        if (!dry) continue;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                const uint8_t v = y < 2 ? ROOF.At(x < 2 ? 5 : 3) : (x == 3 ? WALL.At(2) : WALL.At(5));
                img.Set(hx + x, hy + y, v);
            }
        img.Set(hx + 4, hy + 2, INK);
        img.Set(hx + 4, hy + 3, INK);
    }
    for (int y = -1; y <= 1; ++y)
        for (int x = -1; x <= 1; ++x) img.Set(cx + x, cy + y, WALL.At(7));
}

}  // namespace

IndexedImage Map_Picture() {
    const Terrain& t = World_Terrain();
    IndexedImage img(MAP_PIXELS, MAP_PIXELS, SEA.At(0));
    for (int y = 0; y < CELLS; ++y)
        for (int x = 0; x < CELLS; ++x) {
            const int c = t.At(x, y) & CLASS_MASK;
            const int depth = Water(c) ? Shore_Distance(t, x, y) : 0;
            for (int py = 2 * y; py < 2 * y + 2; ++py)
                for (int px = 2 * x; px < 2 * x + 2; ++px)
                    img.Set(px, py, Water(c) ? Water_Pixel(depth, px, py) : Land_Pixel(t, x, y, px, py));
        }
    for (const Town& town : t.towns) Draw_Town(img, t, town);
    return img;
}

}  // namespace art::worldmap
