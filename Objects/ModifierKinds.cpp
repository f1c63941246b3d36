// The handlers of the character, item and field-effect modifier kinds.
#include "Objects/ModifierKinds.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Geometry.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "Objects/ObserverGrid.h"
#include "Objects/PathCache.h"
#include "Objects/Timers.h"
#include "System/ErrorReport.h"
#include "System/Random.h"

namespace {

// A timer event the kinds send themselves for work that must not run
// inside the request walk that noticed it (reviving a corpse, an empty
// magic item vanishing): it arrives with the next advance of the clock.
constexpr request_no EVENT_SAFE_POINT = 177;

constexpr std::uint32_t BLEED_TICKS = 1920;
constexpr std::int32_t DYING_BELOW = -9;        // hit points below this: dead
constexpr std::uint8_t FIXITEM_FIRE_SLOT = 20;  // the burning of a stacked fixitem
constexpr std::uint16_t FLAME_ROUNDS = 6;
constexpr std::uint16_t FIXITEM_FIRE_ROUNDS = 3;
constexpr std::uint16_t FIELD_EFFECT_BITS = MF_DANGER | MF_ASK_ENTRY_COST | MF_ASK_SIGHT;
constexpr std::int8_t RELATION_MAX = 127;
constexpr std::int8_t RELATION_MIN = -128;
constexpr int CHARM_RISE = 100;
constexpr int CHARM_FALL = 140;

std::int16_t Signed(std::uint16_t v) { return static_cast<std::int16_t>(v); }

// A sum stored back into a parameter word: computed wide, kept within the
// word's signed range instead of wrapping.
std::uint16_t Signed_Word(std::int64_t v) { return static_cast<std::uint16_t>(Clamp16(v)); }

// Whether m is still the live modifier of owner (a nested request may have
// removed it).
bool Still_Attached(std::uint16_t m, obj_ref owner) {
    return m < mod_array.Capacity() && !Modifier_Is_Free(m) && mod_array.records[m].owner == owner;
}

obj_ref Caster_Of(const modifier& r) { return Make_Obj(r.p3, r.p4); }

void Mark_Field(obj_ref obj, std::uint16_t bits) {
    std::uint16_t field = Object_Field(obj);
    if (field < total_fields && field < mapfield.size())
        mapfield[field] = static_cast<std::uint16_t>(mapfield[field] | bits);
}

// ---- Burning ----

bool Is_Fire_Kind(std::uint32_t type) { return type == MK_FIRE || type == MK_FIRE_WALL; }

bool Carries_Fire(obj_ref obj) {
    bool burning = false;
    For_Each_In_Chain(Get_Mod_Index(obj), [&](std::uint16_t m) {
        const modifier& r = mod_array.records[m];
        if ((r.flags & MOD_INACTIVE) == 0 && Is_Fire_Kind(r.type)) burning = true;
    });
    return burning;
}

// The objects of a field after its head, map animations skipped.
std::vector<obj_ref> Field_Objects(std::uint16_t field) {
    std::vector<obj_ref> out;
    obj_ref cur = Field_Head(field);
    std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit; ++steps) {
        Next_Object_No_Anim(cur);
        if (Obj_Kind(cur) == OBJ_NONE) break;
        out.push_back(cur);
    }
    return out;
}

// A flame record: the built-in flame type, or the record a Fire on the
// field burns with.
bool Is_Flame_Record(std::uint16_t record, std::uint16_t field, const std::vector<obj_ref>& objects) {
    if (maparray.records[record].type == SLOT_FLAME) return true;
    auto names_it = [&](obj_ref holder) {
        bool found = false;
        For_Each_In_Chain(Get_Mod_Index(holder), [&](std::uint16_t m) {
            const modifier& r = mod_array.records[m];
            if (r.type == MK_FIRE && r.p2 == record) found = true;
        });
        return found;
    };
    if (names_it(Field_Head(field))) return true;
    for (obj_ref o : objects)
        if (Obj_Kind(o) == OBJ_FIXITEM && names_it(o)) return true;
    return false;
}

