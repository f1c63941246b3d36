#include "Objects/Effects.h"

#include <algorithm>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Geometry.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/PathSearch.h"
#include "Objects/Sight.h"
#include "Objects/Turns.h"
#include "System/ErrorReport.h"
#include "System/MessageLog.h"

std::uint16_t target_picks = 0;
std::uint16_t picked_fields[MAX_TARGET_FIELDS] = {NO_FIELD, NO_FIELD, NO_FIELD, NO_FIELD, NO_FIELD};
std::uint16_t target_field = NO_FIELD;
std::uint16_t target_rotation = 0;
std::uint16_t cancel_targeting = 0;
std::uint16_t cursor_field = NO_FIELD;

namespace {

// ---- The target patterns ----

constexpr area_offset SINGLE_FIELD[] = {{0, 0}};
// Cone, by rotation r: the centre and its neighbours in directions r and
// r + 1 (direction 0 read as 6).
constexpr area_offset CONE[6][3] = {
    {{0, 0}, {1, -1}, {1, 0}},  {{0, 0}, {1, 0}, {0, 1}},   {{0, 0}, {0, 1}, {-1, 1}},
    {{0, 0}, {-1, 1}, {-1, 0}}, {{0, 0}, {-1, 0}, {0, -1}}, {{0, 0}, {0, -1}, {1, -1}},
};
constexpr area_offset RING[] = {{0, 0}, {1, 0}, {0, 1}, {-1, 1}, {-1, 0}, {0, -1}, {1, -1}};
constexpr area_offset RADIUS_TWO[] = {{0, 0},   {1, 0},  {0, 1},  {-1, 1}, {-1, 0}, {0, -1}, {1, -1},
                                      {2, 0},   {1, 1},  {0, 2},  {-1, 2}, {-2, 2}, {-2, 1}, {-2, 0},
                                      {-1, -1}, {0, -2}, {1, -2}, {2, -2}, {2, -1}};
// Line, by rotation modulo 3.
constexpr area_offset LINE[3][5] = {
    {{0, 0}, {1, 0}, {-1, 0}, {2, 0}, {-2, 0}},
    {{0, 0}, {0, 1}, {0, -1}, {0, 2}, {0, -2}},
    {{0, 0}, {1, -1}, {-1, 1}, {2, -2}, {-2, 2}},
};

constexpr area_shape SINGLE_SHAPE{SINGLE_FIELD, 1};
constexpr area_shape CONE_SHAPES[6] = {{CONE[0], 3}, {CONE[1], 3}, {CONE[2], 3},
                                       {CONE[3], 3}, {CONE[4], 3}, {CONE[5], 3}};
constexpr area_shape RING_SHAPE{RING, 7};
constexpr area_shape RADIUS_TWO_SHAPE{RADIUS_TWO, 19};
constexpr area_shape LINE_SHAPES[3] = {{LINE[0], 5}, {LINE[1], 5}, {LINE[2], 5}};

constexpr RequestValue PATTERN_CONE = 6;
constexpr RequestValue PATTERN_RING = 7;
constexpr RequestValue PATTERN_RADIUS_TWO = 9;
constexpr RequestValue PATTERN_LINE = 11;
constexpr RequestValue PATTERN_FRONT = 12;
constexpr RequestValue PATTERN_MOST_PICKS = 5;  // patterns 1..5 are picked field by field
constexpr int ROTATIONS = 6;

// ---- Constants of the start ----

constexpr COLORREF REFUSAL_COLOUR = RGB(40, 40, 40);
constexpr std::int32_t BEGIN_SIGHT = 12;
constexpr std::int32_t BEGIN_LOUDNESS = 2;
constexpr std::uint16_t AIM_SIGHT_RANGE = 20;
constexpr RequestValue SILENCED = 100;
constexpr std::uint8_t FIRST_BUILTIN_SLOT = MAP_TYPE_SLOTS;  // slots from here are never targets

// ---- Target lists and the lists held by records ----

std::uint32_t lists_alive = 0;

struct HeldList {
    obj_ref owner;
    target_list list;  // nullptr: a free handle
};

std::vector<HeldList>& Held_Lists() {
    static std::vector<HeldList> held;
    return held;
}

// Takes list out of the held lists; returns who held it, NOOBJ when nobody.
obj_ref Release_Held(target_list list) {
    for (HeldList& h : Held_Lists()) {
        if (h.list != list) continue;
        h.list = nullptr;
        return h.owner;
    }
    return NOOBJ;
}

// ---- Helpers ----

bool Is_Leading(std::uint16_t c) { return selected_count > 0 && selected[0] == c; }

std::uint32_t Flags_Of(obj_ref source, obj_ref target, act_desc* act) {
    return static_cast<std::uint32_t>(Ask_Act_Value(source, target, act, REQ_ACT_FLAGS));
}

void Set_State(obj_ref character, std::uint16_t state) {
    if (Is_Char(character)) chararray.records[Obj_Index(character)].state = state;
}

void Reset_Party_Perception() {
    party_sight_distance = NO_DISTANCE;
    party_hearing_distance = NO_DISTANCE;
    party_observer = NOOBJ;
}

void Refuse(const char* text) { Log_Add_Message(REFUSAL_COLOUR, text); }

// The character that acts for source: a character acts itself, an item
// through the character carrying it (NOOBJ when none), a fixitem has none.
// False for a kind that cannot be a source.
bool Resolve_Actor(obj_ref source, obj_ref& actor) {
    actor = NOOBJ;
    switch (Obj_Kind(source)) {
        case OBJ_CHAR:
            if (!Char_In_Use(Obj_Index(source))) return false;
            actor = source;
            return true;
        case OBJ_ITEM: {
            RequestValue carrier = Ask(source, source, REQ_CARRIER);
            if (carrier >= 0 && carrier < NO_INDEX && Char_In_Use(static_cast<std::uint16_t>(carrier)))
                actor = Make_Obj(OBJ_CHAR, static_cast<std::uint16_t>(carrier));
            return true;
        }
        case OBJ_FIXITEM: return Obj_Index(source) < maparray.Capacity();
        default: return false;
    }
}

// Stores the act a character carries out; a list it held for an earlier
// act that never ran is freed now.
void Store_Char_Act(std::uint16_t c, act_desc* act, target_list list, obj_ref source) {
    const obj_ref who = Make_Obj(OBJ_CHAR, c);
    Drop_Held_Target_Lists(who);
    const std::uint32_t held = Hold_Target_List(list, who);
    char_record& r = chararray.records[c];
    r.act = Act_Handle(act);
    r.target = held;
    r.source = source;
}

// ---- The checks of a start ----

// The first refusal of the start, in order; true when refused. Nothing is
// paid yet.
bool Refused(obj_ref source, act_desc* act, obj_ref actor, std::uint32_t flags, RequestValue (&mana)[4]) {
    if (Is_Char(actor)) {
        std::uint16_t state = chararray.records[Obj_Index(actor)].state;
        if (state > CS_WAITING) return true;  // busy
    }
    for (int k = 0; k < 4; ++k) {
        mana[k] = Ask_Act_Value(source, NOOBJ, act, static_cast<request_no>(REQ_ACT_MANA_FIRE + k));
        if (mana[k] > Ask(source, source, static_cast<request_no>(REQ_MANA_FIRE + k))) {
            Refuse("Not enough mana");
            return true;
        }
    }
    const bool left_free = Ask(source, source, REQ_LEFT_HAND_FREE) != 0;
    const bool right_free = Ask(source, source, REQ_RIGHT_HAND_FREE) != 0;
    if ((flags & ACT_ONE_HAND) && !left_free && !right_free) {
        Refuse("Need free hand");
        return true;
    }
    if ((flags & ACT_TWO_HANDS) && !(left_free && right_free)) {
        Refuse("Need two free hands");
        return true;
    }
    if (Ask_Act_Value(source, NOOBJ, act, REQ_ACT_DIFFICULTY) > Ask(source, source, REQ_SPELL_SKILL)) {
        Refuse("It's too difficult...");
        return true;
    }
    if ((flags & ACT_NOT_IN_SILENCE) && Ask(source, source, REQ_SILENCE) >= SILENCED) {
        Refuse("  ...silence...");
        return true;
    }
    return Ask_Act_Value(source, NOOBJ, act, REQ_ACT_MAY_START) == 0;
}

void Pay_Mana(obj_ref source, const RequestValue (&mana)[4]) {
    for (int k = 0; k < 4; ++k)
        Object_Request(source, source, 0, static_cast<request_no>(REQ_ADD_MANA_FIRE + k), -mana[k]);
}

// ---- Execution without a given list ----

// The actor of an execution without a list; false (reported) when there is
// none to aim or stand for the act.
bool Execute_Actor(obj_ref source, obj_ref& actor) {
    if (!Resolve_Actor(source, actor)) {
        Error_Query_Quit("Invalid source obj in effect execute");
        return false;
    }
    if (Obj_Kind(source) == OBJ_FIXITEM) {
        Error_Query_Quit("Fixitem effect without target!");
        return false;
    }
    if (actor == NOOBJ) {
        Error_Query_Quit("Item effect without target or valid owner");
        return false;
    }
    return true;
}

// Range 0: the field in front of the actor (pattern 12) or its own field.
// nullptr (the actor waiting) when that field is off the map.
target_list Unaimed_Field(obj_ref source, obj_ref actor, RequestValue pattern) {
    std::int64_t x = Ask(source, actor, REQ_X);
    std::int64_t y = Ask(source, actor, REQ_Y);
    std::int64_t level = Ask(source, actor, REQ_LEVEL);
    bool on_map = true;
    if (pattern == PATTERN_FRONT) {
        RequestValue facing = Ask(source, actor, REQ_FACING);
        on_map = facing >= 1 && facing <= 6;
        if (on_map) {
            x += hex_dirs[facing].dx;
            y += hex_dirs[facing].dy;
        }
    }
    on_map = on_map && x >= 0 && x < map_width && y >= 0 && y < map_height && level >= 0 && level < map_levels;
    if (!on_map) {
        Set_State(actor, CS_WAITING);
        return nullptr;
    }
    return One_Field_Target_List(
        Field_Index(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), static_cast<std::uint32_t>(level)));
}

