// The map cursor: the marks on the field under the mouse (map animations
// drawn with the field), the cursor types an act sets while it picks its
// target, and following the mouse from field to field.
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/Effects.h"

// The field under the mouse is cursor_field (0xFFFF none) of the game world;
// its column, row and level (-1 none):
extern std::int32_t cursor_x, cursor_y, cursor_level;

// 0 and 1 normal, 2 single target, 3 area target.
extern std::uint16_t cursor_type;
constexpr std::uint16_t CURSOR_TYPE_COUNT = 4;

struct cursor_mark {
    std::uint8_t row;  // of anim_types
    std::uint8_t frame;
};
// Per cursor type: the front mark, then the back mark.
extern const cursor_mark cursor_types[CURSOR_TYPE_COUNT][2];

// The area offsets marked at present (a copy of what the aiming act gave),
// entry 0 the centre; empty when none are marked.
extern std::vector<area_offset> marked_area;
// No field under the cursor, the normal cursor, nothing marked.
void Reset_Map_Cursor_State();

// Whether an act picks its target with the map cursor (type 2 or 3).
bool Cursor_Picks_Target();

// No field under the cursor and nothing marked, without taking marks off
// the fields (a map that replaced the one marked has none).
void Forget_Cursor_Field();
void Mark_Cursor_Fields();
void Unmark_Cursor_Fields();
void Set_Cursor_Type(std::uint16_t type);
// After a mouse move on the map screens: moves the marks to the field under
// (x, y), or takes them away outside the map.
void Track_Cursor_Field(int x, int y, std::uint32_t flags);
