// The base rules of the requests: the generic rule of each request, then
// the rule of the object's kind (character, item, fixitem), which
// overrides. A request neither knows keeps the incoming value.
#include "Objects/Requests.h"

#include <cstring>

#include "Objects/Char/Characters.h"
#include "Objects/CombatRules.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"

namespace {

// Generic answers.
constexpr RequestValue BASE_SIGHT = 100;
constexpr RequestValue BASE_PERCENT = 100;
constexpr RequestValue ATTACK_PRIORITY_CAP = 70;
constexpr RequestValue DEFAULT_LOBBY = 34;
constexpr RequestValue BASE_SPELL_SKILL = 100;
constexpr RequestValue BASE_SILENCE = 5;
constexpr RequestValue BASE_SIGHT_COST = 5;
// Character answers.
constexpr RequestValue MAX_ACTION_POINTS = 12;
constexpr RequestValue STEP_NOISE = 4;
constexpr RequestValue CHAR_COVER = 30;
constexpr RequestValue INACTIVE_ENTRY_COST = 2;
constexpr RequestValue OBJECT_BRAVENESS = 100;
// The race number is the race byte less these values, by its top two bits:
// bits 0-5 are the place within the category's rows of race_names (humans
// from row 0, animals from 4, monsters from 10, animal monsters from 13).
constexpr RequestValue RACE_BASES[4] = {0, 60, 118, 179};

bool Is_Field_Head(obj_ref object) { return Obj_Kind(object) == OBJ_FIXITEM && Obj_Index(object) < total_fields; }

// Calls f(obj) for the field head and then every object of its list, map
// animations skipped, until f returns false.
template <class F>
void For_Each_Field_Object(std::uint16_t field, F&& f) {
    obj_ref cur = Make_Obj(OBJ_FIXITEM, field);
    std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit && Obj_Kind(cur) != OBJ_NONE; ++steps) {
        obj_ref next = cur;
        Next_Object_No_Anim(next);
        if (!f(cur)) return;
        cur = next;
    }
}

// Sum of request over the field's objects that pass the filter; -1 as soon
// as one answers below 0.
template <class Filter>
RequestValue Sum_Of_Costs(std::uint16_t field, obj_ref subject, RequestValue other, request_no request, Filter keep) {
    RequestValue sum = 0;
    For_Each_Field_Object(field, [&](obj_ref o) {
        if (!keep(o)) return true;
        RequestValue cost = Ask_Or_Zero(subject, o, request, other);
        if (cost < 0) {
            sum = -1;
            return false;
        }
        sum += cost;
        return true;
    });
    return sum;
}

void Set_Field_Bit(std::uint16_t field, std::uint16_t bit, RequestValue value) {
    if (value & 1)
        mapfield[field] = static_cast<std::uint16_t>(mapfield[field] | bit);
    else
        mapfield[field] = static_cast<std::uint16_t>(mapfield[field] & ~bit);
}

// The generic rules that walk the objects of the field.
bool Walks_The_Field(request_no request) {
    return request == REQ_ENTRY_COST || request == REQ_FIXED_COST || request == REQ_OPERATE ||
           request == REQ_FIELD_COVER || request == REQ_SIGHT_COST;
}

RequestValue Field_Walk_Rule(const Located& at, obj_ref subject, obj_ref object, RequestValue other, request_no request,
                             RequestValue value) {
    const bool on_map = at.field < total_fields && at.field < mapfield.size();
    switch (request) {
        case REQ_ENTRY_COST:
            if (!on_map) return value;
            if (mapfield[at.field] & MF_BLOCKED) return -1;
            return Sum_Of_Costs(at.field, subject, other, REQ_ENTRY_COST_SUM, [](obj_ref) { return true; });
        case REQ_FIXED_COST:
            if (!on_map) return value;
            return Sum_Of_Costs(at.field, subject, other, REQ_ENTRY_COST_SUM,
                                [](obj_ref o) { return Obj_Kind(o) == OBJ_FIXITEM; });
        case REQ_OPERATE: {
            if (!Is_Field_Head(object)) return 0;
            RequestValue used = 0;
            For_Each_Field_Object(Obj_Index(object), [&](obj_ref o) {
                if (Obj_Kind(o) == OBJ_FIXITEM && o != object)
                    used |= Object_Request(subject, o, other, REQ_OPERATE, used);
                return true;
            });
            return used;
        }
        case REQ_FIELD_COVER: {
            if (!on_map) return value;
            RequestValue cover = 0;
            For_Each_Field_Object(at.field, [&](obj_ref o) {
                cover += Ask_Or_Zero(subject, o, REQ_COVER, other);
                return true;
            });
            return cover;
        }
        case REQ_SIGHT_COST: {
            if (!on_map) return value;
            RequestValue cost = BASE_SIGHT_COST;
            For_Each_Field_Object(at.field, [&](obj_ref o) {
                std::uint16_t kind = Obj_Kind(o);
                if (kind != OBJ_FIXITEM && kind != OBJ_CHAR) return true;
                if (Ask_Or_Zero(subject, o, REQ_NO_OBSTRUCT, other) != 0) return true;
                RequestValue cover = Ask_Or_Zero(subject, o, REQ_COVER, other);
                cost += kind == OBJ_CHAR ? cover / 2 : cover;
                return true;
            });
            return cost;
        }
        default: return value;
    }
}

