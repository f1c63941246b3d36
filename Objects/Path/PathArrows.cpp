// The path arrows: map animations along the last path found, shown and
// taken off again.
#include "Objects/PathSearch.h"

#include <algorithm>
#include <new>

#include "Objects/Geometry.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Path/PathWork.h"
#include "System/ErrorReport.h"

std::unique_ptr<std::uint32_t[]> cursordirs;
std::uint16_t cursordirs_count = 0;
std::uint16_t cursor_path_dest = NO_FIELD;
std::uint16_t shown_path_dest = NO_FIELD;
obj_ref shown_path_char = NOOBJ;

void Reset_Path_Arrows() {
    cursordirs.reset();
    cursordirs_count = 0;
    cursor_path_dest = NO_FIELD;
    shown_path_dest = NO_FIELD;
    shown_path_char = NOOBJ;
}

namespace {

// Calls mark(field, frame) for each arrow of a path: the target marker
// (frame 0) on a destination that could not be entered, then an arrow of
// the step's direction on each field, or beside the parent when the step
// went through a transporter.
template <class Mark>
void Walk_Arrows(const std::uint32_t* dirs, std::uint16_t count, std::uint16_t dest, Mark&& mark) {
    if (count == 0 || dest >= total_fields) return;
    std::uint16_t cur = dest;
    std::uint16_t i = 0;
    if (Node_Type(dirs[0]) == PT_BLOCKED) {
        mark(dest, 0);
        cur = Node_Parent(dirs[0]);
        i = 1;
    }
    for (; i < count; ++i) {
        const int d = Node_Dir(dirs[i]);
        const std::uint16_t parent = Node_Parent(dirs[i]);
        if (cur >= total_fields || parent >= total_fields) return;
        if (Neighbour_Dir(parent, cur) == d) {
            mark(cur, d);
        } else {
            const std::uint16_t beside = Neighbour_Field(parent, d);
            if (beside != NO_FIELD) mark(beside, d);
        }
        cur = parent;
    }
}

void Remove_Arrows(const std::uint32_t* dirs, std::uint16_t count, std::uint16_t dest) {
    Walk_Arrows(dirs, count, dest, [](std::uint16_t field, int) { Remove_MapAnim(field, ANIM_PATH_ARROW); });
}

}  // namespace

void Show_Path_Cursor() {
    if (cursordirs) {
        // Arrows still shown: take them off before the new ones go on.
        Error_Query_Quit("Cursordirs is not NULL!");
        Remove_Arrows(cursordirs.get(), cursordirs_count, cursor_path_dest);
        cursordirs.reset();
    }
    cursor_path_dest = path_dest;
    shown_path_dest = asked_dest;
    shown_path_char = path_char;
    cursordirs_count = path_count;
    if (cursordirs_count == 0) return;
    try {
        cursordirs.reset(new std::uint32_t[cursordirs_count]);
    } catch (const std::bad_alloc&) {
        Error_Query_Quit("Can't allocate memory for cursordirs!");
        cursordirs_count = 0;
        return;
    }
    std::copy(pathdirs.begin(), pathdirs.begin() + cursordirs_count, cursordirs.get());
    Walk_Arrows(cursordirs.get(), cursordirs_count, cursor_path_dest, [](std::uint16_t field, int frame) {
        Put_MapAnim(field, ANIM_PATH_ARROW, static_cast<std::uint8_t>(frame));
    });
}

void Hide_Path_Cursor() {
    if (cursordirs_count > 0) {
        if (!cursordirs)
            Error_Query_Quit("No cursordirs!");
        else
            Remove_Arrows(cursordirs.get(), cursordirs_count, cursor_path_dest);
    }
    cursordirs_count = 0;
    shown_path_dest = NO_FIELD;
    shown_path_char = NOOBJ;
    cursordirs.reset();
}