// A new fixitem of the type slot on the field; NO_INDEX when none was made.
std::uint16_t Put_Effect_Record(std::uint16_t field, std::uint8_t slot) {
    std::uint16_t i = New_Map_Record();
    if (i == NO_INDEX) return NO_INDEX;
    map_record& r = maparray.records[i];
    r.type = slot;
    r.frame = 0;
    r.hp = fixitem_types[slot].max_hp;
    Put_Object_To_Field(Make_Obj(OBJ_FIXITEM, i), field);
    return i;
}

// Takes an effect's own fixitem (fog, flame) off its field and frees it.
void Free_Effect_Record(std::uint16_t record) {
    if (record < total_fields || record >= maparray.Capacity() || Map_Record_Is_Free(record)) return;
    Destroy_Object(Make_Obj(OBJ_FIXITEM, record));
}

// A field that can burn and does not burn yet catches fire: a flame on it
// and a Fire of six rounds on its head.
void Ignite_Field(obj_ref asker, std::uint16_t field) {
    if (field >= total_fields) return;
    obj_ref head = Field_Head(field);
    if (Carries_Fire(head)) return;
    if (Ask_Or_Zero(asker, head, REQ_CAN_BURN) == 0) return;
    std::uint16_t flame = Put_Effect_Record(field, SLOT_FLAME);
    if (flame == NO_INDEX) return;
    Add_Modifier(0, head, MK_FIRE, FLAME_ROUNDS, flame, 0, 0);
}

void Effect_Hit(obj_ref source, act_desc& effect, std::uint16_t field) {
    if (field >= total_fields) return;
    Effect_Execute(source, &effect, One_Field_Target_List(field));
}

// ---- Field effects: Evil Fog, Fire Wall, Fire ----

enum class FieldEffect { EvilFog, FireWall, Fire };

struct FieldEffectKind {
    act_desc* hit;
    std::int32_t sight_loss;
    std::int16_t spread_below;  // rounds left below which the fire spreads; 0 never
};

const FieldEffectKind& Kind_Of(FieldEffect e) {
    static const FieldEffectKind kinds[] = {
        {&evil_fog_hit, 25, 0},
        {&fire_wall_hit, 80, 4},
        {&fire_hit, 80, 3},
    };
    return kinds[static_cast<int>(e)];
}

// The hit source: the caster, but for Fire the field head itself.
obj_ref Hit_Source(FieldEffect e, const modifier& r) {
    if (e == FieldEffect::Fire) return Field_Head(Object_Field(r.owner));
    return Caster_Of(r);
}

// Burning out: burnable items burn up, burnable fixitems catch fire, Fire
// takes its flame away, and the modifier removes itself.
void Burn_Out(FieldEffect e, std::uint16_t m, const modifier& r) {
    obj_ref owner = r.owner;
    std::uint16_t field = Object_Field(owner);
    if (field < total_fields) {
        std::vector<obj_ref> objects = Field_Objects(field);
        for (obj_ref o : objects)
            if (Obj_Kind(o) == OBJ_ITEM && !Item_Record_Is_Free(Obj_Index(o)) &&
                Ask_Or_Zero(owner, o, REQ_CAN_BURN) != 0)
                Destroy_Object(o);
        // Only what stood there before: a new record never catches fire in
        // the same burn-out, and nothing burns twice at once.
        objects = Field_Objects(field);
        for (obj_ref o : objects) {
            if (Obj_Kind(o) != OBJ_FIXITEM) continue;
            std::uint16_t i = Obj_Index(o);
            if (Map_Record_Is_Free(i) || Is_Flame_Record(i, field, objects) || Carries_Fire(o)) continue;
            if (Ask_Or_Zero(owner, o, REQ_CAN_BURN) == 0) continue;
            std::uint16_t flame = Put_Effect_Record(field, FIXITEM_FIRE_SLOT);
            if (flame != NO_INDEX) Add_Modifier(0, o, MK_FIRE, FIXITEM_FIRE_ROUNDS, flame, 0, 0);
        }
    }
    if (e == FieldEffect::Fire) Free_Effect_Record(r.p2);
    if (Still_Attached(m, owner)) Remove_Modifier(owner, m);
}

