// Hexagon geometry on field indexes.
#pragma once
#include <cstdint>

// Direction codes beyond the six neighbours.
constexpr int DIR_UP = 7;    // one level up
constexpr int DIR_DOWN = 8;  // one level down
constexpr int DIR_NOT_ADJACENT = 10;

constexpr std::int32_t NO_DISTANCE = 0x7FFFFFFF;

// The neighbour of field in direction d (0..7) on the same level; NO_FIELD
// off the map. Directions 0 and 7 give the field itself.
std::uint16_t Neighbour_Field(std::uint16_t field, int d);

// The direction from a to b: 1..6, DIR_UP, DIR_DOWN or DIR_NOT_ADJACENT.
// Row ends are not checked: the last field of a row and the first of the
// next count as neighbours in direction 1.
int Neighbour_Dir(std::uint16_t a, std::uint16_t b);

// Hexagon distance on one level (levels are ignored); NO_DISTANCE for an
// index off the map.
std::int32_t Field_Distance(std::uint16_t a, std::uint16_t b);
// The hexagon distance of an axial step (dx, dy).
inline std::int32_t Step_Distance(std::int32_t dx, std::int32_t dy) {
    const std::int32_t ax = dx < 0 ? -dx : dx;
    const std::int32_t ay = dy < 0 ? -dy : dy;
    if ((dx > 0 && dy > 0) || (dx < 0 && dy < 0)) return ax + ay;
    return ax > ay ? ax : ay;
}
