#pragma once
// The hexagon field as the map view sees it: a field's anchor point, the
// picking rule that maps a pixel to its field, and the floor shape that the
// picking rule gives (42 x 30 pixels, anchor at (21, 19)).

#include <array>

namespace art {

constexpr int FIELD_STEP_X = 42;  // columns of a row
constexpr int ROW_STEP = 21;      // rows: 21 down and 21 right
constexpr int LEVEL_STEP = 77;    // one level up
constexpr int ELEVATION_STEP = 11;
constexpr int FLOOR_WIDTH = 42;
constexpr int FLOOR_HEIGHT = 30;
constexpr int FLOOR_HOT_X = 21;
constexpr int FLOOR_HOT_Y = 19;

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
inline int Anchor_X(int col, int row) { return col * FIELD_STEP_X + row * ROW_STEP; }
inline int Anchor_Y(int row) { return row * ROW_STEP; }

// The floor shape: true for the pixels of a 42 x 30 floor box (anchor at
// (21, 19)) that the picking rule gives to the field itself. Floors drawn
// with this shape tile the map without gaps or overlaps.
using FloorMask = std::array<std::array<bool, FLOOR_WIDTH>, FLOOR_HEIGHT>;
const FloorMask& Floor_Mask();

}  // namespace art
