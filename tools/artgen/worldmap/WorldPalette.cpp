#include "tools/artgen/worldmap/WorldPalette.h"

namespace art::worldmap {

namespace {

Rgb Mix(Rgb a, Rgb b, int i, int n) {
    if (n <= 1) return a;
    auto m = [&](uint8_t x, uint8_t y) { return static_cast<uint8_t>(x + (static_cast<int>(y) - x) * i / (n - 1)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

void Ramp(Palette& p, Range r, Rgb dark, Rgb light) {
    for (int i = 0; i < r.count; ++i) p[r.first + i] = Mix(dark, light, i, r.count);
}

// Pairs of shades (dark, light) along a ramp of heights.
void Paired_Ramp(Palette& p, Range r, Rgb low, Rgb high) {
    const int heights = r.count / 2;
    for (int h = 0; h < heights; ++h) {
        const Rgb c = Mix(low, high, h, heights);
        const Rgb dark{static_cast<uint8_t>(c.r * 7 / 8), static_cast<uint8_t>(c.g * 7 / 8),
                       static_cast<uint8_t>(c.b * 7 / 8)};
        p[r.first + 2 * h] = dark;
        p[r.first + 2 * h + 1] = c;
    }
}

Palette Make_Palette() {
    Palette p{};
    p[TRANSPARENT_INDEX] = {0, 0, 0};
    Ramp(p, GREY, {24, 24, 28}, {236, 236, 232});
    Ramp(p, SEA, {10, 28, 72}, {44, 98, 150});
    Paired_Ramp(p, LOWLAND, {70, 132, 52}, {176, 170, 96});
    Paired_Ramp(p, HIGHLAND, {128, 104, 72}, {150, 140, 128});
    Ramp(p, SNOW, {196, 200, 208}, {250, 252, 255});
    Paired_Ramp(p, FOREST, {26, 78, 34}, {84, 104, 44});
    Ramp(p, ROAD_COLOUR, {120, 88, 52}, {222, 196, 140});
    Ramp(p, ROOF, {110, 30, 22}, {214, 92, 60});
    Ramp(p, WALL, {150, 136, 120}, {238, 228, 206});
    Ramp(p, CLIFF, {40, 32, 28}, {104, 90, 78});
    Ramp(p, WOOD_SHADES, {42, 22, 10}, {170, 110, 60});
    Ramp(p, GOLD, {104, 70, 16}, {255, 230, 130});
    Ramp(p, STONE_SHADES, {50, 52, 58}, {176, 178, 184});
    Ramp(p, PARCHMENT, {150, 118, 78}, {246, 230, 192});
    Ramp(p, BANNER, {96, 8, 12}, {240, 70, 60});
    Ramp(p, STEEL, {60, 70, 90}, {220, 228, 240});
    Ramp(p, FIRE_STILL, {110, 16, 4}, {255, 246, 170});
    p[YELLOW] = {255, 255, 0};
    p[INK] = {20, 14, 10};
    p[226] = {255, 255, 255};
    p[SPARKLE0] = {210, 232, 250};
    p[SPARKLE1] = {66, 124, 176};
    p[SHALLOW_CYCLE.At(0)] = {52, 118, 168};
    p[SHALLOW_CYCLE.At(1)] = {70, 138, 184};
    p[SHALLOW_CYCLE.At(2)] = {60, 128, 176};
    p[DEEP_CYCLE.At(0)] = {22, 56, 112};
    p[DEEP_CYCLE.At(1)] = {28, 66, 124};
    p[DEEP_CYCLE.At(2)] = {34, 76, 136};
    p[DEEP_CYCLE.At(3)] = {28, 66, 124};
    p[FIRE_CYCLE.At(0)] = {255, 200, 40};
    p[FIRE_CYCLE.At(1)] = {250, 140, 20};
    p[FIRE_CYCLE.At(2)] = {230, 90, 10};
    p[FIRE_CYCLE.At(3)] = {255, 170, 30};
    Ramp(p, SHADOW, {4, 10, 30}, {40, 60, 90});
    return p;
}

}  // namespace

const Palette& World_Palette() {
    static const Palette palette = Make_Palette();
    return palette;
}

std::array<uint8_t, 768> Palette_Bytes() {
    std::array<uint8_t, 768> bytes{};
    const Palette& p = World_Palette();
    for (int i = 0; i < 256; ++i) {
        bytes[3 * i] = p[i].r;
        bytes[3 * i + 1] = p[i].g;
        bytes[3 * i + 2] = p[i].b;
    }
    return bytes;
}

}  // namespace art::worldmap
