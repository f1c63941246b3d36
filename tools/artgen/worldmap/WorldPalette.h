#pragma once
// The world map's own 256-colour palette (the resource "PAL"): index 0 is
// black and transparent in the frame, the marker and the flames; 227 to 239
// are the entries the program cycles (227-228 sparkle, 229-231 and 232-235
// water, 236-239 fire); pure yellow draws the path dots.

#include <array>
#include <cstdint>

#include "tools/artgen/Palette.h"

namespace art::worldmap {

using Palette = art::Palette;

// Ranges of entries: first index and count.
struct Range {
    uint8_t first;
    uint8_t count;
    uint8_t At(int i) const { return static_cast<uint8_t>(first + (i < 0 ? 0 : i >= count ? count - 1 : i)); }
};

constexpr uint8_t TRANSPARENT_INDEX = 0;
constexpr Range GREY{1, 15};       // dark to light
constexpr Range SEA{16, 8};        // deep to shallow, still
constexpr Range LOWLAND{24, 24};   // 12 heights, each a dark and a light shade
constexpr Range HIGHLAND{48, 16};  // 8 heights, dark and light
constexpr Range SNOW{64, 8};
constexpr Range FOREST{72, 16};  // 8 heights of the rough lowland, dark and light
constexpr Range ROAD_COLOUR{88, 8};
constexpr Range ROOF{96, 8};
constexpr Range WALL{104, 8};
constexpr Range CLIFF{112, 8};  // dark rock faces
constexpr Range WOOD_SHADES{120, 24};
constexpr Range GOLD{144, 16};
constexpr Range STONE_SHADES{160, 16};
constexpr Range PARCHMENT{176, 16};
constexpr Range BANNER{192, 8};  // the marker's red
constexpr Range STEEL{200, 8};
constexpr Range FIRE_STILL{208, 16};  // dark red to white-yellow
constexpr uint8_t YELLOW = 224;       // RGB(255, 255, 0)
constexpr uint8_t INK = 225;          // near-black for outlines and letters
// The cycled entries.
constexpr uint8_t SPARKLE0 = 227, SPARKLE1 = 228;
constexpr Range SHALLOW_CYCLE{229, 3};
constexpr Range DEEP_CYCLE{232, 4};
constexpr Range FIRE_CYCLE{236, 4};
constexpr Range SHADOW{240, 16};  // the sea's depths and dark map shading

const Palette& World_Palette();
// The 768 bytes of the resource: red, green, blue of each entry.
std::array<uint8_t, 768> Palette_Bytes();

}  // namespace art::worldmap
