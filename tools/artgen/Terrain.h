#pragma once
// Map artwork named by fixitem types: floors of several terrains, walls,
// doors, chests, hills, steps, a teleport, lamps and a few objects. Each is a
// bitmap sprite "ARTWORK\\<name>" whose frames share one box; the hot spot is
// the field's anchor, so a floor frame drawn at the anchor fills its field.

#include <vector>

#include "tools/artgen/Artwork.h"

namespace art {

// Floor sprites: GRASS, STONE, EARTH, WATER, WOOD.
constexpr int kFloorShapes = 20;      // frames 0..19: the ground-hill shapes 0..19 (slopes)
constexpr int kFloorFlat = 20;        // frames 20..23: level floors, four variants
constexpr int kFloorFlatVariants = 4;
constexpr int kFloorRaised = 24;      // frame 24 + e - 1: level floor with a side e elevation steps high (e 1..7)
constexpr int kFloorRaisedSteps = 7;
constexpr int kFloorFrames = kFloorRaised + kFloorRaisedSteps;
constexpr int kFloorHeadroom = 24;    // the highest slope rises 24 pixels

// Heights in pixels of the objects (for the fixitem types' height byte).
constexpr int kWallHeight = 50;
constexpr int kHillHeights[4] = {11, 22, 33, 44};  // HILL frames 0..3
constexpr int kStepsHeight = 77;                   // STEPS climbs one level
// DOOR: frame 0 open .. 3 closed. CHEST: 0 locked, 1 closed, 2 opening, 3 open.
constexpr int kDoorFrames = 4;
constexpr int kChestFrames = 4;
// Lamps flicker through 4 frames (animated fixitems).
constexpr int kLampFrames = 4;

// The floor shape's height at floor pixel (tx, ty) for ground shape s (0..19,
// anything else is level), as the ground-hill rule gives it for a character
// standing there.
double Ground_Shape_Height(int shape, int tx, int ty);

std::vector<BitmapSprite> Terrain_Sprites();

}  // namespace art