void Spread_Fire(obj_ref owner, std::uint16_t field) {
    int d = Random(6) + 1;
    std::uint16_t target = Neighbour_Field(field, d);
    if (target == NO_FIELD) target = field;  // at the map's edge the fire stays
    Ignite_Field(owner, target);
}

void Count_Round(FieldEffect e, std::uint16_t m) {
    modifier r = mod_array.records[m];
    const std::int32_t left = Signed(r.p1) - 1;
    mod_array.records[m].p1 = Signed_Word(left);
    std::uint16_t field = Object_Field(r.owner);
    if (left <= 0) {
        if (e == FieldEffect::EvilFog) {
            Free_Effect_Record(r.p2);
            if (Still_Attached(m, r.owner)) Remove_Modifier(r.owner, m);
        } else {
            Burn_Out(e, m, r);
        }
        return;
    }
    Timer_Add(ROUND_TICKS, m, REQ_TIMER);
    const FieldEffectKind& kind = Kind_Of(e);
    if (kind.spread_below > 0 && left < kind.spread_below && field < total_fields) Spread_Fire(r.owner, field);
    Effect_Hit(Hit_Source(e, r), *kind.hit, field);
}

RequestValue Lower_Spell_Skill(RequestValue value) {
    if (Random(2) != 0) return std::max<RequestValue>(value - 100, 0);
    return value;
}

RequestValue Field_Effect(FieldEffect e, obj_ref subject, obj_ref obj, std::uint16_t m, request_no request,
                          RequestValue value) {
    const modifier r = mod_array.records[m];
    const FieldEffectKind& kind = Kind_Of(e);
    switch (request) {
        case REQ_STEPPED_ON:
            // Asked of the field head and then of the character: the field
            // hits once, when it is asked itself.
            if (obj == r.owner) Effect_Hit(Hit_Source(e, r), *kind.hit, Object_Field(r.owner));
            return value;
        case REQ_SIGHT: return value - kind.sight_loss;
        case REQ_SPELL_SKILL:
            if (e == FieldEffect::EvilFog && Resist_Check(Caster_Of(r), subject, REQ_PROT_WATER_2, 0, 5)) return value;
            return Lower_Spell_Skill(value);
        case REQ_COVER: return value + 25;
        case REQ_DANGER: {
            std::int64_t danger;
            if (e == FieldEffect::EvilFog) {
                Resist_Check(Caster_Of(r), subject, REQ_PROT_WATER_2, 0, 5);
                danger = (100 - static_cast<std::int64_t>(resist_margin)) * (5 * danger_scale + danger_unit) / 10000;
            } else {
                if (e == FieldEffect::FireWall)
                    Resist_Check(Caster_Of(r), subject, REQ_PROT_FIRE_2, 10, 5);
                else
                    Resist_Check(Hit_Source(e, r), subject, REQ_PROT_FIRE_2, 0, 0);
                danger = (100 - static_cast<std::int64_t>(resist_margin)) * 5 * danger_scale / 10000 + danger_unit / 2;
            }
            return value + static_cast<RequestValue>(Clamp32(danger));
        }
        case REQ_ATTACHED:
            // An object placed on the field is told 174 through this chain
            // too; only the effect's own attachment starts it.
            if (obj != r.owner) return value;
            if (e != FieldEffect::EvilFog) Fixitem_Get_Worse(Field_Head(Object_Field(r.owner)));
            Mark_Field(r.owner, FIELD_EFFECT_BITS);
            if (e == FieldEffect::Fire)
                Timer_Add(ROUND_TICKS, m, REQ_TIMER);
            else
                Count_Round(e, m);
            return value;
        case REQ_REMOVED:
            if (e == FieldEffect::FireWall) End_MapAnim_After_Cycle(r.p2, r.owner);
            return value;
        case REQ_TIMER: Count_Round(e, m); return value;
        default: return value;
    }
}