bool On_Map(const Located& at) { return at.field < total_fields && at.field < mapfield.size(); }

// The generic rules that need nothing but the located position.
RequestValue Generic_Rule(const Located& at, request_no request, RequestValue value) {
    switch (request) {
        case REQ_X: return at.x;
        case REQ_Y: return at.y;
        case REQ_LEVEL: return at.level;
        case REQ_FIELD: return at.field;
        case REQ_TRANSPORT_DEST: return -1;
        case REQ_SET_BLOCKED:
            if (On_Map(at)) Set_Field_Bit(at.field, MF_BLOCKED, value);
            return value;
        case REQ_SET_BIT_10:
            if (On_Map(at)) Set_Field_Bit(at.field, MF_BIT_10, value);
            return value;
        case REQ_SET_BIT_20:
            if (On_Map(at)) Set_Field_Bit(at.field, MF_BIT_20, value);
            return value;
        case REQ_MAIN_CHAR: return 0;
        case REQ_SIGHT: return BASE_SIGHT;
        case REQ_PERCENT: return BASE_PERCENT;
        case REQ_HOSTILITY_BASE: return 0;
        case REQ_ATTACK_PRIORITY_CAP: return ATTACK_PRIORITY_CAP;
        case REQ_LOBBY: return DEFAULT_LOBBY;
        case REQ_AI_SLOT: return NO_VALUE;
        case REQ_RELATION_BONUS: return 0;
        case REQ_SPELL_SKILL: return BASE_SPELL_SKILL;
        case REQ_COVER: return 0;
        case REQ_SILENCE: return BASE_SILENCE;
        case REQ_115: return 0;
        case REQ_DANGER: return 0;
        default: return value;
    }
}

// The skill word answering requests 45..56, in request order.
constexpr int SKILL_OF_REQUEST[12] = {WS_MACES, WS_PIKES,   WS_SWORDS,     WS_AXES,      WS_KNIVES,     WS_ASSASSIN,
                                      WS_BOWS,  WS_SHIELDS, WS_TWO_HANDED, WS_LEFT_HAND, WS_LEADERSHIP, WS_FIST};

// The protection (fire, water, air, earth) answering requests 57..68.
int Protection_Of_Request(request_no request) {
    if (request <= REQ_PROT_EARTH) return request - REQ_PROT_FIRE;
    return (request - REQ_PROT_FIRE_2) / 2;
}

RequestValue At_Least(RequestValue v, RequestValue low) { return v < low ? low : v; }

// The character rules that ask further questions, kept apart so that the
// plain answers stay cheap.
[[gnu::noinline]] RequestValue Char_Asking_Rule(obj_ref subject, obj_ref object, RequestValue other, request_no request,
                                                RequestValue value) {
    const std::uint16_t c = Obj_Index(object);
    switch (request) {
        case REQ_DEFENCE: return Char_Defence(subject, object, other, value);
        case REQ_40: return Ask_Or_Zero(subject, object, REQ_CHAR_LEVEL, other) + 1;
        case REQ_ACTIVE:
            return Char_In_Use(c) && Ask_Or_Zero(object, object, REQ_HIT_POINTS) >= 1 &&
                           Ask_Or_Zero(object, object, REQ_STAMINA) >= 1
                       ? 1
                       : 0;
        case REQ_ATTACK: return Char_Attack(subject, object, other);
        case REQ_DAMAGE_MIN: return Char_Damage_Min(subject, object, other);
        case REQ_DAMAGE_MAX: return Char_Damage_Max(subject, object, other);
        case REQ_ENTRY_COST_OBJ:
        case REQ_ENTRY_COST_SUM: return Ask_Or_Zero(subject, object, REQ_ACTIVE, other) == 0 ? INACTIVE_ENTRY_COST : -1;
        default: return value;
    }
}

