#include "Objects/Sight.h"

#include <array>
#include <limits>

#include "Objects/FieldLists.h"
#include "Objects/Geometry.h"
#include "Objects/Map.h"
#include "Objects/PathSearch.h"
#include "Objects/Request.h"
#include "System/ErrorReport.h"

std::uint16_t sight_target = NO_FIELD;
std::int32_t sight_target_x = 0;
std::int32_t sight_target_y = 0;
std::int16_t sight_range = 0;

void Reset_Sight_State() {
    sight_target = NO_FIELD;
    sight_target_x = 0;
    sight_target_y = 0;
    sight_range = 0;
}

namespace {

// The cover of the field head and the objects on it: a fixitem's fill
// percent, half a character's request 108; items nothing.
std::int64_t Cover_Of_Objects(obj_ref asker, std::uint16_t field) {
    obj_ref cur = Make_Obj(OBJ_FIXITEM, field);
    std::int64_t sum = 0;
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps < limit && Obj_Kind(cur) != OBJ_NONE; ++steps) {
        const std::uint16_t i = Obj_Index(cur);
        if (Obj_Kind(cur) == OBJ_FIXITEM) sum += fixitem_types[maparray.records[i].type].fill;
        if (Obj_Kind(cur) == OBJ_CHAR) sum += Ask_Clamped(asker, cur, REQ_COVER) / 2;
        Next_Object_No_Anim(cur);
    }
    return sum;
}

// Spends budget on the line's fields after the first; false as soon as it
// falls below 0.
template <class Cost>
bool Spend_On_Line(std::uint16_t from, std::uint16_t to, std::int64_t& budget, Cost&& cost) {
    std::array<std::uint16_t, MAX_LINE_FIELDS> line;
    const std::uint16_t n = Line_Fields(from, to, line.data());
    for (std::uint16_t j = 1; j < n; ++j) {
        budget -= cost(Make_Obj(OBJ_FIXITEM, line[j]));
        if (budget < 0) return false;
    }
    return true;
}

std::int64_t Sight_Budget(std::int64_t sight) { return sight * sight_range / 100; }

// No cover is negative, so each field of the line after the first costs at
// least SIGHT_BASE_COST: a target farther than the budget can pay for is not
// seen, and its line need not be walked.
bool Beyond_Budget(std::int64_t distance, std::int64_t budget) { return (distance - 1) * SIGHT_BASE_COST > budget - 1; }

// Whether the budget pays for the line from f to the sight target and keeps
// at least 1. Every field still to pay costs at least SIGHT_BASE_COST, so the
// walk ends as soon as what is left cannot pay for the rest.
bool Sight_Reaches(obj_ref viewer, std::uint16_t f, std::int64_t budget) {
    std::array<std::uint16_t, MAX_LINE_FIELDS> line;
    const std::uint16_t n = Line_Fields(f, sight_target, line.data());
    for (std::uint16_t j = 1; j < n; ++j) {
        if (budget - static_cast<std::int64_t>(n - j) * SIGHT_BASE_COST < 1) return false;
        budget -= Field_Sight_Cost(viewer, Make_Obj(OBJ_FIXITEM, line[j]));
    }
    return budget >= 1;
}

std::int32_t Sight_Distance(obj_ref viewer, bool in_sector_only) {
    const std::uint16_t f = Object_Field(viewer);
    if (f >= total_fields || sight_target >= total_fields) return NO_DISTANCE;
    // The facing test first: it is the cheaper one.
    if (in_sector_only && Scope(viewer, sight_target) == 0) return NO_DISTANCE;
    std::int64_t budget = Sight_Budget(Ask_Clamped(viewer, viewer, REQ_SIGHT));
    if (Beyond_Budget(Field_Distance(f, sight_target), budget)) return NO_DISTANCE;
    if (!Sight_Reaches(viewer, f, budget)) return NO_DISTANCE;
    return Field_Distance(f, sight_target);
}

}  // namespace

