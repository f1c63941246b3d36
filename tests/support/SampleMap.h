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

// A small map to play on, one level of 18 x 14 fields with the default
// artwork: grass and earth with a few walls and trees, the party of three
// (Alric, the main character, Bera and Cato, each with a sword in the right
// hand; Alric also with a potion in quick slot 61) on the left, and on the
// right two skeletons and a wolf of a lobby hostile to the party, unarmed
// and weak enough to fall to a few blows. Alric is selected, the view shows them
// all. The arrays as a map file holds them: AI slots and the party list
// made; the artwork is not loaded.
void Build_Play_Map();
constexpr std::uint32_t PLAY_MAP_WIDTH = 18;
constexpr std::uint32_t PLAY_MAP_HEIGHT = 14;
// The characters' fields, as (x, y) of level 0.
struct play_place {
    const char* name;
    std::uint32_t x, y;
};
constexpr play_place PLAY_PARTY[] = {{"Alric", 4, 6}, {"Bera", 3, 8}, {"Cato", 5, 8}};
constexpr play_place PLAY_MONSTERS[] = {{"Skeleton", 11, 6}, {"Rattlebones", 11, 8}, {"Wolf", 13, 3}};
// Hit points of the monsters.
constexpr std::int16_t PLAY_MONSTER_HP = 6;
// The view's scroll position, inside the map's scroll limits.
constexpr std::int32_t PLAY_SCROLL_X = 240, PLAY_SCROLL_Y = -90;

// The game keeps the portraits a map loaded for the run; a test gives them
// back.
void Release_Portraits();

}  // namespace fixture
