// A new empty map of a given size in place of the one in play: plain
// fields, no objects, the map's fixitem-type slots free, the view at the
// map's start, the AI arrays and the light map made anew.
#pragma once
#include <cstdint>

#include "editor/MapResize.h"

// Room for area modifiers, and the modifier records kept out of the free
// list for them, in a new map.
constexpr std::uint32_t NEW_MAP_AREA_MODIFIERS = 10;

// Replaces the world with an empty map of the size (which must be valid):
// the old map's artwork, timer events, path arrays, AI arrays, records and
// area modifiers go; nobody is selected, in the party, the main character,
// the working object or the page shown; every field a plain field; slots
// 1..239 emptied and free; the map's artwork loaded; the path arrays, the
// view (scroll (-229, -179), level 0, the map's scroll limits), the objects'
// start values, the AI arrays and the light map set up; a redraw requested.
void New_Map(const map_size& size);
