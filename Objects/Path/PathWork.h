// What the files of the path search share beyond PathSearch.h: the danger
// map, the destination the last search was asked for, and the small steps
// more than one of them takes.
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/Map.h"

// The danger of the last danger map, per field. field_cost holds it too
// until a field's cost is cached over it; the entry cost of a transporter's
// destination still needs it after that.
extern std::vector<std::uint8_t> danger_map;

// The destination the last search was asked for, before any transporter.
extern std::uint16_t asked_dest;

// Whether (x, y) lies on the map.
inline bool Path_On_Map(std::int32_t x, std::int32_t y) {
    return x >= 0 && y >= 0 && x < static_cast<std::int32_t>(map_width) && y < static_cast<std::int32_t>(map_height);
}
// A danger map without danger: every field's cost not computed, danger 0.
void Fill_No_Danger();
// pathdirs grown by PATHDIRS_STEP entries; false (reported) when it cannot.
bool Grow_Pathdirs();

// The parts of Reset_Path_Search_State, each beside its globals.
void Reset_Danger_Limit();
void Reset_Path_Arrows();
