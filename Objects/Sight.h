// Sight: whether an object sees a field, and how well, by spending a sight
// budget on what stands on the straight hex line between them; the facing
// sector of a character.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

// The sight target of visi_dist and visi_dist_scope.
extern std::uint16_t sight_target;
extern std::int32_t sight_target_x;
extern std::int32_t sight_target_y;
extern std::int16_t sight_range;  // the range given times 5
// No sight target.
void Reset_Sight_State();

constexpr std::int32_t SIGHT_BASE_COST = 5;
constexpr std::int32_t SEEN_NOWHERE = -2;

void Set_Sight_Target(std::uint16_t field, std::uint16_t range);
// Hex distance from the viewer to the sight target when it is seen inside
// the viewer's facing sector, else NO_DISTANCE (0x7FFFFFFF).
std::int32_t visi_dist_scope(obj_ref viewer);
// The same without the facing test.
std::int32_t visi_dist(obj_ref viewer);
// Where a character stands, by field and by column and row on its level,
// and which way it faces.
struct Viewer_Place {
    std::uint16_t field;
    std::int32_t x, y;
    std::int32_t facing;
};
// visi_dist_scope for a character standing and facing as given: for
// callers that know nothing answers the facing question but the record.
std::int32_t visi_dist_scope_at(obj_ref viewer, const Viewer_Place& at);
// Whether a facing is one of the six directions.
inline bool Is_Facing(std::int64_t facing) { return facing >= 1 && facing <= 6; }
// Whether the step (dx, dy) from a character facing so lies in its facing
// sector; false for a facing out of 1..6.
inline bool In_Facing_Sector(std::int64_t facing, std::int32_t dx, std::int32_t dy) {
    switch (facing) {
        case 1: return dx >= 0 && (dy >= 0 || dx >= -dy);
        case 2: return dy >= 0 && (dx >= 0 || dy >= -dx);
        case 3: return dy >= 0 && dx <= 0;
        case 4: return dx <= 0 && (dy <= 0 || -dx >= dy);
        case 5: return dy <= 0 && (dx <= 0 || -dy >= dx);
        case 6: return dx >= 0 && dy <= 0;
        default: return false;
    }
}
// The farthest distance at which a viewer whose request 70 is at most
// greatest_sight can see the sight target; SEEN_NOWHERE when none can.
std::int32_t Farthest_Sight(std::int64_t greatest_sight);
// The sight budget left at b, 0 when a does not see it.
std::int32_t visible_percent(obj_ref a, obj_ref b);
// 100 minus the cover between a and b, 0 when blocked.
std::int32_t base_visible_percent(obj_ref a, obj_ref b);
// 1 when the field lies in the character's facing sector.
int Scope(obj_ref character, std::uint16_t field);
std::int32_t Field_Sight_Cost(obj_ref viewer, obj_ref field_head);
std::int32_t Field_Base_Sight_Cost(obj_ref asker, obj_ref field_head);

// While one lives, the sight cost of a field that does not ask its objects
// (no MF_ASK_SIGHT) is worked out once and kept: for a loop that looks along
// many lines while nothing on the map changes. Sound only while no modifier
// kind makes a character's cover depend on who asks (the kinds as built).
// Forget_Sight_Costs drops what was kept, for when something may have
// changed meanwhile.
class Sight_Cost_Scope {
  public:
    Sight_Cost_Scope();
    ~Sight_Cost_Scope();
    Sight_Cost_Scope(const Sight_Cost_Scope&) = delete;
    Sight_Cost_Scope& operator=(const Sight_Cost_Scope&) = delete;
};
void Forget_Sight_Costs();
