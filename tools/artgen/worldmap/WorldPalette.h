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

constexpr uint8_t kTransparent = 0;
constexpr Range kGrey{1, 15};       // dark to light
constexpr Range kSea{16, 8};        // deep to shallow, still
constexpr Range kLowland{24, 24};   // 12 heights, each a dark and a light shade
constexpr Range kHighland{48, 16};  // 8 heights, dark and light
constexpr Range kSnow{64, 8};
constexpr Range kForest{72, 16};  // 8 heights of the rough lowland, dark and light
constexpr Range kRoadColour{88, 8};
constexpr Range kRoof{96, 8};
constexpr Range kWall{104, 8};
constexpr Range kCliff{112, 8};  // dark rock faces
constexpr Range kWood{120, 24};
constexpr Range kGold{144, 16};
constexpr Range kStone{160, 16};
constexpr Range kParchment{176, 16};
constexpr Range kBanner{192, 8};  // the marker's red
constexpr Range kSteel{200, 8};
constexpr Range kFireStill{208, 16};  // dark red to white-yellow
constexpr uint8_t kYellow = 224;      // RGB(255, 255, 0)
constexpr uint8_t kInk = 225;         // near-black for outlines and letters
// The cycled entries.
constexpr uint8_t kSparkle0 = 227, kSparkle1 = 228;
constexpr Range kShallowCycle{229, 3};
constexpr Range kDeepCycle{232, 4};
constexpr Range kFireCycle{236, 4};
constexpr Range kShadow{240, 16};  // the sea's depths and dark map shading

const Palette& World_Palette();
// The 768 bytes of the resource: red, green, blue of each entry.
std::array<uint8_t, 768> Palette_Bytes();

}  // namespace art::worldmap
