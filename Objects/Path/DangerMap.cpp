// The danger map: fields next to visible, hostile, active enemies cost
// their threat to enter; and the danger of standing on a field.
#include "Objects/PathSearch.h"

#include <algorithm>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Geometry.h"
#include "Objects/Map.h"
#include "Objects/Path/PathWork.h"
#include "Objects/Request.h"
#include "Objects/Sight.h"

std::int32_t danger_limit = 0;

void Reset_Danger_Limit() { danger_limit = 0; }

namespace {

// Adds danger to a field of the danger map; the sum stops at 127.
void Add_Danger(std::uint16_t field, std::int32_t danger) {
    std::int32_t sum = std::min<std::int32_t>(MAX_FIELD_COST, danger_map[field] + std::max(danger, 0));
    danger_map[field] = static_cast<std::uint8_t>(sum);
    field_cost[field] = static_cast<std::uint8_t>(COST_NOT_COMPUTED | sum);
}

// Whether slot a counts as hostile to slot b; slots outside the relation
// matrix are not.
bool Hostile(std::int64_t a, std::int64_t b) {
    if (a < 0 || b < 0 || a >= NO_INDEX || b >= NO_INDEX) return false;
    return Is_Hostile(static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b));
}

}  // namespace

void Fill_No_Danger() {
    std::fill(field_cost.begin(), field_cost.end(), COST_NOT_COMPUTED);
    std::fill(danger_map.begin(), danger_map.end(), 0);
}

void Set_Danger_Limits(obj_ref character) {
    const std::int64_t hp = Ask_Clamped(character, character, REQ_HIT_POINTS);
    const std::int64_t braveness = Ask_Clamped(character, character, REQ_BRAVENESS);
    danger_limit = Clamp32(hp * braveness / 50);
    danger_scale = DANGER_SCALE;
    danger_unit = DANGER_UNIT;
}

void Clear_Danger_Map() {
    if (Path_Arrays_Ready()) Fill_No_Danger();
}

std::int32_t Enemy_Threat(obj_ref enemy, obj_ref character) {
    const std::int32_t attack = Ask_Clamped(character, enemy, REQ_ATTACK);
    const std::int32_t defence = Ask_Clamped(character, character, REQ_DEFENCE);
    const std::int64_t damage = (static_cast<std::int64_t>(Ask_Clamped(character, enemy, REQ_DAMAGE_MIN)) +
                                 Ask_Clamped(character, enemy, REQ_DAMAGE_MAX)) /
                                2;
    const std::int64_t dealt = Hit_Damage(attack, defence, Clamp32(damage), 1);
    return Clamp32(dealt * danger_scale / 100);
}

void Build_Danger_Map(obj_ref character) {
    if (!Path_Arrays_Ready()) return;
    Fill_No_Danger();
    Set_Danger_Limits(character);
    const std::uint16_t own_slot = Obj_Kind(character) == OBJ_CHAR && Char_In_Use(Obj_Index(character))
                                       ? chararray.records[Obj_Index(character)].ai_slot
                                       : NO_INDEX;
    for (std::uint16_t s = 0; s < iqarray.Capacity(); ++s) {
        const obj_ref enemy = iqarray.records[s].object;
        if (Obj_Kind(enemy) == OBJ_NONE || s == own_slot) continue;
        if (Ask_Clamped(character, enemy, REQ_ACTIVE) == 0) continue;
        if (!Hostile(s, own_slot)) continue;
        const std::uint16_t field = Object_Field(enemy);
        if (field >= total_fields) continue;
        Set_Sight_Target(field, DANGER_SIGHT_RANGE);
        if (visi_dist(character) == NO_DISTANCE) continue;
        const std::int32_t threat = Enemy_Threat(enemy, character);
        for (int k = 1; k <= 6; ++k) {
            const std::uint16_t n = Neighbour_Field(field, k);
            if (n != NO_FIELD) Add_Danger(n, threat);
        }
    }
}

std::int32_t Field_Danger(obj_ref character, std::uint16_t field) {
    if (field >= total_fields) return NO_DISTANCE;
    std::int64_t danger = Ask_Clamped(character, Field_Head(field), REQ_DANGER);
    const std::uint16_t own = Obj_Kind(character) == OBJ_CHAR ? Obj_Index(character) : NO_INDEX;
    const std::uint16_t standing = Char_On_Field(field);
    if (standing != NO_INDEX && standing != own) return NO_DISTANCE;
    const std::int32_t own_slot = Ask_Clamped(character, character, REQ_AI_SLOT);
    for (int k = 1; k <= 6; ++k) {
        const std::uint16_t n = Neighbour_Field(field, k);
        if (n == NO_FIELD) continue;
        const std::uint16_t o = Char_On_Field(n);
        if (o == NO_INDEX || o == own) continue;
        const obj_ref other = Make_Obj(OBJ_CHAR, o);
        if (Ask_Clamped(character, other, REQ_ACTIVE) == 0) continue;
        if (!Hostile(Ask_Clamped(character, other, REQ_AI_SLOT), own_slot)) continue;
        danger += Enemy_Threat(other, character);
    }
    // However great, the danger of a free field never reads as "occupied".
    return std::min<std::int64_t>(Clamp32(danger), NO_DISTANCE - 1);
}