// One tick of the player's aim; the list of the picked fields once enough
// valid fields are clicked, else nullptr (called again next tick).
target_list Aimed_Fields(obj_ref source, act_desc* act, obj_ref actor, std::uint32_t flags, RequestValue range) {
    if (!Is_Active_Player_Char(actor)) {
        // A party member that is no longer the leading one (another was
        // selected) gives the aim up silently; nobody can aim for the AI.
        if (!Is_Player_Char(Obj_Index(actor))) Error_Query_Quit("AI selection not implemented yet...");
        Set_State(actor, CS_TURN_DONE);
        return nullptr;
    }
    if (cancel_targeting == 1) {
        Hook_Set_Cursor_Type(CURSOR_NORMAL);
        Set_State(actor, CS_TURN_DONE);
        return nullptr;
    }
    const RequestValue pattern = Get_Act_Value(source, NOOBJ, act, REQ_ACT_PATTERN, target_picks + 1);
    if (const area_shape* shape = Area_Shape(pattern, target_rotation))
        area_offsets = shape;
    else
        Error_Query_Quit("cursor territory calculation under construction.");
    Hook_Set_Cursor_Type(CURSOR_AIMING);
    if (cursor_field >= total_fields) return nullptr;

    const std::uint16_t actor_field = Object_Field(actor);
    std::int32_t distance;
    if (flags & ACT_HEX_RANGE) {
        distance = Field_Distance(cursor_field, actor_field);
    } else {
        Set_Sight_Target(cursor_field, AIM_SIGHT_RANGE);
        distance = visi_dist_scope(actor);
    }
    if (distance > range) return nullptr;
    obj_ref cur = Field_Head(cursor_field);
    if (!Valid_Target(source, act, &cur)) return nullptr;
    if (target_field != cursor_field) {
        Hook_Set_Cursor_Type(CURSOR_ON_TARGET);
        return nullptr;
    }
    if (target_picks < MAX_TARGET_FIELDS) picked_fields[target_picks++] = target_field;
    if (pattern <= PATTERN_MOST_PICKS && target_picks < pattern && target_picks < MAX_TARGET_FIELDS) {
        target_field = NO_FIELD;
        return nullptr;
    }
    target_list list = New_Target_List(target_picks);
    std::copy(picked_fields, picked_fields + target_picks, list + 1);
    Hook_Set_Cursor_Type(CURSOR_NORMAL);
    target_field = NO_FIELD;
    return list;
}

