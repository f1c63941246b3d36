#pragma once
// Map artwork named by fixitem types: floors of several terrains, walls,
// doors, chests, hills, steps, a teleport, lamps and a few objects. Each is a
// bitmap sprite "ARTWORK\\<name>" whose frames share one box; the hot spot is
// the field's anchor, so a floor frame drawn at the anchor fills its field.

#include <string>
#include <vector>

#include "tools/artgen/Artwork.h"

namespace art {

// Floors, three sprites per terrain (and "talaj01", tilled soil, the
// picture of a new fixitem type):
// - GRASS, EARTH, STONE, WATER, WOOD: level floors, 42 x 30 with the anchor at
//   (21, 19), FLOOR_VARIANTS frames that differ only in their texture;
// - GRASSH, EARTHH, STONEH: sloped floors for the ground-hill program, frame
//   = ground shape 0..19, with SLOPE_HEADROOM pixels above the level box;
// - GRASSR, EARTHR, STONER, WOODR: level floors of raised fields, frame e - 1
//   with a side e elevation steps (11 pixels each) high, for e = 1..7.
constexpr int FLOOR_VARIANTS = 4;
constexpr int SLOPE_FRAMES = 20;
constexpr int SLOPE_HEADROOM = 24;  // the highest slope rises 24 pixels
constexpr int RAISED_FRAMES = 7;

// Heights in pixels of the objects (for the fixitem types' height byte).
constexpr int WALL_HEIGHT = 50;
constexpr int HILL_HEIGHTS[4] = {11, 22, 33, 44};  // HILL frames 0..3
constexpr int STEPS_HEIGHT = 77;                   // STEPS climbs one level
// DOOR: frame 0 open .. 3 closed. CHEST: 0 locked, 1 closed, 2 opening, 3 open.
constexpr int DOOR_FRAMES = 4;
constexpr int CHEST_FRAMES = 4;
// Lamps flicker through 4 frames (animated fixitems).
constexpr int LAMP_FRAMES = 4;

// The floor shape's height at floor pixel (tx, ty) for ground shape s (0..19,
// anything else is level), as the ground-hill rule gives it for a character
// standing there.
double Ground_Shape_Height(int shape, int tx, int ty);

std::vector<BitmapSprite> Terrain_Sprites();
// One level floor sprite by terrain name ("GRASS", ...).
BitmapSprite Level_Floor_Sprite(const std::string& name);

}  // namespace art