void Set_Sight_Target(std::uint16_t field, std::uint16_t range) {
    sight_target = field;
    sight_target_x = field < total_fields ? static_cast<std::int32_t>(Field_X(field)) : 0;
    sight_target_y = field < total_fields ? static_cast<std::int32_t>(Field_Y(field)) : 0;
    const std::int32_t r = static_cast<std::int32_t>(range) * 5;
    sight_range = static_cast<std::int16_t>(
        r > std::numeric_limits<std::int16_t>::max() ? std::numeric_limits<std::int16_t>::max() : r);
}

std::int32_t visi_dist_scope(obj_ref viewer) { return Sight_Distance(viewer, true); }

std::int32_t visi_dist(obj_ref viewer) { return Sight_Distance(viewer, false); }

std::int32_t Farthest_Sight(std::int64_t greatest_sight) {
    if (sight_target >= total_fields) return SEEN_NOWHERE;
    const std::int64_t budget = Sight_Budget(greatest_sight);
    // Below 1 nothing is seen, not even on the target field itself.
    if (budget < 1) return SEEN_NOWHERE;
    const std::int64_t farthest = (budget - 1) / SIGHT_BASE_COST + 1;
    return farthest < NO_DISTANCE ? static_cast<std::int32_t>(farthest) : NO_DISTANCE;
}

std::int32_t visible_percent(obj_ref a, obj_ref b) {
    std::int64_t budget = Ask_Clamped(a, a, REQ_SIGHT) / 100;
    const std::uint16_t from = Object_Field(a);
    const std::uint16_t to = Object_Field(b);
    if (from >= total_fields || to >= total_fields) return 0;
    if (Scope(a, to) == 0) return 0;
    if (!Spend_On_Line(from, to, budget, [&](obj_ref head) { return Field_Sight_Cost(a, head); })) return 0;
    return Clamp32(budget);
}

std::int32_t base_visible_percent(obj_ref a, obj_ref b) {
    std::int64_t v = 100;
    const std::uint16_t from = Object_Field(a);
    const std::uint16_t to = Object_Field(b);
    if (from >= total_fields || to >= total_fields) return 0;
    if (!Spend_On_Line(from, to, v, [&](obj_ref head) { return Field_Base_Sight_Cost(a, head); })) return 0;
    return Clamp32(v);
}

int Scope(obj_ref character, std::uint16_t field) {
    if (field >= total_fields) {
        Error_Query_Quit("Destination index is not field-head in Scope");
        return 0;
    }
    const std::int64_t facing = Ask_Clamped(character, character, REQ_FACING);
    const std::uint16_t own = Object_Field(character);
    if (own >= total_fields) return 0;
    const std::int32_t dx = static_cast<std::int32_t>(Field_X(field)) - static_cast<std::int32_t>(Field_X(own));
    const std::int32_t dy = static_cast<std::int32_t>(Field_Y(field)) - static_cast<std::int32_t>(Field_Y(own));
    bool inside = false;
    switch (facing) {
        case 1: inside = dx >= 0 && (dy >= 0 || dx >= -dy); break;
        case 2: inside = dy >= 0 && (dx >= 0 || dy >= -dx); break;
        case 3: inside = dy >= 0 && dx <= 0; break;
        case 4: inside = dx <= 0 && (dy <= 0 || -dx >= dy); break;
        case 5: inside = dy <= 0 && (dx <= 0 || -dy >= dx); break;
        case 6: inside = dx >= 0 && dy <= 0; break;
        default: Error_Query_Quit("Invalid direction in Scope"); return 0;
    }
    return inside ? 1 : 0;
}

std::int32_t Field_Sight_Cost(obj_ref viewer, obj_ref field_head) {
    const std::uint16_t h = Obj_Index(field_head);
    if (h >= total_fields) return 0;
    if (mapfield[h] & MF_ASK_SIGHT) return Ask_Clamped(viewer, field_head, REQ_SIGHT_COST);
    return Clamp32(SIGHT_BASE_COST + Cover_Of_Objects(viewer, h));
}

std::int32_t Field_Base_Sight_Cost(obj_ref asker, obj_ref field_head) {
    const std::uint16_t h = Obj_Index(field_head);
    if (h >= total_fields) return 0;
    return Clamp32(Cover_Of_Objects(asker, h));
}