// ---- Hitting ----

// Whether obj still stands in field's list (a hit may have moved it).
bool In_Field_List(obj_ref obj, std::uint16_t field) {
    obj_ref cur = Field_Head(field);
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit && Obj_Kind(cur) != OBJ_NONE; ++steps) {
        if (cur == obj) return true;
        Next_Object(cur);
    }
    return Obj_Kind(obj) == OBJ_NONE && cur == obj;
}

void Notice(obj_ref source, obj_ref target, act_desc* act, std::uint16_t side_flags, std::uint32_t flags) {
    Step_Side_Effect(source, target, act, side_flags,
                     static_cast<std::int32_t>(Ask_Act_Value(source, target, act, REQ_ACT_VISIBILITY)),
                     static_cast<std::int32_t>(Ask_Act_Value(source, target, act, REQ_ACT_LOUDNESS)), flags);
}

// The objects of field that the act accepts get its hit: the last one, or
// with ACT_HITS_EVERY_OBJECT each in list order.
void Hit_Field(obj_ref source, act_desc* act, std::uint32_t flags, std::uint16_t field, request_no hit,
               std::uint16_t target_field_k) {
    obj_ref cur = Field_Head(field);
    if (!(flags & ACT_HITS_EVERY_OBJECT)) {
        if (!Valid_Target(source, act, &cur)) return;
        Notice(source, cur, act, NOTICE_ANNOUNCE | NOTICE_HOSTILE, flags);
        Get_Act_Value(source, cur, act, hit, target_field_k);
        return;
    }
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit && Valid_Target(source, act, &cur); ++steps) {
        // Read before the hit, which may take the current object away.
        obj_ref next = cur;
        Next_Object_No_Anim(next);
        Notice(source, cur, act, NOTICE_HOSTILE, flags);
        Get_Act_Value(source, cur, act, hit, target_field_k);
        if (!In_Field_List(next, field)) return;
        cur = next;
    }
}

