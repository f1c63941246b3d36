// The change requests: what the final value of a request writes into a
// character's or a fixitem's record, with the damage and fall-down steps.
#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Char/CharSlots.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Clamp.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Geometry.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Requests.h"
#include "Objects/SpriteInfo.h"
#include "System/ErrorReport.h"
#include "System/MessageLog.h"
#include "System/Random.h"

std::uint32_t digits_shown = 1;

void Reset_Digits_Shown() { digits_shown = 1; }

namespace {

constexpr int BLOOD_POOL_CHANCE = 40;  // a pool when Random(40) + 1 is below 7
constexpr int BLOOD_POOL_BELOW = 7;
constexpr std::uint8_t BLOOD_POOL_DELAY = 10;
constexpr std::int32_t CHAR_DIGITS = 0;      // digit glyphs for characters
constexpr std::int32_t FIXITEM_DIGITS = 40;  // and for fixitems
constexpr std::int32_t PARTY_SEES_WITHIN = 12;
constexpr int SCATTER_DIRECTIONS = 6;  // Random(6): the own field or directions 1..5
constexpr RequestValue MAX_BRAVENESS = 127;

std::int32_t Amount(RequestValue damage) { return Clamp_To<std::int32_t>(-static_cast<std::int64_t>(damage)); }

void Log_Fall(const char_record& r, const char* what) {
    Log_Add_Message(FALL_DOWN_COLOUR, (Char_Name(r) + what).c_str());
}

// A blood pool: a fixitem of the built-in slot, animated once.
void Lay_Blood_Pool(std::uint16_t field, int size) {
    std::uint16_t m = New_Map_Record();
    if (m == NO_INDEX) return;
    map_record& pool = maparray.records[m];
    pool.type = SLOT_BLOOD_POOL;
    pool.frame = 0;
    pool.hp = fixitem_types[SLOT_BLOOD_POOL].max_hp;
    obj_ref obj = Make_Obj(OBJ_FIXITEM, m);
    Put_Object_To_Field(obj, field);
    Start_Object_Anim_Once(obj, 0, static_cast<std::int8_t>(size), size, BLOOD_POOL_DELAY);
}

// A hit character: the splash, maybe a pool of blood, the digits; in turn
// mode an act being prepared or carried out is broken off.
void Damage_Step(obj_ref who, std::uint16_t field, RequestValue damage) {
    char_record& r = chararray.records[Obj_Index(who)];
    Start_MapAnim_Once(who, ANIM_BLOOD, -1, -1, 1, 2);
    anim_wait += static_cast<std::uint32_t>(Sprite_Frame_Count(anim_types[ANIM_BLOOD].sprite));
    int size = Random(BLOOD_POOL_CHANCE) + 1;
    if (size < BLOOD_POOL_BELOW) Lay_Blood_Pool(field, size);
    if (digits_shown) Show_Damage_Digits(who, Amount(damage), CHAR_DIGITS);
    if (turn_mode && (r.state == CS_EXECUTING || r.state == CS_ACT_PREPARED)) {
        r.state = CS_WAITING;
        r.frame = 0;
    }
}

void Lay_Corpse(std::uint16_t c, std::uint16_t field) {
    std::uint16_t i = New_Item_Record();
    if (i == NO_INDEX) return;
    item_record& body = itemarray.records[i];
    body.type = ITEM_TYPE_DEAD_BODY;
    body.recognize = item_types.size() > ITEM_TYPE_DEAD_BODY ? item_types[ITEM_TYPE_DEAD_BODY].default_recognize : 0;
    obj_ref item = Make_Obj(OBJ_ITEM, i);
    Put_Object_To_Field(item, field);
    const char_record& r = chararray.records[c];
    Add_Modifier(0, item, MK_CORPSE, c, r.corpse_frame, r.palette, 0);
}

// Every item the character holds goes to a random neighbour of its field,
// or to its own field when that neighbour is off the map or closed.
void Scatter_Belongings(std::uint16_t c, std::uint16_t field) {
    obj_ref who = Make_Obj(OBJ_CHAR, c);
    for (int s = 0; s < CHAR_SLOTS; ++s) {
        std::uint16_t item = Char_Slot_Item(c, s);
        if (item == 0) {
            if (chararray.records[c].slots[s] > 0) chararray.records[c].slots[s] = 0;  // a bad index
            continue;
        }
        int d = Random(SCATTER_DIRECTIONS);
        if (s < BACKPACK_SLOTS)
            Remove_Item_From_Char(c, item);
        else
            chararray.records[c].slots[s] = 0;
        std::uint16_t to = Neighbour_Field(field, d);
        if (to == NO_FIELD || Object_Request(who, Make_Obj(OBJ_FIXITEM, to), 0, REQ_FIXED_COST, 0) < 0) to = field;
        Put_Object_To_Field(Make_Obj(OBJ_ITEM, item), to);
    }
}

// Hit points went from before to h, below 1.
void Fall_Down_Step(std::uint16_t c, std::uint16_t field, std::int32_t before, std::int32_t h) {
    obj_ref who = Make_Obj(OBJ_CHAR, c);
    const bool seen = party_sight_distance < PARTY_SEES_WITHIN;
    if (h <= DEAD_HIT_POINTS && before > DEAD_HIT_POINTS) {
        if (seen) Log_Fall(chararray.records[c], " died.");
        Object_Request(who, who, 0, REQ_DIED, 0);
        if (before <= 0) return;
    } else {
        if (before <= 0) return;
        if (seen) Log_Fall(chararray.records[c], h == 0 ? " falls unconsious." : " falls unconsious and dying.");
        Object_Request(who, who, 0, REQ_FELL, 0);
    }
    // It has just gone down.
    if (selected_count > 0 && selected[0] == c && Hook_Cursor_Type() != 0) {
        Hook_Set_Cursor_Type(0);
        target_field = NO_FIELD;
    }
    if (field >= total_fields) return;
    Lay_Corpse(c, field);
    Scatter_Belongings(c, field);
    Delete_Object_From_Field(OBJ_CHAR, c, field);
}

RequestValue Change_Hit_Points(const Located& at, std::uint16_t c, RequestValue v) {
    char_record& r = chararray.records[c];
    const std::int32_t before = r.hp;
    const std::int16_t h = Clamp_To<std::int16_t>(static_cast<std::int64_t>(before) + v);
    r.hp = h;
    const bool on_map = at.field < total_fields;
    if (!on_map) Error_Query_Quit("Invalid character position");
    if (v < 0 && on_map) Damage_Step(Make_Obj(OBJ_CHAR, c), at.field, v);
    if (h < 1) Fall_Down_Step(c, on_map ? at.field : NO_FIELD, before, h);
    return v;
}

RequestValue Change_Action_Points(obj_ref subject, std::uint16_t c, RequestValue v) {
    obj_ref who = Make_Obj(OBJ_CHAR, c);
    char_record& r = chararray.records[c];
    r.action_points = Clamp_To<std::int16_t>(static_cast<std::int64_t>(r.action_points) + v);
    // The clock stamp moves by the share of a round the points are worth.
    std::int64_t per_round = static_cast<std::int64_t>(Object_Request(subject, who, 0, REQ_MAX_ACTION_POINTS, 0)) *
                             static_cast<std::int64_t>(clock_step);
    std::int64_t shift = per_round != 0 ? static_cast<std::int64_t>(v) * ROUND_TICKS / per_round : 0;
    r.ap_stamp = static_cast<std::uint32_t>(static_cast<std::int64_t>(game_clock) - shift);
    return v;
}

RequestValue Char_Change(const Located& at, obj_ref subject, std::uint16_t c, request_no request, RequestValue v) {
    char_record& r = chararray.records[c];
    if (request >= REQ_ADD_MANA_FIRE && request <= REQ_ADD_MANA_EARTH) {
        int k = request - REQ_ADD_MANA_FIRE;
        r.mana[k] = Clamp_To<std::uint16_t>(static_cast<std::int64_t>(r.mana[k]) + v);
        return v;
    }
    if (request >= REQ_SET_MANA_FIRE && request <= REQ_SET_MANA_EARTH) {
        r.mana[request - REQ_SET_MANA_FIRE] = Clamp_To<std::uint16_t>(v);
        return v;
    }
    switch (request) {
        case REQ_DROP_PATH: Free_Char_Path(c); return v;
        case REQ_SET_FACING: r.facing = Clamp_To<std::uint8_t>(v); return v;
        case REQ_SET_HIT_POINTS: r.hp = Clamp_To<std::int16_t>(v); return v;
        case REQ_CHANGE_HIT_POINTS: return Change_Hit_Points(at, c, v);
        case REQ_SET_ACTION_POINTS:
            r.action_points = Clamp_To<std::int16_t>(v);
            r.ap_stamp = game_clock;
            return v;
        case REQ_CHANGE_ACTION_POINTS: return Change_Action_Points(subject, c, v);
        case REQ_ADD_BRAVENESS: {
            RequestValue braveness = std::clamp<RequestValue>(r.braveness + v, 0, MAX_BRAVENESS);
            r.braveness = static_cast<std::uint8_t>(braveness);
            return braveness;
        }
        default: return v;
    }
}

RequestValue Fixitem_Damage(obj_ref object, RequestValue v) {
    const std::uint16_t i = Obj_Index(object);
    if (v < 0 && digits_shown) Show_Damage_Digits(object, Amount(v), FIXITEM_DIGITS);
    map_record& r = maparray.records[i];
    std::int64_t hp = static_cast<std::int64_t>(r.hp) + v;
    hp = std::min<std::int64_t>(hp, fixitem_types[r.type].max_hp);
    r.hp = Clamp_To<std::int8_t>(hp);
    if (r.hp < 1 && i >= total_fields) Fixitem_Get_Worse(object);
    return v;
}

}  // namespace

RequestValue Change_Step(const Located& at, obj_ref subject, obj_ref object, RequestValue, request_no request,
                         RequestValue value) {
    switch (Obj_Kind(object)) {
        case OBJ_CHAR: return Char_Change(at, subject, Obj_Index(object), request, value);
        case OBJ_FIXITEM: return request == REQ_CHANGE_HIT_POINTS ? Fixitem_Damage(object, value) : value;
        default: return value;
    }
}