RequestValue Char_Rule(obj_ref subject, obj_ref object, RequestValue other, request_no request, RequestValue value) {
    const std::uint16_t c = Obj_Index(object);
    char_record& r = chararray.records[c];
    switch (request) {
        case REQ_DEFENCE:
        case REQ_40:
        case REQ_ACTIVE:
        case REQ_ATTACK:
        case REQ_DAMAGE_MIN:
        case REQ_DAMAGE_MAX:
        case REQ_ENTRY_COST_OBJ:
        case REQ_ENTRY_COST_SUM: return Char_Asking_Rule(subject, object, other, request, value);
        case REQ_FACING: return r.facing;
        case REQ_HIT_POINTS: return At_Least(r.hp, DEAD_HIT_POINTS);
        case REQ_MAX_HIT_POINTS: return At_Least(r.max_hp, 0);
        case REQ_ACTION_POINTS: return r.action_points;
        case REQ_MAX_ACTION_POINTS: return MAX_ACTION_POINTS;
        case REQ_CHAR_LEVEL: return r.level;
        case REQ_STAMINA: return At_Least(r.stamina, 0);
        case REQ_MAX_STAMINA: return At_Least(r.max_stamina, 0);
        case REQ_STRENGTH: return r.strength;
        case REQ_DEXTERITY: return r.dexterity;
        case REQ_SPIRIT: return r.spirit;
        case REQ_IQ: return r.iq;
        case REQ_KNOWN_SPELLS:
            // The value is the address of a 16-bit mask to fill.
            if (value != 0 && value != NO_VALUE) {
                std::uint16_t mask = r.known_spells;
                std::memcpy(Value_Pointer<void>(value), &mask, sizeof mask);
            }
            return value;
        case REQ_38: return 0;
        case REQ_39: return 2;
        case REQ_LEFT_HAND_FREE: return r.slots[SLOT_LEFT_HAND] == 0 ? 1 : 0;
        case REQ_RIGHT_HAND_FREE: return r.slots[SLOT_RIGHT_HAND] == 0 ? 1 : 0;
        case REQ_STEP_NOISE: return STEP_NOISE;
        case REQ_MAIN_CHAR: return r.flags & CF_MAIN_CHAR;
        case REQ_LOBBY: return r.lobby;
        case REQ_BRAVENESS: return r.braveness;
        case REQ_RACE_BYTE: return r.race;
        case REQ_RACE: return RequestValue{r.race} - RACE_BASES[r.race >> 6];
        case REQ_PROFESSION: return r.profession;
        case REQ_NAME: return Pointer_Value(r.name);
        case REQ_AI_SLOT: return r.ai_slot;
        case REQ_83: return 1;
        case REQ_DRAW_HEIGHT: return 0;
        case REQ_COVER: return CHAR_COVER;
        case REQ_NO_OBSTRUCT: return 0;
        case REQ_CAN_BURN: return 1;
        case REQ_WATER: return 0;
        default: break;
    }
    if (request >= REQ_SKILL_MACES && request <= REQ_SKILL_FIST)
        return r.weapon_skill[SKILL_OF_REQUEST[request - REQ_SKILL_MACES]];
    if (request >= REQ_PROT_FIRE && request <= REQ_PROT_EARTH_3) return r.protection[Protection_Of_Request(request)];
    if (request >= REQ_MANA_FIRE && request <= REQ_MANA_EARTH) return r.mana[request - REQ_MANA_FIRE];
    if (request >= REQ_MAX_MANA_FIRE && request <= REQ_MAX_MANA_EARTH) return r.max_mana[request - REQ_MAX_MANA_FIRE];
    return value;
}