void Hit_Targets(obj_ref source, act_desc* act, const target_list list, std::uint32_t flags) {
    const std::uint16_t n = std::min(list[0], MAX_TARGET_FIELDS);
    for (std::uint16_t k = 1; k <= n; ++k) {
        const std::uint16_t field = list[k];
        if (field >= total_fields) continue;
        Reset_Party_Perception();
        if (flags & ACT_HITS_EVERY_OBJECT) Notice(source, Field_Head(field), act, NOTICE_ANNOUNCE, flags);
        const RequestValue pattern = Get_Act_Value(source, NOOBJ, act, REQ_ACT_PATTERN, k);
        const area_shape* shape = Area_Shape(pattern, target_rotation);
        if (shape == nullptr) {
            Error_Query_Quit("Target territory calculation under construction.");
            continue;
        }
        const std::int32_t x = static_cast<std::int32_t>(Field_X(field));
        const std::int32_t y = static_cast<std::int32_t>(Field_Y(field));
        const std::uint32_t level = Field_Level(field);
        for (int j = shape->count - 1; j >= 0; --j) {
            const std::int32_t fx = x + shape->offsets[j].dx;
            const std::int32_t fy = y + shape->offsets[j].dy;
            if (fx < 0 || fy < 0 || fx >= static_cast<std::int32_t>(map_width) ||
                fy >= static_cast<std::int32_t>(map_height))
                continue;
            const std::uint16_t f = Field_Index(static_cast<std::uint32_t>(fx), static_cast<std::uint32_t>(fy), level);
            Hit_Field(source, act, flags, f, static_cast<request_no>(REQ_EFFECT + k), field);
        }
    }
}

