#pragma once
// The hexagon field as the map view sees it: a field's anchor point, the
// picking rule that maps a pixel to its field, and the floor shape that the
// picking rule gives (42 x 30 pixels, anchor at (21, 19)).

#include <array>

namespace art {

constexpr int kFieldStepX = 42;  // columns of a row
constexpr int kRowStep = 21;     // rows: 21 down and 21 right
constexpr int kLevelStep = 77;   // one level up
constexpr int kElevationStep = 11;
constexpr int kFloorWidth = 42;
constexpr int kFloorHeight = 30;
constexpr int kFloorHotX = 21;
constexpr int kFloorHotY = 19;

struct FieldPos {
    int col = 0, row = 0;
    bool operator==(const FieldPos&) const = default;
};

// The field under map pixel (x, y) with the view's picking rule, for a view
// that shows field (0, 0) with its anchor at pixel (0, 0).
FieldPos Pick_Field(int x, int y);

// Unit vector on the ground (x east, y south) of hexagon direction d (1..6),
// the direction whose screen step is (42, 0), (21, 21), (-21, 21), (-42, 0),
// (-21, -21), (21, -21) for d = 1 .. 6.
struct GroundDir {
    double x, y;
};
GroundDir Direction_On_Ground(int d);

// Anchor of a field in the same pixel space.
inline int Anchor_X(int col, int row) { return col * kFieldStepX + row * kRowStep; }
inline int Anchor_Y(int row) { return row * kRowStep; }

// The floor shape: true for the pixels of a 42 x 30 floor box (anchor at
// (21, 19)) that the picking rule gives to the field itself. Floors drawn
// with this shape tile the map without gaps or overlaps.
using FloorMask = std::array<std::array<bool, kFloorWidth>, kFloorHeight>;
const FloorMask& Floor_Mask();

}  // namespace art
