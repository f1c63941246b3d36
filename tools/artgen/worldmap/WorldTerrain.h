#pragma once
// The world map's terrain (the resource "HMAP"): 400 x 400 cells, one byte
// each (the class in bits 0-4, 0x20 rough, 0x40 road), row 0 at the top.
// A continent in a sea that fills the margins the view never shows: green
// lowland (the first band, classes 4..15) with forests, lakes and cliffed
// mesas, highland (the second band, 16..23) with escarpments and peaks too
// steep to climb, towns joined by roads. The home town, where the player
// starts, lies on a road at cell (182, 140).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art::worldmap {

constexpr int CELLS = 400;
// Cells the view can show: x 1..392, y 1..350 (the map pixels of every
// scroll position); everything else is sea.
constexpr int SHOWN_LEFT = 1, SHOWN_TOP = 1, SHOWN_RIGHT = 392, SHOWN_BOTTOM = 350;

constexpr uint8_t CLASS_MASK = 0x1F;
constexpr uint8_t ROUGH = 0x20;
constexpr uint8_t ROAD = 0x40;
constexpr uint8_t WATER_CLASS = 2;
constexpr int LOWLAND_FIRST = 4, LOWLAND_LAST = 15;
constexpr int HIGHLAND_FIRST = 16, HIGHLAND_LAST = 23;

struct Cell {
    int x = 0, y = 0;
};

struct Town {
    Cell at;
    int houses = 0;  // how many houses the map picture shows
};

// Places of the terrain that tests and the benchmark use.
constexpr Cell HOME_TOWN{182, 140};
// The top of a mesa whose cliffs have no way up.
constexpr Cell ENCLOSED_PLACE{112, 272};
// A cell of open sea inside the view, and the cells the walk can reach
// nearest to the corners of what the view shows.
constexpr Cell OPEN_SEA{380, 20};
constexpr Cell FAR_NORTH_WEST{31, 45};
constexpr Cell FAR_NORTH_EAST{332, 29};
constexpr Cell FAR_SOUTH_WEST{22, 292};
constexpr Cell FAR_SOUTH_EAST{362, 318};

struct Terrain {
    std::vector<uint8_t> cells;  // CELLS x CELLS, row after row from the top
    std::vector<Town> towns;     // the home town first
    uint8_t At(int x, int y) const { return cells[static_cast<size_t>(y) * CELLS + x]; }
};

// The same terrain on every call and every run.
const Terrain& World_Terrain();

}  // namespace art::worldmap