// The actor's turn after its own act: done, or for guarding the next actor.
void End_Own_Act(obj_ref actor, act_desc* act, std::uint32_t flags) {
    if (!Is_Char(actor) || (flags & ACT_KEEPS_STATE) || act == &step_act) return;
    Free_Char_Path(Obj_Index(actor));
    if (act == &guard_act) {
        Next_Actor();
        return;
    }
    Set_State(actor, (flags & ACT_ENDS_DONE) ? CS_DONE : CS_TURN_DONE);
}

// Whether an object of the given kind and index may be hit by the act at
// all, before the act is asked.
bool Kind_Accepted(obj_ref o, std::uint32_t flags, bool every) {
    const std::uint16_t i = Obj_Index(o);
    switch (Obj_Kind(o)) {
        case OBJ_MAPANIM: return false;
        case OBJ_CHAR: return (flags & ACT_HITS_CHARS) != 0;
        case OBJ_ITEM: {
            const item_type* t = Item_Type_Of(i);
            const bool corpse = t != nullptr && t->item_class == CLASS_CORPSE;
            return (flags & (corpse ? ACT_HITS_CHARS : ACT_HITS_ITEMS)) != 0;
        }
        case OBJ_FIXITEM: {
            if (i >= maparray.Capacity() || maparray.records[i].type >= FIRST_BUILTIN_SLOT) return false;
            const std::uint32_t needed = (every && i < total_fields) ? ACT_HITS_FIELD_HEADS : ACT_HITS_FIXITEMS;
            return (flags & needed) != 0;
        }
        default: Error_Query_Quit("Invalid obj type in Valid_Target!"); return false;
    }
}

bool Accepted(obj_ref source, act_desc* act, std::uint32_t flags, bool every, obj_ref o) {
    if (o == source && !(flags & ACT_HITS_SOURCE)) return false;
    if (!Kind_Accepted(o, flags, every)) return false;
    return Ask_Act_Value(source, o, act, REQ_ACT_VALID_TARGET) != 0;
}

}  // namespace

const area_shape* area_offsets = &SINGLE_SHAPE;

void Reset_Targeting_State() {
    Drop_All_Held_Target_Lists();
    target_picks = 0;
    for (std::uint16_t& f : picked_fields) f = NO_FIELD;
    target_field = NO_FIELD;
    target_rotation = 0;
    cancel_targeting = 0;
    cursor_field = NO_FIELD;
    area_offsets = &SINGLE_SHAPE;
}

const area_shape* Area_Shape(RequestValue pattern, std::uint16_t rotation) {
    const int r = rotation % ROTATIONS;
    switch (pattern) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case PATTERN_FRONT: return &SINGLE_SHAPE;
        case PATTERN_CONE: return &CONE_SHAPES[r];
        case PATTERN_RING: return &RING_SHAPE;
        case PATTERN_RADIUS_TWO: return &RADIUS_TWO_SHAPE;
        case PATTERN_LINE: return &LINE_SHAPES[r % 3];
        default: return nullptr;
    }
}

// ---- Target lists ----

target_list New_Target_List(std::uint16_t count) {
    target_list list = new std::uint16_t[count + 1u]();
    list[0] = count;
    ++lists_alive;
    return list;
}

target_list One_Field_Target_List(std::uint16_t field) {
    target_list list = New_Target_List(1);
    list[1] = field;
    return list;
}

