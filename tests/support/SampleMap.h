// A generated map drawn with the default artwork: floors of several
// terrains, raised fields and ground hills, walls, doors, chests, trees,
// lamps and steps, items and bodies, characters of every body in all
// facings with their shields, and map animations (cursor and target marks,
// path arrows, rising damage digits, fire) on every level, with varied
// light. The same map for the same arguments.
#pragma once
#include <cstdint>

namespace fixture {

// Builds the world (Reset_World and the map's arrays), loads its artwork
// (the working folder must hold the default artwork and the display must be
// open), then puts the map animations on it. Leaves shown_level at the top
// level and the scroll limits set.
// upper_floors: the percentage of fields with a floor on each level above
// the lowest; by default 45 on level 1 and 25 above.
void Build_Sample_Map(std::uint32_t width, std::uint32_t height, std::uint32_t levels, std::uint32_t seed = 1,
                      int upper_floors = -1);

// The game keeps the portraits a map loaded for the run; a test gives them
// back.
void Release_Portraits();

}  // namespace fixture
