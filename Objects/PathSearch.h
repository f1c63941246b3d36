// Path search: the found path, its arrows on the map, and the direction of
// a vector.
#pragma once
#include <cstdint>

// Removes the arrow map animations of the last found path.
void Hide_Path_Cursor();

// The hexagon direction 1..6 nearest to the axial vector (dx, dy).
int Direction_Of_Vector(std::int16_t dx, std::int16_t dy);