void Free_Target_List(target_list list) {
    if (list == nullptr) return;
    Release_Held(list);
    delete[] list;
    --lists_alive;
}

std::uint32_t Target_Lists_Alive() { return lists_alive; }

std::uint32_t Hold_Target_List(target_list list, obj_ref owner) {
    if (list == nullptr) return 0;
    std::vector<HeldList>& held = Held_Lists();
    for (std::size_t h = 0; h < held.size(); ++h) {
        if (held[h].list != nullptr) continue;
        held[h] = {owner, list};
        return static_cast<std::uint32_t>(h + 1);
    }
    held.push_back({owner, list});
    return static_cast<std::uint32_t>(held.size());
}

target_list Held_Target_List(std::uint32_t handle, obj_ref owner) {
    const std::vector<HeldList>& held = Held_Lists();
    if (handle == 0 || handle > held.size()) return nullptr;
    const HeldList& h = held[handle - 1];
    return h.owner == owner ? h.list : nullptr;
}

void Drop_Held_Target_Lists(obj_ref owner) {
    for (HeldList& h : Held_Lists()) {
        if (h.list == nullptr || h.owner != owner) continue;
        target_list list = h.list;
        h.list = nullptr;
        Free_Target_List(list);
    }
}

void Drop_All_Held_Target_Lists() {
    for (HeldList& h : Held_Lists()) {
        target_list list = h.list;
        h.list = nullptr;
        Free_Target_List(list);
    }
    Held_Lists().clear();
}

// ---- A character's act ----

act_desc* Char_Act(std::uint16_t c) { return Char_In_Use(c) ? Act_From_Handle(chararray.records[c].act) : nullptr; }

target_list Char_Target_List(std::uint16_t c) {
    if (!Char_In_Use(c)) return nullptr;
    return Held_Target_List(chararray.records[c].target, Make_Obj(OBJ_CHAR, c));
}

obj_ref Char_Act_Source(std::uint16_t c) { return Char_In_Use(c) ? chararray.records[c].source : NOOBJ; }

// ---- Starting and executing ----

int Effect_Start(obj_ref source, act_desc* act, target_list list) {
    if (act == nullptr) {
        Free_Target_List(list);
        return 0;
    }
    const std::uint32_t flags = Flags_Of(source, NOOBJ, act);
    obj_ref actor = NOOBJ;
    if (!Resolve_Actor(source, actor)) {
        Error_Query_Quit("invalid source in effect start");
        Free_Target_List(list);
        return 0;
    }
    RequestValue mana[4] = {0, 0, 0, 0};
    if (Refused(source, act, actor, flags, mana)) {
        Free_Target_List(list);
        return 0;
    }
    Pay_Mana(source, mana);
    Reset_Party_Perception();
    if (Is_Char(actor) && !(flags & ACT_AT_ONCE))
        Step_Side_Effect(actor, NOOBJ, act, NOTICE_FROM_SOURCE, BEGIN_SIGHT, BEGIN_LOUDNESS, flags);

    if (Is_Char(source)) {
        const std::uint16_t c = Obj_Index(source);
        Object_Request(source, source, 0, REQ_CHANGE_ACTION_POINTS,
                       -Ask_Act_Value(source, NOOBJ, act, REQ_ACT_AP_COST));
        Get_Act_Value(source, NOOBJ, act, REQ_ACT_STARTED, 0);
        if (Is_Leading(c)) Hide_Path_Cursor();
        if (!(flags & ACT_AT_ONCE)) {
            chararray.records[c].ap_stamp = game_clock;
            chararray.records[c].state = CS_ACT_PREPARED;
            Store_Char_Act(c, act, list, source);
            Next_Actor();
            return 1;
        }
        Effect_Reset_Target(source, act, list);
        chararray.records[c].state = CS_EXECUTING;
        Store_Char_Act(c, act, list, source);
        Effect_Execute(source, act, list);
        return 1;
    }
    if (Obj_Kind(source) == OBJ_ITEM && actor != NOOBJ) {
        // The holder carries out its item's act; the item pays no action points.
        const std::uint16_t c = Obj_Index(actor);
        Get_Act_Value(source, NOOBJ, act, REQ_ACT_STARTED, 0);
        if (Is_Leading(c)) Hide_Path_Cursor();
        Effect_Reset_Target(source, act, list);
        chararray.records[c].state = CS_ITEM_ACT;
        Store_Char_Act(c, act, list, source);
        Effect_Execute(source, act, list);
        return 1;
    }
    Effect_Reset_Target(source, act, list);
    Effect_Execute(source, act, list);
    return 1;
}

