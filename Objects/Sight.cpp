#include "Objects/Sight.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "Objects/FieldLists.h"
#include "Objects/Geometry.h"
#include "Objects/Map.h"
#include "Objects/Path/HexLine.h"
#include "Objects/PathSearch.h"
#include "Objects/Request.h"
#include "Objects/Requests.h"
#include "System/ErrorReport.h"

std::uint16_t sight_target = NO_FIELD;
std::int32_t sight_target_x = 0;
std::int32_t sight_target_y = 0;
std::int16_t sight_range = 0;

namespace {

struct Kept_Cost {
    std::uint32_t epoch;  // the epoch it was kept in
    std::int32_t cost;
};
struct SightCostMemo {
    int depth = 0;
    std::uint32_t epoch = 1;
    std::vector<Kept_Cost> kept;  // by field
};
SightCostMemo memo;

}  // namespace

void Reset_Sight_State() {
    sight_target = NO_FIELD;
    sight_target_x = 0;
    sight_target_y = 0;
    sight_range = 0;
    memo = SightCostMemo{};
}

Sight_Cost_Scope::Sight_Cost_Scope() {
    ++memo.depth;
    Forget_Sight_Costs();
    if (memo.kept.size() != total_fields) {
        memo.kept.assign(total_fields, Kept_Cost{0, 0});
    }
}

Sight_Cost_Scope::~Sight_Cost_Scope() {
    --memo.depth;
    Forget_Sight_Costs();
}

void Forget_Sight_Costs() {
    if (++memo.epoch != 0) return;
    // Wrapped: no stamp may match by chance.
    std::fill(memo.kept.begin(), memo.kept.end(), Kept_Cost{0, 0});
    memo.epoch = 1;
}

namespace {

// The cover of the field head and the objects on it: a fixitem's fill
// percent, half a character's request 108; items nothing.
std::int64_t Cover_Of_Objects(obj_ref asker, std::uint16_t field) {
    // The head first: most fields hold nothing else.
    obj_ref cur = Make_Obj(OBJ_FIXITEM, field);
    std::int64_t sum = fixitem_types[maparray.records[field].type].fill;
    Next_Object_No_Anim(cur);
    if (Obj_Kind(cur) == OBJ_NONE) return sum;
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 1; steps < limit && Obj_Kind(cur) != OBJ_NONE; ++steps) {
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

// Whether the budget pays for the line from f, (dx, dy) away from the sight
// target, and keeps at least 1. Every field still to pay costs at least
// SIGHT_BASE_COST, so the walk ends as soon as what is left cannot pay for
// the rest.
bool Sight_Reaches(obj_ref viewer, std::uint16_t f, std::int32_t dx, std::int32_t dy, std::int64_t budget) {
    const std::int64_t n = Step_Distance(dx, dy);  // the fields of the line
    std::int64_t next = 0;                         // the place on the line of the field walked onto
    bool cut = false;
    Walk_Line_Toward(f, dx, dy, [&](std::uint16_t field) {
        const std::int64_t j = next++;
        if (j == 0) return true;  // the viewer's own field is not paid for
        if (budget - (n - j) * SIGHT_BASE_COST < 1) {
            cut = true;
            return false;
        }
        budget -= Field_Sight_Cost(viewer, Make_Obj(OBJ_FIXITEM, field));
        return true;
    });
    return !cut && budget >= 1;
}

// Whether a viewer with this sight budget sees the sight target at the
// distance, (dx, dy) away from its field f.
bool Sees_With(obj_ref viewer, std::uint16_t f, std::int32_t dx, std::int32_t dy, std::int32_t distance,
               std::int64_t budget) {
    return !Beyond_Budget(distance, budget) && Sight_Reaches(viewer, f, dx, dy, budget);
}

// The distance at which the viewer on field f sees the sight target, (dx,
// dy) away, NO_DISTANCE when it does not; both are on the map.
std::int32_t Sight_Distance_From(obj_ref viewer, std::uint16_t f, std::int32_t dx, std::int32_t dy) {
    const std::int64_t budget = Sight_Budget(Ask_Clamped(viewer, viewer, REQ_SIGHT));
    const std::int32_t distance = Step_Distance(dx, dy);
    return Sees_With(viewer, f, dx, dy, distance, budget) ? distance : NO_DISTANCE;
}

std::int32_t Sight_Distance(obj_ref viewer, bool in_sector_only) {
    const std::uint16_t f = Object_Field(viewer);
    if (f >= total_fields || sight_target >= total_fields) return NO_DISTANCE;
    // The facing test first: it is the cheaper one.
    if (in_sector_only && Scope(viewer, sight_target) == 0) return NO_DISTANCE;
    return Sight_Distance_From(viewer, f, sight_target_x - static_cast<std::int32_t>(Field_X(f)),
                               sight_target_y - static_cast<std::int32_t>(Field_Y(f)));
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

std::int32_t visi_dist_scope_at(obj_ref viewer, const Viewer_Place& at) {
    if (at.field >= total_fields || sight_target >= total_fields) return NO_DISTANCE;
    if (!Is_Facing(at.facing)) {
        Error_Query_Quit("Invalid direction in Scope");
        return NO_DISTANCE;
    }
    const std::int32_t dx = sight_target_x - at.x, dy = sight_target_y - at.y;
    if (!In_Facing_Sector(at.facing, dx, dy)) return NO_DISTANCE;
    // A line that the keenest eyes cannot see along is not seen along by
    // any: the viewer's sight is asked only when its line is clear enough.
    const std::int32_t distance = Step_Distance(dx, dy);
    const std::int64_t keenest = Sight_Budget(Greatest_Sight());
    if (!Sees_With(viewer, at.field, dx, dy, distance, keenest)) return NO_DISTANCE;
    const std::int64_t budget = Sight_Budget(Ask_Clamped(viewer, viewer, REQ_SIGHT));
    if (budget != keenest && !Sees_With(viewer, at.field, dx, dy, distance, budget)) return NO_DISTANCE;
    return distance;
}

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
    if (!Is_Facing(facing)) {
        Error_Query_Quit("Invalid direction in Scope");
        return 0;
    }
    const std::int32_t dx = static_cast<std::int32_t>(Field_X(field)) - static_cast<std::int32_t>(Field_X(own));
    const std::int32_t dy = static_cast<std::int32_t>(Field_Y(field)) - static_cast<std::int32_t>(Field_Y(own));
    return In_Facing_Sector(static_cast<std::int32_t>(facing), dx, dy) ? 1 : 0;
}

std::int32_t Field_Sight_Cost(obj_ref viewer, obj_ref field_head) {
    const std::uint16_t h = Obj_Index(field_head);
    if (h >= total_fields) return 0;
    if (mapfield[h] & MF_ASK_SIGHT) return Ask_Clamped(viewer, field_head, REQ_SIGHT_COST);
    if (memo.depth == 0 || h >= memo.kept.size()) return Clamp32(SIGHT_BASE_COST + Cover_Of_Objects(viewer, h));
    Kept_Cost& k = memo.kept[h];
    if (k.epoch != memo.epoch) k = {memo.epoch, Clamp32(SIGHT_BASE_COST + Cover_Of_Objects(viewer, h))};
    return k.cost;
}

std::int32_t Field_Base_Sight_Cost(obj_ref asker, obj_ref field_head) {
    const std::uint16_t h = Obj_Index(field_head);
    if (h >= total_fields) return 0;
    return Clamp32(Cover_Of_Objects(asker, h));
}
