#include "tools/artgen/folder/FixitemTypes.h"

#include <cstring>

#include "Objects/ModifierKinds.h"
#include "tools/artgen/Hex.h"
#include "tools/artgen/Terrain.h"

namespace art {

namespace {

// Entry costs: a road is quicker than open ground, a slope slower; a hill or
// steps on a field add to its floor's cost.
constexpr std::int8_t ROAD = 3, GROUND = 4, SLOPE = 6, CLIMB = 2;
constexpr std::int8_t IMPASSABLE = -1;
constexpr std::uint8_t FULL = 100;

// The hill is two elevation steps high, a flat top with every corner as
// high as the picture; a character on the steps stands half way up.
constexpr std::uint8_t HILL_HEIGHT = static_cast<std::uint8_t>(HILL_HEIGHTS[HILL_TYPE_FRAME]);
constexpr std::uint16_t HILL_CORNER = static_cast<std::uint16_t>(HILL_HEIGHT - ELEVATION_STEP);
constexpr std::uint8_t STEPS_STAND_HEIGHT = STEPS_HEIGHT / 2;

// A closed door that is not locked: lock hit points 10, opened by a
// lockpick strength of 5. A chest whose lock breaks under a blow of more
// than 6.
const TypeProgram door_program{MK_DOOR, 0, 10, 5, 0};
const TypeProgram chest_program{MK_CHEST, 0, 0, 6, 0};
const TypeProgram hill_program{MK_HILL, HILL_CORNER, HILL_CORNER, HILL_CORNER, HILL_CORNER};
const TypeProgram slope_program{MK_GROUND_HILL, 0, 0, 0, 0};

constexpr std::uint8_t GROUND_FLAG = FIX_GROUND;

}  // namespace

const std::vector<FixitemTypeDef>& Default_Fixitem_Types() {
    static const std::vector<FixitemTypeDef> types = {
        {"", "No floor", "", 0, IMPASSABLE, 0, 0, 0, 0, {}},
        {"GRASS", "Grass", "Floors", 0, GROUND, 0, GROUND_FLAG, 50, 0, {}},
        {"EARTH", "Earth", "Floors", 0, ROAD, 0, GROUND_FLAG, 50, 0, {}},
        {"STONE", "Flagstones", "Floors", 0, GROUND, 0, GROUND_FLAG, 100, 0, {}},
        {"WATER", "Water", "Floors", 0, IMPASSABLE, 0, GROUND_FLAG | FIX_WATER, 50, 0, {}},
        {"WOOD", "Wooden floor", "Floors", 0, GROUND, 0, GROUND_FLAG | FIX_BURNABLE, 40, 0, {}},
        {"talaj01", "Soil", "Floors", 0, GROUND, 0, GROUND_FLAG, 50, 0, {}},
        {"GRASSH", "Grass slope", "Slopes", 0, SLOPE, 0, GROUND_FLAG, 50, 0, {slope_program}},
        {"EARTHH", "Earth slope", "Slopes", 0, SLOPE, 0, GROUND_FLAG, 50, 0, {slope_program}},
        {"STONEH", "Stone slope", "Slopes", 0, SLOPE, 0, GROUND_FLAG, 100, 0, {slope_program}},
        {"GRASSR", "Raised grass", "Raised floors", 0, GROUND, 0, GROUND_FLAG, 50, 0, {}},
        {"EARTHR", "Raised earth", "Raised floors", 0, ROAD, 0, GROUND_FLAG, 50, 0, {}},
        // A raised stone field as high as a level: the tower under an upper floor.
        {"STONER", "Stone block", "Raised floors", 0, IMPASSABLE, FULL, GROUND_FLAG, 100, 10, {}},
        {"WOODR", "Raised wooden floor", "Raised floors", 0, GROUND, 0, GROUND_FLAG | FIX_BURNABLE, 40, 0, {}},
        {"WALL", "Stone wall", "Walls and doors", WALL_HEIGHT, IMPASSABLE, FULL, 0, 100, 10, {}},
        {"PALISADE", "Palisade", "Walls and doors", WALL_HEIGHT, IMPASSABLE, FULL, FIX_BURNABLE, 60, 5, {}},
        {"DOOR", "Door", "Walls and doors", 0, 0, 20, FIX_BURNABLE, 40, 5, {door_program}},
        {"HILL", "Hill", "Hills and steps", HILL_HEIGHT, CLIMB, 0, 0, 100, 0, {hill_program}},
        {"STEPS", "Steps", "Hills and steps", STEPS_STAND_HEIGHT, CLIMB, 0, 0, 100, 0, {}},
        {"CHEST", "Chest", "Things", 10, IMPASSABLE, FULL, FIX_BURNABLE, 30, 5, {chest_program}},
        {"BARREL", "Barrel", "Things", 16, IMPASSABLE, FULL, FIX_BURNABLE, 20, 2, {}},
        {"TREE", "Tree", "Things", 0, IMPASSABLE, FULL, FIX_BURNABLE, 60, 5, {}},
        {"ROCK", "Rock", "Things", 12, IMPASSABLE, FULL, 0, 100, 10, {}},
        {"Lampa1", "Lantern", "Lights", 0, IMPASSABLE, FULL, FIX_ANIMATED, 20, 0, {}},
        {"Faklya", "Torch", "Lights", 0, IMPASSABLE, FULL, FIX_ANIMATED | FIX_BURNABLE, 20, 0, {}},
        {"Gyertyat", "Candles", "Lights", 0, IMPASSABLE, FULL, FIX_ANIMATED, 10, 0, {}},
        {"TELEPORT", "Teleport", "Magic", 0, 0, 0, FIX_ANIMATED, 100, 0, {}},
    };
    return types;
}

std::uint16_t Default_Fixitem_Type(std::string_view sprite) {
    const std::vector<FixitemTypeDef>& types = Default_Fixitem_Types();
    for (std::size_t row = 1; row < types.size(); ++row)
        if (sprite == types[row].sprite) return static_cast<std::uint16_t>(row);
    return 0;
}

fixitem_type Fixitem_Type_Record(std::uint16_t row) {
    const FixitemTypeDef& d = Default_Fixitem_Types().at(row);
    fixitem_type t{};
    std::strncpy(t.sprite_name, d.sprite, sizeof t.sprite_name - 1);
    t.height = d.height;
    t.mp = d.mp;
    t.fill = d.fill;
    t.flags = d.flags;
    t.max_hp = d.max_hp;
    t.defend = d.defend;
    t.db_index = static_cast<std::int16_t>(row);
    return t;
}

}  // namespace art