void Effect_Reset_Target(obj_ref source, act_desc*, target_list list) {
    if (list != nullptr) return;
    obj_ref actor = NOOBJ;
    if (!Resolve_Actor(source, actor)) {
        Error_Query_Quit("invalid source in effect start");
        return;
    }
    if (!Is_Char(actor)) return;
    const std::uint16_t c = Obj_Index(actor);
    if (!Is_Leading(c) || !Is_Player_Char(c)) return;
    target_rotation = 0;
    cancel_targeting = 0;
    target_picks = 0;
    // A click left over from an earlier aim picks nothing for this one.
    target_field = NO_FIELD;
}

void Effect_Execute(obj_ref source, act_desc* act, target_list list) {
    if (act == nullptr) {
        Free_Target_List(list);
        return;
    }
    const std::uint32_t flags = Flags_Of(source, NOOBJ, act);
    const RequestValue range = Get_Act_Value(source, NOOBJ, act, REQ_ACT_RANGE, target_picks);
    const RequestValue pattern = Get_Act_Value(source, NOOBJ, act, REQ_ACT_PATTERN, target_picks);
    obj_ref actor = NOOBJ;
    // The actor's turn moves on after its own act: one it aimed or stood
    // for here, or one it prepared with the list it holds.
    bool own_act = list == nullptr;
    if (list != nullptr) {
        const obj_ref holder = Release_Held(list);
        Resolve_Actor(source, actor);
        own_act = holder != NOOBJ && holder == actor;
    } else {
        if (!Execute_Actor(source, actor)) return;
        list = range == 0 ? Unaimed_Field(source, actor, pattern) : Aimed_Fields(source, act, actor, flags, range);
        if (list == nullptr) return;
    }
    act->origin = list[0] >= 1 && list[1] < total_fields ? Field_Head(list[1]) : NOOBJ;
    Hit_Targets(source, act, list, flags);
    Free_Target_List(list);
    if (own_act) End_Own_Act(actor, act, flags);
}

int Valid_Target(obj_ref source, act_desc* act, obj_ref* cursor) {
    const obj_ref start = *cursor;
    *cursor = NOOBJ;
    if (act == nullptr || Obj_Kind(start) == OBJ_NONE) return 0;
    const std::uint32_t flags = Flags_Of(source, start, act);
    const bool every = (flags & ACT_HITS_EVERY_OBJECT) != 0;
    if (!every && !Is_Field_Head(start)) return 0;
    obj_ref found = NOOBJ;
    obj_ref cur = start;
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit && Obj_Kind(cur) != OBJ_NONE; ++steps) {
        if (Accepted(source, act, flags, every, cur)) {
            found = cur;
            if (every) break;
        }
        Next_Object_No_Anim(cur);
    }
    *cursor = found;
    return found != NOOBJ ? 1 : 0;
}

void Effect_Cancel_Aim(std::uint16_t c) {
    if (!Char_In_Use(c)) return;
    const std::uint16_t cursor = Hook_Cursor_Type();
    if (cursor != CURSOR_AIMING && cursor != CURSOR_ON_TARGET) return;
    char_record& r = chararray.records[c];
    if (r.state != CS_EXECUTING && r.state != CS_ITEM_ACT) return;
    Hook_Set_Cursor_Type(CURSOR_NORMAL);
    target_field = NO_FIELD;
    r.state = CS_TURN_DONE;
}