// ---- Corpse ----

RequestValue Body_Hit_Points(obj_ref subject, obj_ref body, RequestValue other) {
    return Ask_Or_Zero(subject, body, REQ_HIT_POINTS, other);
}

bool Dying(RequestValue hp) { return hp >= DYING_BELOW && hp <= -1; }

RequestValue Corpse_Name(obj_ref subject, obj_ref body, RequestValue other) {
    static char text[64];
    const char* prefix = Body_Hit_Points(subject, body, other) < DYING_BELOW ? "Dead " : "Unconsious ";
    const char* name = Value_Pointer<const char>(Object_Request(subject, body, other, REQ_NAME, 0));
    std::snprintf(text, sizeof text, "%s%.40s", prefix, name != nullptr ? name : "");
    return Pointer_Value(text);
}

bool Passed_To_Body(request_no request) {
    switch (request) {
        case REQ_HIT_POINTS:
        case REQ_MAX_HIT_POINTS:
        case REQ_LOBBY:
        case REQ_RACE_BYTE:
        case REQ_RACE:
        case REQ_PROFESSION:
        case REQ_SET_HIT_POINTS:
        case REQ_132: return true;
        default: return request >= 21 && request <= REQ_IQ;
    }
}

// A body whose character has come round: the character stands up on the
// body's field and the body is gone. Done at a safe point only.
void Revive_If_Healed(obj_ref subject, std::uint16_t m, obj_ref item, obj_ref body, RequestValue other,
                      request_no request) {
    if (Body_Hit_Points(subject, body, other) <= 0) return;
    obj_ref place = itemarray.records[Obj_Index(item)].owner;
    std::uint16_t f = Obj_Index(place);
    if (Obj_Kind(place) != OBJ_FIXITEM || f >= total_fields) return;
    if (Ask_Or_Zero(subject, Field_Head(f), REQ_Y) == 0) return;
    if (request != EVENT_SAFE_POINT) {
        if (!Timer_Pending(m, EVENT_SAFE_POINT)) Timer_Add(0, m, EVENT_SAFE_POINT);
        return;
    }
    Put_Object_To_Field(body, f);
    Destroy_Object(item);
}

}  // namespace

RequestValue Mod_Dumb(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) {
    Error_Query_Quit("Danger!!! 0. modifier!!!");
    return value;
}

