#include "frontend/MapCursor.h"

#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "System/ScreenType.h"
#include "frontend/GameLoop.h"
#include "frontend/HexamapScreen.h"
#include "frontend/Hooks.h"
#include "frontend/MapView.h"
#include "frontend/Picking.h"
#include "frontend/SystemSprites.h"

std::int32_t cursor_x = -1;
std::int32_t cursor_y = -1;
std::int32_t cursor_level = -1;
std::uint16_t cursor_type = 0;
std::vector<area_offset> marked_area;

void Reset_Map_Cursor_State() {
    cursor_x = -1;
    cursor_y = -1;
    cursor_level = -1;
    cursor_type = 0;
    marked_area.clear();
}

const cursor_mark cursor_types[CURSOR_TYPE_COUNT][2] = {
    {{ANIM_CURSOR_FRONT, 0}, {ANIM_CURSOR_BACK, 0}},
    {{ANIM_CURSOR_FRONT, 0}, {ANIM_CURSOR_BACK, 0}},
    {{ANIM_TARGET_FRONT, 0}, {ANIM_TARGET_BACK, 0}},
    {{ANIM_TARGET_FRONT, 1}, {ANIM_TARGET_BACK, 1}},
};

namespace {

// Marks at the foot of a raised field.
constexpr cursor_mark FOOT_BACK{ANIM_CURSOR_FOOT_BACK, 0};
constexpr cursor_mark FOOT_FRONT{ANIM_CURSOR_FOOT_FRONT, 0};
constexpr std::uint16_t RAISED_ELEVATION = 2;

bool Field_Raised(std::uint16_t field) {
    const std::uint16_t word = mapfield[field];
    return (word & MF_HEIGHT_PROGRAM) != 0 || (word & MF_ELEVATION) >= RAISED_ELEVATION;
}

// The marks of a type; an unknown type has the normal ones.
const cursor_mark* Marks(std::uint16_t type) { return cursor_types[type < CURSOR_TYPE_COUNT ? type : 0]; }

bool Cursor_On_Map() { return cursor_field != NO_FIELD && cursor_field < total_fields; }

// Calls f on every field of the marked area but its centre that lies on the map.
template <class F>
void For_Area_Fields(F f) {
    for (std::size_t i = 1; i < marked_area.size(); ++i) {
        const std::int32_t x = cursor_x + marked_area[i].dx;
        const std::int32_t y = cursor_y + marked_area[i].dy;
        if (x < 0 || y < 0 || x >= static_cast<std::int32_t>(map_width) || y >= static_cast<std::int32_t>(map_height))
            continue;
        f(Field_Index(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                      static_cast<std::uint32_t>(cursor_level)));
    }
}

bool In_View(int x, int y) {
    return map_view.left <= x && x < map_view.right && map_view.top <= y && y < map_view.bottom;
}

}  // namespace

bool Cursor_Picks_Target() { return cursor_type == CURSOR_AIMING || cursor_type == CURSOR_ON_TARGET; }

void Mark_Cursor_Fields() {
    if (!Cursor_On_Map()) return;
    const cursor_mark* marks = Marks(cursor_type);
    Put_MapAnim(cursor_field, marks[0].row, marks[0].frame);
    Put_MapAnim(cursor_field, marks[1].row, marks[1].frame);
    if (Field_Raised(cursor_field)) {
        Put_MapAnim(cursor_field, FOOT_BACK.row, FOOT_BACK.frame);
        Put_MapAnim(cursor_field, FOOT_FRONT.row, FOOT_FRONT.frame);
    }
    if (!Cursor_Picks_Target()) return;
    marked_area.clear();
    if (area_offsets != nullptr && area_offsets->offsets != nullptr)
        marked_area.assign(area_offsets->offsets, area_offsets->offsets + area_offsets->count);
    For_Area_Fields([&](std::uint16_t field) { Put_MapAnim(field, marks[1].row, marks[1].frame); });
}

void Unmark_Cursor_Fields() {
    if (!Cursor_On_Map()) return;
    const cursor_mark* marks = Marks(cursor_type);
    Remove_MapAnim(cursor_field, marks[0].row);
    Remove_MapAnim(cursor_field, marks[1].row);
    if (Field_Raised(cursor_field)) {
        Remove_MapAnim(cursor_field, FOOT_BACK.row);
        Remove_MapAnim(cursor_field, FOOT_FRONT.row);
    }
    if (Cursor_Picks_Target()) For_Area_Fields([&](std::uint16_t field) { Remove_MapAnim(field, marks[1].row); });
}

void Forget_Cursor_Field() {
    marked_area.clear();
    cursor_field = NO_FIELD;
    cursor_x = cursor_y = cursor_level = -1;
}

void Set_Cursor_Type(std::uint16_t type) {
    Unmark_Cursor_Fields();
    cursor_type = type;
    if (cursor_field != NO_FIELD) Mark_Cursor_Fields();
}

void Track_Cursor_Field(int x, int y, std::uint32_t flags) {
    if (!In_View(x, y)) {
        Unmark_Cursor_Fields();
        Forget_Cursor_Field();
        return;
    }
    const map_pick at = Pick_Column_Row(x, y);
    const auto level = static_cast<std::int32_t>(shown_level);
    if (at.col == cursor_x && at.row == cursor_y && level == cursor_level) return;
    if (at.col >= 0 && at.row >= 0 && static_cast<std::uint32_t>(at.col) < map_width &&
        static_cast<std::uint32_t>(at.row) < map_height && shown_level < map_levels) {
        Unmark_Cursor_Fields();
        cursor_level = level;
        cursor_x = at.col;
        cursor_y = at.row;
        cursor_field = Field_Index(static_cast<std::uint32_t>(at.col), static_cast<std::uint32_t>(at.row), shown_level);
        Mark_Cursor_Fields();
        redraw_request = 1;
        if (ScreenType == SCREEN_EDITOR && (flags & MK_LBUTTON) != 0) Editor_Place_Object(0, 1);
    } else if (cursor_field != NO_FIELD) {
        Unmark_Cursor_Fields();
        Forget_Cursor_Field();
        redraw_request = 1;
    }
}