RequestValue Item_Rule(request_no request, obj_ref object, RequestValue value) {
    const std::uint16_t i = Obj_Index(object);
    if (request >= REQ_PROT_FIRE && request <= REQ_PROT_EARTH_3) return 0;
    switch (request) {
        case REQ_DEFENCE: return 0;
        case REQ_CHAR_LEVEL: return 0;
        case REQ_BRAVENESS: return OBJECT_BRAVENESS;
        case REQ_CARRIER: {
            obj_ref owner = itemarray.records[i].owner;
            return Obj_Kind(owner) == OBJ_CHAR ? Obj_Index(owner) : -1;
        }
        case REQ_STACK_COUNT: return 1;
        case REQ_98: return 1;
        case REQ_DRAW_HEIGHT:
        case REQ_HEIGHT:
        case REQ_COVER:
        case REQ_ENTRY_COST_OBJ:
        case REQ_ENTRY_COST_SUM:
        case REQ_SILENCE:
        case REQ_NO_OBSTRUCT:
        case REQ_WATER:
        case REQ_PICTURE_2: return 0;
        default: break;
    }
    const item_type* t = nullptr;
    switch (request) {
        case REQ_ATTACK:
        case REQ_DAMAGE_MIN:
        case REQ_DAMAGE_MAX:
        case REQ_ITEM_CLASS:
        case REQ_WEAPON_RANGE:
        case REQ_ITEM_NAME:
        case REQ_ITEM_DISPLAY_NAME:
        case REQ_DISTURB:
        case REQ_CAN_BURN:
        case REQ_PICTURE:
        case REQ_ACT_AP_COST:
            t = Item_Type_Of(i);
            if (t == nullptr) return value;
            break;
        default: return value;
    }
    switch (request) {
        case REQ_ATTACK: return t->attack;
        case REQ_DAMAGE_MIN: return t->damage_min;
        case REQ_DAMAGE_MAX: return t->damage_max;
        case REQ_ITEM_CLASS: return t->item_class;
        case REQ_WEAPON_RANGE: return t->max_distance;
        case REQ_ITEM_NAME:
        case REQ_ITEM_DISPLAY_NAME: return Pointer_Value(t->name);
        case REQ_DISTURB: return t->disturb;
        case REQ_CAN_BURN: return t->flags & ITEM_BURNABLE;
        case REQ_PICTURE: return t->picture;
        default: return t->mana_points;  // REQ_ACT_AP_COST
    }
}

RequestValue Fixitem_Rule(request_no request, obj_ref object, RequestValue value) {
    const map_record& r = maparray.records[Obj_Index(object)];
    const fixitem_type& t = fixitem_types[r.type];
    if (request >= REQ_PROT_FIRE && request <= REQ_PROT_EARTH_3) return 0;
    switch (request) {
        case REQ_DEFENCE: return t.defend;
        case REQ_CHAR_LEVEL: return 0;
        case REQ_44: return 0;
        case REQ_BRAVENESS: return OBJECT_BRAVENESS;
        case REQ_DRAW_HEIGHT:
        case REQ_HEIGHT: return t.height;
        case REQ_COVER: return t.fill;
        case REQ_ENTRY_COST_OBJ:
        case REQ_ENTRY_COST_SUM: return t.mp;
        case REQ_NO_OBSTRUCT: return 0;
        case REQ_CAN_BURN: return t.flags & FIX_BURNABLE;
        case REQ_WATER: return t.flags & FIX_WATER;
        default: return value;
    }
}

RequestValue Kind_Rule(obj_ref subject, obj_ref object, RequestValue other, request_no request, RequestValue value) {
    switch (Obj_Kind(object)) {
        case OBJ_CHAR: return Char_Rule(subject, object, other, request, value);
        case OBJ_ITEM: return Item_Rule(request, object, value);
        case OBJ_FIXITEM: return Fixitem_Rule(request, object, value);
        default: return value;
    }
}

// The few requests whose generic rule walks the field's objects, kept apart
// so that the plain answers need no frame.
[[gnu::noinline]] RequestValue Field_Walking_Base_Value(const Located& at, obj_ref subject, obj_ref object,
                                                        RequestValue other, request_no request, RequestValue value) {
    value = Field_Walk_Rule(at, subject, object, other, request, value);
    return Kind_Rule(subject, object, other, request, value);
}

}  // namespace

RequestValue Base_Value(const Located& at, obj_ref subject, obj_ref object, RequestValue other, request_no request,
                        RequestValue value) {
    if (Walks_The_Field(request)) return Field_Walking_Base_Value(at, subject, object, other, request, value);
    value = Generic_Rule(at, request, value);
    return Kind_Rule(subject, object, other, request, value);
}

RequestValue Greatest_Sight() { return BASE_SIGHT; }
RequestValue Greatest_Hearing() { return BASE_PERCENT; }