RequestValue Mod_Corpse(obj_ref subject, obj_ref, RequestValue other, std::uint16_t m, request_no request,
                        RequestValue value) {
    if (request == REQ_REMOVED) return value;
    const modifier r = mod_array.records[m];
    obj_ref item = r.owner;
    std::uint16_t c = r.p1;
    if (Obj_Kind(item) != OBJ_ITEM || Obj_Index(item) >= itemarray.Capacity() || !Char_In_Use(c)) return value;
    obj_ref body = Make_Obj(OBJ_CHAR, c);

    std::uint16_t field = Object_Field(item);
    if (field < total_fields) {
        char_record& rec = chararray.records[c];
        rec.x = static_cast<std::int16_t>(Field_X(field));
        rec.y = static_cast<std::int16_t>(Field_Y(field));
        rec.map_level = static_cast<std::int16_t>(Field_Level(field));
        Observer_Grid_Moved(body);
    }

    switch (request) {
        case REQ_NAME:
        case REQ_ITEM_NAME:
        case REQ_ITEM_DISPLAY_NAME: value = Corpse_Name(subject, body, other); break;
        case REQ_ACTIVE:
        case REQ_83: value = 0; break;
        case REQ_PERCEPTION: value = r.p1; break;
        case REQ_PICTURE: value = r.p2; break;
        case REQ_PICTURE_2: value = r.p3; break;
        case REQ_CHANGE_HIT_POINTS:
        case REQ_133:
        case REQ_134:
        case REQ_ADD_MANA_FIRE:
        case REQ_ADD_MANA_WATER:
        case REQ_ADD_MANA_AIR:
        case REQ_ADD_MANA_EARTH:
        case REQ_SET_MANA_FIRE:
        case REQ_SET_MANA_WATER:
        case REQ_SET_MANA_AIR:
        case REQ_SET_MANA_EARTH:
            if (Body_Hit_Points(subject, body, other) >= DYING_BELOW)
                value = Object_Request(subject, body, other, request, value);
            break;
        case REQ_ATTACHED:
            itemarray.records[Obj_Index(item)].recognize = 100;
            Object_Request(subject, body, other, REQ_SET_ACTION_POINTS, 0);
            Object_Request(subject, body, other, REQ_132, 0);
            if (Still_Attached(m, item)) mod_array.records[m].p4 = 0;
            if (Dying(Body_Hit_Points(subject, body, other))) Timer_Add(BLEED_TICKS, m, REQ_TIMER);
            break;
        case REQ_TIMER:  // bleeding
            Object_Request(subject, body, other, REQ_CHANGE_HIT_POINTS, -1);
            if (Dying(Body_Hit_Points(subject, body, other))) Timer_Add(BLEED_TICKS, m, REQ_TIMER);
            break;
        default:
            if (Passed_To_Body(request)) value = Object_Request(subject, body, other, request, value);
            break;
    }

    if (!Still_Attached(m, item)) return value;
    if (Body_Hit_Points(subject, body, other) < DYING_BELOW && mod_array.records[m].p4 == 0) {
        Object_Request(subject, body, other, REQ_SET_MANA_FIRE, 0);
        Object_Request(subject, body, other, REQ_SET_MANA_WATER, 0);
        Object_Request(subject, body, other, REQ_SET_MANA_AIR, 0);
        Object_Request(subject, body, other, REQ_SET_MANA_EARTH, 0);
        if (Still_Attached(m, item)) mod_array.records[m].p4 = static_cast<std::uint16_t>(game_clock & 0xFFFF);
    }
    if (Still_Attached(m, item)) Revive_If_Healed(subject, m, item, body, other, request);
    return value;
}

RequestValue Mod_Iron_Skin(obj_ref, obj_ref, RequestValue, std::uint16_t m, request_no request, RequestValue value) {
    if (request != REQ_CHANGE_HIT_POINTS) return value;
    if (value < 0) value += Signed(mod_array.records[m].p1);
    return value > 0 ? 0 : value;
}

RequestValue Mod_Haste(obj_ref, obj_ref obj, RequestValue, std::uint16_t, request_no request, RequestValue value) {
    if (request == REQ_MAX_ACTION_POINTS) return value * 2;
    if (request == REQ_ATTACHED && Obj_Kind(obj) == OBJ_CHAR && Char_In_Use(Obj_Index(obj))) {
        char_record& c = chararray.records[Obj_Index(obj)];
        c.action_points = static_cast<std::int16_t>(std::clamp(c.action_points * 2, -32768, 32767));
    }
    return value;
}

RequestValue Mod_Magic_Armour(obj_ref, obj_ref, RequestValue, std::uint16_t m, request_no request, RequestValue value) {
    switch (request) {
        case REQ_DEFENCE: return value + Signed(mod_array.records[m].p1);
        case REQ_PROT_WATER: return value + 20;
        case REQ_PROT_WATER_2: return value + 100;
        default: return value;
    }
}

RequestValue Mod_Giant_Strength(obj_ref, obj_ref, RequestValue, std::uint16_t m, request_no request,
                                RequestValue value) {
    if (request == REQ_STRENGTH) return value + Signed(mod_array.records[m].p1);
    return value;
}

