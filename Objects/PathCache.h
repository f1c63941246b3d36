// Path search state that the modifier programs read or change while the
// search asks them for entry costs, transporter destinations and danger.
#pragma once
#include <cstdint>

// Set to 1 by the path search before it asks a field's entry cost; a program
// whose answer depends on the moving character (its direction) clears it, so
// that the field's cost is not cached for the rest of the search.
extern std::uint32_t path_cacheable;

// The danger scale and danger unit of the danger map, which the field
// effects use when they answer request 120 (danger).
extern std::int32_t danger_scale;
extern std::int32_t danger_unit;

// Caching allowed, the danger scale and unit at their defaults.
void Reset_Path_Cache_State();