RequestValue Mod_Multiple_Items(obj_ref, obj_ref, RequestValue, std::uint16_t m, request_no request,
                                RequestValue value) {
    modifier& r = mod_array.records[m];
    switch (request) {
        case REQ_STACK_COUNT: return Signed(r.p1);
        case REQ_STACK_ADD: r.p1 = Signed_Word(static_cast<std::int64_t>(Signed(r.p1)) + value); return value;
        case REQ_98: return Signed(r.p2);
        default: return value;
    }
}

RequestValue Mod_Magic_Object(obj_ref, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                              RequestValue value) {
    const modifier r = mod_array.records[m];
    switch (request) {
        case REQ_OPERATE:
            if (r.p2 != 0 && r.p1 < SPELL_COUNT && spell_table[r.p1].act != nullptr)
                Effect_Start(obj, spell_table[r.p1].act, nullptr);
            return value;
        case REQ_AMMO: {
            std::int64_t ammo = static_cast<std::int64_t>(Signed(r.p2)) + value;
            if (ammo < 1) {
                ammo = 0;
                // The item is asked from its own walk: it vanishes at the
                // next advance of the clock.
                if (r.p3 != 0 && !Timer_Pending(m, EVENT_SAFE_POINT)) Timer_Add(0, m, EVENT_SAFE_POINT);
            }
            mod_array.records[m].p2 = Signed_Word(ammo);
            return value;
        }
        case EVENT_SAFE_POINT:
            if (r.p2 == 0 && r.p3 != 0) Destroy_Object(r.owner);
            return value;
        default: return value;
    }
}

RequestValue Mod_Evil_Fog(obj_ref subject, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                          RequestValue value) {
    return Field_Effect(FieldEffect::EvilFog, subject, obj, m, request, value);
}

RequestValue Mod_Fire_Wall(obj_ref subject, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                           RequestValue value) {
    return Field_Effect(FieldEffect::FireWall, subject, obj, m, request, value);
}

RequestValue Mod_Fire(obj_ref subject, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                      RequestValue value) {
    return Field_Effect(FieldEffect::Fire, subject, obj, m, request, value);
}

RequestValue Mod_Living_Torch(obj_ref subject, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                              RequestValue value) {
    const modifier r = mod_array.records[m];
    obj_ref owner = r.owner;
    std::uint16_t field = Object_Field(owner);
    auto on_water = [&] { return field < total_fields && Ask_Or_Zero(owner, Field_Head(field), REQ_WATER) != 0; };
    switch (request) {
        case REQ_STEPPED_ON:
            if (!on_water()) {
                if (Random(3) == 0) Ignite_Field(owner, field);
            } else {
                Remove_Modifier(owner, m);
            }
            return value;
        case REQ_SIGHT: return value - 80;
        case REQ_SPELL_SKILL: return Lower_Spell_Skill(value);
        case REQ_DIED:
        case REQ_FELL:
            End_MapAnim_After_Cycle(r.p2, owner);
            Remove_Modifier(owner, m);
            return value;
        case REQ_ATTACHED:
        case REQ_TIMER: {
            const std::int32_t left = Signed(r.p1) - 1;
            mod_array.records[m].p1 = Signed_Word(left);
            if (left <= 0) {
                Remove_Modifier(owner, m);
                return value;
            }
            Timer_Add(ROUND_TICKS, m, REQ_TIMER);
            if (!on_water() && Random(3) == 0) Ignite_Field(owner, field);
            obj_ref caster = Caster_Of(r);
            std::int32_t damage =
                Random(4) + 1 + static_cast<std::int32_t>(Ask_Or_Zero(caster, caster, REQ_CHAR_LEVEL));
            if (Resist_Check(subject, obj, REQ_PROT_FIRE_2, 10, 5)) damage /= 2;
            Object_Request(caster, owner, 0, REQ_CHANGE_HIT_POINTS, -damage);
            return value;
        }
        case REQ_REMOVED: End_MapAnim_After_Cycle(r.p2, owner); return value;
        default: return value;
    }
}

RequestValue Mod_Silence(obj_ref, obj_ref obj, RequestValue, std::uint16_t m, request_no request, RequestValue value) {
    const modifier r = mod_array.records[m];
    switch (request) {
        case REQ_SILENCE: return value + 100;
        case REQ_ATTACHED:
            if (obj != r.owner) return value;  // another object placed on the field
            Mark_Field(r.owner, MF_ASK_SIGHT);
            Timer_Add(static_cast<std::uint32_t>(r.p1) * ROUND_TICKS, m, REQ_TIMER);
            return value;
        case REQ_TIMER: Remove_Modifier(r.owner, m); return value;
        default: return value;
    }
}

namespace {

// The charmed character's relation cell towards the caster's slot.
std::int8_t* Charm_Relation(obj_ref charmed, std::uint16_t caster_slot) {
    if (Obj_Kind(charmed) != OBJ_CHAR || !Char_In_Use(Obj_Index(charmed))) return nullptr;
    return Relation_Cell(chararray.records[Obj_Index(charmed)].ai_slot, caster_slot);
}

}  // namespace

RequestValue Mod_Charm(obj_ref, obj_ref, RequestValue, std::uint16_t m, request_no request, RequestValue value) {
    const modifier r = mod_array.records[m];
    obj_ref owner = r.owner;
    if (request == REQ_ATTACHED) {
        RequestValue caster = -1;
        if (r.p3 == OBJ_CHAR)
            caster = r.p4;
        else if (r.p3 == OBJ_ITEM)
            caster = Object_Request(owner, Make_Obj(OBJ_ITEM, r.p4), 0, REQ_CARRIER, -1);
        std::int8_t* cell = nullptr;
        std::uint16_t caster_slot = NO_INDEX;
        if (caster >= 0 && caster < 0xFFFF && Char_In_Use(static_cast<std::uint16_t>(caster))) {
            caster_slot = chararray.records[static_cast<std::uint16_t>(caster)].ai_slot;
            cell = Charm_Relation(owner, caster_slot);
        }
        // No caster, or no slots to relate: the charm has nothing to do.
        if (cell == nullptr) {
            Remove_Modifier(owner, m);
            return value;
        }
        mod_array.records[m].p3 = caster_slot;
        *cell = static_cast<std::int8_t>(std::min(*cell + CHARM_RISE, static_cast<int>(RELATION_MAX)));
        Timer_Add(static_cast<std::uint32_t>(r.p1) * ROUND_TICKS, m, REQ_TIMER);
    } else if (request == REQ_TIMER) {
        if (std::int8_t* cell = Charm_Relation(owner, r.p3))
            *cell = static_cast<std::int8_t>(std::max(*cell - CHARM_FALL, static_cast<int>(RELATION_MIN)));
        Remove_Modifier(owner, m);
    }
    return value;
}

// ---- The hits of the field effects ----

RequestValue Evil_Fog_Hit(obj_ref source, obj_ref target, act_desc*, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return NO_VALUE;
    std::int32_t damage = Random(4) + 2;
    if (!Resist_Check(source, target, REQ_PROT_WATER_2, 0, 5))
        Object_Request(source, target, 0, REQ_CHANGE_HIT_POINTS, -damage);
    return value;
}

RequestValue Fire_Hit(obj_ref source, obj_ref target, act_desc*, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return NO_VALUE;
    std::int32_t damage = Random(4) + 3;
    if (Resist_Check(source, target, REQ_PROT_FIRE_2, 0, 0)) damage /= 4;
    Object_Request(source, target, 0, REQ_CHANGE_HIT_POINTS, -damage);
    return value;
}

RequestValue Fire_Wall_Hit(obj_ref source, obj_ref target, act_desc*, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return NO_VALUE;
    std::int32_t damage = Random(8) + 4 + static_cast<std::int32_t>(Ask_Or_Zero(source, source, REQ_CHAR_LEVEL));
    if (Resist_Check(source, target, REQ_PROT_FIRE_2, 10, 5)) damage /= 2;
    Object_Request(source, target, 0, REQ_CHANGE_HIT_POINTS, -damage);
    return value;
}
