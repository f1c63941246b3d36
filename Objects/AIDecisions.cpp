// Decisions, act execution, walking, turning, flight and perception.
#include "Objects/AIDecisions.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <new>
#include <optional>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/CharTick.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/Floods.h"
#include "Objects/GameClock.h"
#include "Objects/Geometry.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/ObserverGrid.h"
#include "Objects/PathSearch.h"
#include "Objects/Request.h"
#include "Objects/RequestEngine.h"
#include "Objects/Requests.h"
#include "Objects/Sight.h"
#include "System/ErrorReport.h"
#include "System/ScreenType.h"

std::uint32_t ai_acting = 0;
std::uint32_t opportunity_attack = 0;
std::int32_t party_sight_distance = NO_DISTANCE;
std::int32_t party_hearing_distance = NO_DISTANCE;
obj_ref party_observer = NOOBJ;
std::uint16_t current_act = NO_INDEX;

namespace {

// ---- Constants ----

constexpr int CHOSEN_ACTS = 5;
constexpr std::int64_t MIN_ATTACK_PRIORITY = 5;
constexpr std::int64_t REACH_PENALTY = 6;     // priority lost per point of budget spent reaching the target
constexpr std::int32_t PASSED_OVER_DROP = 4;  // an act not carried out loses this much
constexpr std::int32_t CHASE_DROP = 5;        // an attack that has to walk first loses this much
constexpr int ATTACK_RELATION_DROP = -10;
constexpr int CHASE_RELATION_RISE = 3;
constexpr int VICTIM_RELATION_DROP = -40;
constexpr int ONLOOKER_BIAS = 10;
constexpr int ONLOOKER_DIVISOR = 4;
constexpr std::int8_t FRIEND_ABOVE = 20;  // fear: above a friend, below an enemy
constexpr std::uint16_t BOW_SIGHT_RANGE = 20;
constexpr std::int32_t ANNOUNCE_WITHIN = 12;

// What Char_Go compares while Execute_Act carries an act out.
std::int32_t current_priority = 0;
std::uint8_t current_slot_state = 0;

}  // namespace

void Reset_Decision_State() {
    ai_acting = 0;
    opportunity_attack = 0;
    party_sight_distance = NO_DISTANCE;
    party_hearing_distance = NO_DISTANCE;
    party_observer = NOOBJ;
    current_act = NO_INDEX;
    current_priority = 0;
    current_slot_state = 0;
}

namespace {

// ---- Helpers ----

bool Act_Valid(std::uint16_t a) { return a < actarray.Capacity(); }
act_entry& Act(std::uint16_t a) { return actarray.records[a]; }
std::uint16_t Kind_Of(std::uint16_t type) { return static_cast<std::uint16_t>(type & ACT_KIND_MASK); }

std::int32_t X_Of(std::uint16_t field) { return static_cast<std::int32_t>(Field_X(field)); }
std::int32_t Y_Of(std::uint16_t field) { return static_cast<std::int32_t>(Field_Y(field)); }

// The character of slot; false for a slot not in use or of another kind.
bool Slot_Char(std::uint16_t slot, std::uint16_t& c) {
    if (!IQ_Slot_In_Use(slot)) return false;
    const obj_ref o = iqarray.records[slot].object;
    if (!Is_Char(o)) return false;
    c = Obj_Index(o);
    return true;
}

// Adds delta to what slot a thinks of slot b, within -128..127.
void Change_Relation(std::uint16_t a, std::uint16_t b, int delta) {
    if (std::int8_t* cell = Relation_Cell(a, b)) *cell = static_cast<std::int8_t>(std::clamp(*cell + delta, -128, 127));
}

void Lower_Priority(std::uint16_t a, std::int32_t by) {
    if (Act_Valid(a)) Act(a).priority = Clamp32(static_cast<std::int64_t>(Act(a).priority) - by);
}

void Turn_To_Field(obj_ref who, std::uint16_t field) {
    if (field < total_fields) Char_Turn(who, X_Of(field), Y_Of(field));
}

// ---- Choosing ----

// A seen character becomes an attack when it lives and is hostile: the
// less budget it takes to reach it, the more urgent.
void Weigh_Seen_Character(std::uint16_t slot, obj_ref me, act_entry& e, RequestValue a, RequestValue b) {
    if (Obj_Kind(e.target) != OBJ_CHAR) {
        Error_Query_Quit("Non-character ACT_RELATION");
        e.type = ACT_NONE;
        e.priority = 0;
        return;
    }
    const RequestValue hp = Ask_Or_Zero(me, e.target, REQ_HIT_POINTS);
    const std::int8_t* cell = Relation_Cell(slot, Object_IQ_Slot(e.target));
    if (hp <= 0 || cell == nullptr || *cell >= HOSTILE_BELOW) {
        e.type = ACT_NONE;
        e.priority = 0;
        return;
    }
    const std::uint16_t field = Object_Field(e.target);
    const std::int64_t reach = field < total_fields && Path_Arrays_Ready() ? Node_Cost(path_nodes[field]) : 0;
    const std::int64_t urge = std::min<std::int64_t>(static_cast<std::int64_t>(a) - *cell, b);
    e.type = ACT_ATTACK;
    e.priority = Clamp32(std::max(urge - (AI_REACH_BUDGET - reach) * REACH_PENALTY, MIN_ATTACK_PRIORITY));
}

// The five best buffered acts, in descending priority, go into five fresh
// list entries; ties go to the earlier buffered act.
void Keep_Best_Acts(std::uint16_t slot) {
    for (int k = 0; k < CHOSEN_ACTS; ++k) Alloc_Act(slot, 0);
    if (act_buffer.count == 0 || !IQ_Slot_In_Use(slot)) return;
    std::uint16_t best = 0;
    std::uint16_t a = iqarray.records[slot].first_act;
    for (int k = 0; k < CHOSEN_ACTS && Act_Valid(a); ++k) {
        for (std::uint16_t i = 0; i < act_buffer.count; ++i)
            if (act_buffer.entries[i].priority > act_buffer.entries[best].priority) best = i;
        const std::uint16_t next = Act(a).next;
        Act(a) = act_buffer.entries[best];
        Act(a).next = next;
        act_buffer.entries[best].type = ACT_NONE;
        act_buffer.entries[best].priority = 0;
        a = next;
    }
}

// Turn mode: a stored path is given up at every decision; the player's
// leading character is shown the path anew and must confirm the move.
void Renew_Turn_Path(std::uint16_t slot, std::uint16_t c) {
    if (Char_Path(c) == nullptr) return;
    const std::uint16_t field = Object_Field(chararray.records[c].path_target);
    Free_Char_Path(c);
    if (!Is_Active_Player_Char(Make_Obj(OBJ_CHAR, c))) return;
    if (field < total_fields) path(c, X_Of(field), Y_Of(field), static_cast<std::int32_t>(Field_Level(field)), 0);
    Hide_Path_Cursor();
    Show_Path_Cursor();
    Clear_Negative_Acts(slot);
}

// ---- Held paths of ACT_FIXGO ----

struct HeldPath {
    obj_ref owner;
    std::vector<std::uint32_t> entries;  // empty: a free handle
};

std::vector<HeldPath>& Held_Paths() {
    static std::vector<HeldPath> held;
    return held;
}

// Takes the path held under handle for owner out of the table.
std::vector<std::uint32_t> Take_Held_Path(std::uint32_t handle, obj_ref owner) {
    std::vector<HeldPath>& held = Held_Paths();
    if (handle == 0 || handle > held.size() || held[handle - 1].owner != owner) return {};
    return std::move(held[handle - 1].entries);
}

// A held target list handed to Effect_Start as a list of its own, so that
// storing the act for the character cannot free it underneath.
target_list Take_Held_List(std::uint32_t handle, obj_ref owner) {
    target_list held = Held_Target_List(handle, owner);
    if (held == nullptr) return nullptr;
    const std::uint16_t n = std::min(held[0], MAX_TARGET_FIELDS);
    target_list list = New_Target_List(n);
    std::copy(held + 1, held + 1 + n, list + 1);
    Free_Target_List(held);
    return list;
}

// ---- Executing the kinds ----

void Do_Turn(obj_ref me, std::uint16_t a) {
    const act_entry e = Act(a);
    if (Obj_Kind(e.target) == OBJ_NONE)
        Char_Turn(me, static_cast<std::int32_t>(e.arg1), static_cast<std::int32_t>(e.arg2));
    else
        Turn_To_Field(me, Object_Field(e.target));
    // Turning once is enough: every later turn of the list is spent too.
    for (std::uint32_t n = 0; Act_Valid(a) && n < actarray.Capacity(); ++n) {
        const std::uint16_t next = Act(a).next;
        if (Kind_Of(Act(a).type) == ACT_TURN) Reset_Act(a);
        a = next;
    }
}

bool Do_Go(obj_ref me, std::uint16_t a) {
    const obj_ref target = Act(a).target;
    const std::uint16_t field = Object_Field(target);
    const std::uint16_t own = Object_Field(me);
    if (field >= total_fields || own >= total_fields) {
        // Nowhere to go to: the act is spent.
        Reset_Act(a);
        return false;
    }
    const std::int32_t d = Field_Distance(field, own);
    if (d == 0) {
        Reset_Act(a);
        return true;
    }
    const bool done = Char_Go(me, target) != 0;
    if (d == 1) Turn_To_Field(me, field);
    return done;
}

void Do_Fix_Go(std::uint16_t c, std::uint16_t a) {
    const obj_ref me = Make_Obj(OBJ_CHAR, c);
    const act_entry e = Act(a);
    Free_Char_Path(c);
    const std::vector<std::uint32_t> entries = Take_Held_Path(e.arg1, me);
    if (!entries.empty()) {
        const std::uint16_t count = static_cast<std::uint16_t>(std::min<std::size_t>(entries.size(), NO_INDEX - 1));
        Store_Char_Path(c, entries.data(), count, e.target);
        chararray.records[c].path_entry = static_cast<std::uint16_t>(std::min<std::uint32_t>(e.arg2, count - 1u));
    }
    if (Act_Valid(a)) {
        Act(a).type = static_cast<std::uint16_t>(ACT_GO | (e.type & ACT_USER_COMMAND));
        Act(a).arg1 = 0;
        Act(a).arg2 = 0;
    }
}

bool Do_Flee(obj_ref me, std::uint16_t a) {
    const std::uint16_t field = Fear_Calculation(me);
    if (field == NO_FIELD) {
        Reset_Act(a);
        return false;
    }
    return Char_Go(me, Field_Head(field)) != 0;
}

// A bow needs arrows in the left hand and the target in range and sight;
// anything else fights in melee. An attack that has to walk first loses
// urgency and, oddly, warms the attacker to its target a little.
bool Do_Attack(std::uint16_t slot, std::uint16_t c, std::uint16_t a) {
    const obj_ref me = Make_Obj(OBJ_CHAR, c);
    const obj_ref target = Act(a).target;
    const std::uint16_t field = Object_Field(target);
    if (Ask_Or_Zero(me, target, REQ_HIT_POINTS) <= 0 || field >= total_fields) {
        Reset_Act(a);
        return true;
    }
    const std::uint16_t target_slot = Object_IQ_Slot(target);
    const std::uint16_t weapon = Char_Slot_Item(c, SLOT_RIGHT_HAND);
    bool done = false;
    if (weapon != 0 && Ask_Or_Zero(me, Make_Obj(OBJ_ITEM, weapon), REQ_ITEM_CLASS) == CLASS_BOW) {
        const std::uint16_t ammo = Char_Slot_Item(c, SLOT_LEFT_HAND);
        if (ammo == 0 || Ask_Or_Zero(me, Make_Obj(OBJ_ITEM, ammo), REQ_ITEM_CLASS) != CLASS_ARROW) {
            Reset_Act(a);
            return true;
        }
        Set_Sight_Target(field, BOW_SIGHT_RANGE);
        if (visi_dist_scope(me) > Ask_Or_Zero(me, Make_Obj(OBJ_ITEM, weapon), REQ_WEAPON_RANGE))
            return Char_Go(me, target) != 0;
        Turn_To_Field(me, field);
        done = Effect_Start(me, &attack_right_act, One_Field_Target_List(field)) != 0;
    } else {
        const std::uint16_t own = Object_Field(me);
        if (own >= total_fields || Field_Distance(field, own) > 1) {
            done = Char_Go(me, target) != 0;
            // The player's order keeps its priority, or the obedient
            // character would stop short of the target it was sent at.
            if ((Act(a).type & ACT_USER_COMMAND) == 0) Lower_Priority(a, CHASE_DROP);
            Change_Relation(slot, target_slot, CHASE_RELATION_RISE);
            return done;
        }
        Turn_To_Field(me, field);
        done = Effect_Start(me, &attack_right_act, nullptr) != 0;
    }
    if (Obj_Kind(target) == OBJ_CHAR) Change_Relation(slot, target_slot, ATTACK_RELATION_DROP);
    // In turn mode the player's attack halts the next execution of this turn.
    if (turn_mode && Act_Valid(a) && (Act(a).type & ACT_USER_COMMAND))
        Act(a).type = static_cast<std::uint16_t>((Act(a).type & ~ACT_USER_COMMAND) | ACT_STOP_IN_TURN);
    return done;
}

bool Do_Start(obj_ref me, std::uint16_t a) {
    const act_entry e = Act(a);
    target_list list = Take_Held_List(e.arg2, me);
    Act(a).arg2 = 0;
    const bool started = Effect_Start(me, Act_From_Handle(e.arg1), list) != 0;
    if (Act_Valid(a) && (started || (e.type & ACT_USER_COMMAND))) Reset_Act(a);
    return started;
}

void Do_Screen(std::uint16_t c, std::uint16_t a) {
    if (selected_count > 0 && selected[0] == c) {
        const std::uint32_t screen = Act(a).arg1;
        if (screen == SCREEN_INVENTORY || screen == SCREEN_CHAR_PAGE || screen == SCREEN_SPELL_PAGE) {
            page_char = static_cast<std::int16_t>(c);
            Hook_Open_Screen(static_cast<std::uint16_t>(screen));
        } else {
            Error_Query_Quit("Invalid screen switch!");
        }
    }
    Reset_Act(a);
}

// Carries out act a of slot's list; true when it counts as done.
bool Carry_Out(std::uint16_t slot, std::uint16_t c, std::uint16_t a) {
    const obj_ref me = Make_Obj(OBJ_CHAR, c);
    switch (Kind_Of(Act(a).type)) {
        case ACT_NOTHING: return true;
        case ACT_TURN: Do_Turn(me, a); return true;
        case ACT_GO: return Do_Go(me, a);
        case ACT_FIXGO: Do_Fix_Go(c, a); return true;
        case ACT_FLEE: return Do_Flee(me, a);
        case ACT_ATTACK: return Do_Attack(slot, c, a);
        case 7:
        case 9: return false;
        case ACT_START: return Do_Start(me, a);
        case ACT_SCREEN: Do_Screen(c, a); return true;
        default: Effect_Start(me, &guard_act, nullptr); return true;
    }
}

// ---- Perception ----

// A body stands for the character that fell: acts on it are acts on him.
obj_ref Perceived_Target(obj_ref target) {
    if (Obj_Kind(target) != OBJ_ITEM) return target;
    const item_type* t = Item_Type_Of(Obj_Index(target));
    if (t == nullptr || t->item_class != CLASS_CORPSE) return target;
    const RequestValue c = Ask(target, target, REQ_PERCEPTION);
    return c >= 0 && c < chararray.Capacity() ? Make_Obj(OBJ_CHAR, static_cast<std::uint16_t>(c)) : target;
}

// Where the act is seen and heard from.
void Set_Perception_Sources(std::uint16_t field, std::int32_t sight_range, std::int32_t loudness) {
    if (field < total_fields)
        Propagate_Sound(field, static_cast<std::uint16_t>(std::clamp<std::int32_t>(loudness, 0, NO_INDEX)));
    else
        sound_source = NO_FIELD;  // nothing to hear
    Set_Sight_Target(field, static_cast<std::uint16_t>(std::clamp<std::int32_t>(sight_range, 0, NO_INDEX)));
}

// A hostile neighbour that can act strikes at a walker taking a step.
void Opportunity_Attack(obj_ref observer, std::uint16_t slot, obj_ref walker, std::uint16_t walker_slot, obj_ref target,
                        std::int32_t sight_range, std::int32_t loudness) {
    if (!Is_Char(observer)) return;
    const std::uint16_t own = Object_Field(observer);
    const std::uint16_t walker_field = Object_Field(walker);
    if (own >= total_fields || walker_field >= total_fields) return;
    // Next to it on the same level (a row's last field and the next row's
    // first are not neighbours).
    if (Field_Level(own) != Field_Level(walker_field) || Field_Distance(own, walker_field) != 1) return;
    if (!Is_Hostile(slot, walker_slot)) return;
    if (!Char_Can_Act(Obj_Index(observer)) || Ask_Or_Zero(observer, observer, REQ_ACTION_POINTS) <= 0) return;
    Turn_To_Field(observer, walker_field);
    const std::uint32_t was_acting = ai_acting;
    const std::uint32_t was_opportunity = opportunity_attack;
    ai_acting = 1;
    opportunity_attack = 1;
    // The strike told its own observers; the rest still perceive the step.
    if (Effect_Start(observer, &attack_right_act, nullptr))
        Set_Perception_Sources(Object_Field(target), sight_range, loudness);
    ai_acting = was_acting;
    opportunity_attack = was_opportunity;
}

// How far the act can be perceived, and from where: nobody farther than the
// largest sight any viewer can have sees the sight target, and nobody
// outside the sound's reach for the keenest ear hears it. Taken with what it
// was worked out from, so that a change of any of it is noticed.
struct Perception_Reach {
    std::uint16_t sight_field, sound_field;
    std::int32_t sight_x, sight_y;  // of sight_field
    std::int16_t range;
    std::int32_t seen_within, heard_within;
    std::uint32_t nodes_generation, grid_generation;
};

Perception_Reach Current_Reach(bool unbounded) {
    return {sight_target,
            sound_source,
            sight_target_x,
            sight_target_y,
            sight_range,
            Farthest_Sight(Greatest_Sight()),
            unbounded ? HEARD_EVERYWHERE : Farthest_Hearing(Greatest_Hearing()),
            Path_Nodes_Generation(),
            Observer_Grid_Generation()};
}

bool Reach_Changed(const Perception_Reach& r) {
    return r.sight_field != sight_target || r.sound_field != sound_source || r.range != sight_range ||
           r.nodes_generation != Path_Nodes_Generation() || r.grid_generation != Observer_Grid_Generation();
}

// Whether an observer on field f, at column x and row y, may see the sight
// target, whatever its sight; when not, it does not.
bool May_See(const Perception_Reach& r, std::uint16_t f, std::int32_t x, std::int32_t y) {
    if (r.seen_within == SEEN_NOWHERE || f >= total_fields || r.sight_field >= total_fields) return false;
    return Step_Distance(x - r.sight_x, y - r.sight_y) <= r.seen_within;
}
// Whether an observer on field f may hear the sound, whatever its hearing.
bool May_Hear(std::uint16_t f) { return May_Hear_At(f, Greatest_Hearing()); }

// How far away an observer sees the sight target and hears the sound,
// NO_DISTANCE for what it does not perceive. Only a character looks in a
// direction.
struct Perceived {
    std::int32_t sight, hearing;
};

Perceived Perceive(obj_ref o) { return {Is_Char(o) ? visi_dist_scope(o) : visi_dist(o), Hear_Distance(o)}; }

// The same for an observer of an act whose reach is known, asking nothing
// of one that stands beyond it. Nothing but its record answers a
// character's facing (so the kinds are built), which rules out at once
// most of those that stand near enough to see.
Perceived Perceive_Within(const Perception_Reach& r, obj_ref o) {
    std::int32_t sight = NO_DISTANCE;
    std::uint16_t at = NO_FIELD;
    if (Is_Char(o)) {
        // Its place without dividing its field index.
        const char_record& c = chararray.records[Obj_Index(o)];
        at = Char_Record_Field(c);
        Viewer_Place place{at, c.x, c.y, c.facing};
        // A place off the map's columns and rows is taken from the field index.
        if (c.x < 0 || c.y < 0 || static_cast<std::uint32_t>(c.x) >= map_width ||
            static_cast<std::uint32_t>(c.y) >= map_height) {
            place.x = at < total_fields ? static_cast<std::int32_t>(Field_X(at)) : 0;
            place.y = at < total_fields ? static_cast<std::int32_t>(Field_Y(at)) : 0;
        }
        // A facing out of 1..6 is left to visi_dist_scope_at, which reports it.
        if (May_See(r, at, c.x, c.y) &&
            (!Is_Facing(place.facing) || In_Facing_Sector(place.facing, r.sight_x - place.x, r.sight_y - place.y)))
            sight = visi_dist_scope_at(o, place);
    } else {
        at = Object_Field(o);
        if (at < total_fields &&
            May_See(r, at, static_cast<std::int32_t>(Field_X(at)), static_cast<std::int32_t>(Field_Y(at))))
            sight = visi_dist(o);
    }
    const bool may_hear = r.heard_within != HEARD_NOWHERE && May_Hear(at);
    return {sight, may_hear ? Hear_Distance(o) : NO_DISTANCE};
}

// The slots from first_slot on, in slot order, that may perceive the act
// (and the source's own slot): every other observer neither sees nor hears
// it. The notice such an observer would get says so, and no program acts on
// a notice of what it neither saw nor heard, so it is left out.
void Possible_Observers(const Perception_Reach& r, std::uint32_t first_slot, std::uint16_t source_slot,
                        std::vector<std::uint16_t>& out) {
    out.clear();
    if (r.heard_within == HEARD_EVERYWHERE) {
        Observers_Near(NO_FIELD, UNBOUNDED_RADIUS, first_slot, out);
        return;
    }
    if (r.seen_within != SEEN_NOWHERE) Observers_Near(r.sight_field, r.seen_within, first_slot, out);
    if (r.heard_within != HEARD_NOWHERE) Observers_Near(r.sound_field, r.heard_within, first_slot, out);
    if (source_slot != NO_INDEX && source_slot >= first_slot) out.push_back(source_slot);
    // Into slot order, each once, through a bit per slot.
    constexpr std::uint32_t WORD = 64;
    std::vector<std::uint64_t> marks(iqarray.Capacity() / WORD + 1, 0);
    for (std::uint16_t s : out) marks[s / WORD] |= std::uint64_t{1} << (s % WORD);
    out.clear();
    for (std::uint32_t w = 0; w < marks.size(); ++w)
        for (std::uint64_t bits = marks[w]; bits != 0; bits &= bits - 1)
            out.push_back(static_cast<std::uint16_t>(w * WORD + static_cast<std::uint32_t>(std::countr_zero(bits))));
}

// A hostile act sours the victim on the attacker, and every onlooker by
// how much it likes the victim.
void Change_Hostility(std::uint16_t slot, obj_ref observer, std::uint16_t source_slot, obj_ref target,
                      std::uint16_t target_slot) {
    if (observer == target) {
        Change_Relation(slot, source_slot, VICTIM_RELATION_DROP);
        return;
    }
    const std::int8_t* liking = Relation_Cell(slot, target_slot);
    std::int8_t* cell = Relation_Cell(slot, source_slot);
    if (liking == nullptr || cell == nullptr) return;
    const int toward_victim = *liking;
    int v = *cell - (toward_victim + ONLOOKER_BIAS) / ONLOOKER_DIVISOR;
    if (toward_victim < 0) v = std::min(v, -toward_victim);
    *cell = static_cast<std::int8_t>(std::clamp(v, -128, 127));
}

}  // namespace

// ---- Decisions ----

void Choose_Act(std::uint16_t slot) {
    std::uint16_t c = 0;
    if (!Slot_Char(slot, c)) return;
    const obj_ref me = Make_Obj(OBJ_CHAR, c);
    Object_Request(me, me, 0, REQ_AI_PROPOSALS, 0);
    Add_Act(slot, ACT_START, NOOBJ, Act_Handle(&guard_act), 0, 0);
    Take_Acts(slot);
    Compute_Reach(me, AI_REACH_BUDGET);
    const RequestValue a = Ask_Or_Zero(me, me, REQ_HOSTILITY_BASE);
    const RequestValue b = Ask_Or_Zero(me, me, REQ_ATTACK_PRIORITY_CAP);
    for (std::uint16_t i = 0; i < act_buffer.count; ++i)
        if (Kind_Of(act_buffer.entries[i].type) == ACT_RELATION)
            Weigh_Seen_Character(slot, me, act_buffer.entries[i], a, b);
    if (act_buffer.count == 0) Error_Query_Quit("No any act!!!");
    Keep_Best_Acts(slot);
    if (turn_mode) Renew_Turn_Path(slot, c);
}

void Execute_Act(std::uint16_t slot) {
    std::uint16_t c = 0;
    if (!Slot_Char(slot, c)) return;
    const obj_ref me = Make_Obj(OBJ_CHAR, c);
    std::uint16_t a = iqarray.records[slot].first_act;
    if (!Act_Valid(a)) {
        chararray.records[c].state = CS_DECIDING;
        return;
    }
    // The player's characters take the AI's advice only when it weighs as
    // much as their bond to the main character; commands always do.
    const bool obeys = Is_Active_Player_Char(me) || (!turn_mode && Is_Selected(c) && selected[0] != c);
    if (obeys && Act(a).priority < Relation_To_Main_Char(me)) return;
    if (bad_place(me)) return;

    bool any_done = false;
    for (std::uint32_t n = 0; Act_Valid(a) && n < actarray.Capacity() && IQ_Slot_In_Use(slot); ++n) {
        current_act = a;
        current_priority = Act(a).priority;
        current_slot_state = iqarray.records[slot].state;
        const std::uint16_t type = Act(a).type;
        if (turn_mode && (type & ACT_STOP_IN_TURN)) break;
        const bool user = (type & ACT_USER_COMMAND) != 0;
        ai_acting = user ? 0 : 1;
        const bool done = Carry_Out(slot, c, a);
        any_done = any_done || done;
        if (user || done || !Act_Valid(a)) break;
        Lower_Priority(a, PASSED_OVER_DROP);
        a = Act(a).next;
    }
    current_act = NO_INDEX;
    ai_acting = 0;
    if (!any_done && !Is_Active_Player_Char(me)) Effect_Start(me, &guard_act, nullptr);
}

// ---- Moving ----

int Char_Go(obj_ref obj, obj_ref target) {
    if (current_act != NO_INDEX && current_slot_state > current_priority) return 0;
    if (!Is_Char(obj)) {
        Error_Query_Quit("Non-character object try to go!");
        return 0;
    }
    const std::uint16_t c = Obj_Index(obj);
    const std::uint16_t field = Object_Field(target);
    if (Char_Path(c) != nullptr && Object_Field(chararray.records[c].path_target) == field && Can_Step_Next(c))
        return 1;
    Free_Char_Path(c);
    if (field >= total_fields) return 0;
    path(c, X_Of(field), Y_Of(field), static_cast<std::int32_t>(Field_Level(field)), 0);
    if (path_count == 0) return 0;
    Store_Char_Path(c, pathdirs.data(), path_count, target);
    return 1;
}

void Char_Turn(obj_ref obj, std::int32_t x, std::int32_t y) {
    if (!Is_Char(obj)) {
        Error_Query_Quit("Non-character object try to turn!");
        return;
    }
    const char_record& r = chararray.records[Obj_Index(obj)];
    if (x == r.x && y == r.y) return;
    const std::int32_t dx = std::clamp<std::int32_t>(x - r.x, -0x7FFF, 0x7FFF);
    const std::int32_t dy = std::clamp<std::int32_t>(y - r.y, -0x7FFF, 0x7FFF);
    Object_Request(obj, obj, 0, REQ_SET_FACING,
                   Direction_Of_Vector(static_cast<std::int16_t>(dx), static_cast<std::int16_t>(dy)));
}

// The own field is weighed like its six neighbours, and a neighbour is taken
// only when it weighs strictly less than everything before it, the own field
// first: a character flees only to a field safer than where it stands.
// Weights are compared as signed numbers, so that friends draw the
// character toward them.
std::uint16_t Fear_Calculation(obj_ref obj) {
    if (!Is_Char(obj) || !Path_Arrays_Ready()) return NO_FIELD;
    const std::uint16_t own = Object_Field(obj);
    if (own >= total_fields) return NO_FIELD;
    const std::uint16_t own_slot = Object_IQ_Slot(obj);

    enum : std::uint8_t { UNMARKED, FRIEND, ENEMY };
    std::vector<std::uint8_t> marks;
    try {
        marks.assign(iqarray.Capacity(), UNMARKED);
    } catch (const std::bad_alloc&) {
        Error_Query_Quit("Not enough memory for fear-calculation");
        return NO_FIELD;
    }
    Compute_Reach(obj, AI_REACH_BUDGET);
    for (std::uint16_t s = 0; s < iqarray.used && s < marks.size(); ++s) {
        // Only characters move; an object that cannot reach anything adds nothing.
        if (s == own_slot || !IQ_Slot_In_Use(s) || !Is_Char(iqarray.records[s].object)) continue;
        const std::uint16_t f = Object_Field(iqarray.records[s].object);
        if (f >= total_fields || Node_Cost(path_nodes[f]) == 0) continue;
        const std::int8_t* cell = Relation_Cell(own_slot, s);
        const std::int8_t relation = cell != nullptr ? *cell : FRIEND_ABOVE;
        if (relation > FRIEND_ABOVE) marks[s] = FRIEND;
        if (relation < FRIEND_ABOVE) marks[s] = ENEMY;
    }

    std::array<std::uint16_t, 7> fields{};
    std::array<std::int32_t, 7> weight{};
    fields[0] = own;
    for (int k = 1; k <= 6; ++k) fields[k] = Neighbour_Field(own, k);
    for (std::uint16_t s = 0; s < marks.size(); ++s) {
        if (marks[s] == UNMARKED || !IQ_Slot_In_Use(s)) continue;
        Compute_Reach(iqarray.records[s].object, AI_REACH_BUDGET);
        for (int k = 0; k <= 6; ++k) {
            if (fields[k] == NO_FIELD) continue;
            const std::int32_t reach = Node_Cost(path_nodes[fields[k]]);
            weight[k] += marks[s] == ENEMY ? reach : -reach;
        }
    }
    std::int32_t best = weight[0];
    std::uint16_t chosen = NO_FIELD;
    for (int k = 1; k <= 6; ++k) {
        if (fields[k] == NO_FIELD || weight[k] >= best) continue;
        best = weight[k];
        chosen = fields[k];
    }
    return chosen;
}

// ---- Perception ----

void Step_Side_Effect(obj_ref source, obj_ref target, act_desc* act, std::uint16_t side_flags, std::int32_t sight_range,
                      std::int32_t loudness, std::uint32_t act_flags) {
    // Every observer is asked several questions; no area entry changes meanwhile.
    const Area_Modifier_Scope area_scope;
    target = Perceived_Target(target);
    const std::uint16_t origin = (side_flags & NOTICE_FROM_SOURCE) ? Object_Field(source) : Object_Field(target);
    Set_Perception_Sources(origin, sight_range, loudness);

    const bool source_is_char = Is_Char(source);
    const std::uint16_t source_slot = Object_IQ_Slot(source);
    const std::uint16_t target_slot = Is_Char(target) ? Object_IQ_Slot(target) : NO_INDEX;
    const bool hostile =
        (act_flags & ACT_HOSTILE) && (side_flags & NOTICE_HOSTILE) && source_is_char && Is_Char(target);
    const bool step = act == &step_act;
    if (step && !source_is_char) Error_Query_Quit("Non-character step side-effect");

    const bool party_source = source_is_char && Is_Player_Char(Obj_Index(source));
    // A kind's handler stood in by another (as tests do) may heed every
    // notice and answer any sight: then every observer is asked and told.
    const bool all_told = !Mod_Kinds_As_Built();
    Perception_Reach reach = Current_Reach(all_told);
    // Nothing the observers are asked or told changes what stands on the
    // map, but an attack of opportunity: each field on the sight lines is
    // costed once.
    std::optional<Sight_Cost_Scope> sight_costs;
    if (!all_told) sight_costs.emplace();
    auto notice = [&](std::uint16_t s) {
        if (s >= iqarray.used || !IQ_Slot_In_Use(s)) return;
        const obj_ref o = iqarray.records[s].object;
        if (o == source) {
            if (party_source && Object_Request(o, o, 0, REQ_ACTIVE, 1) != 0) {
                party_sight_distance = 0;
                party_hearing_distance = 0;
                party_observer = source;
            }
            return;
        }
        // Asking changes nothing, so the cheaper questions come first: when
        // nobody heeds a notice of what was neither seen nor heard, an
        // observer that perceives nothing is left out, active or not.
        if (all_told && Object_Request(o, o, 0, REQ_ACTIVE, 1) == 0) return;
        const Perceived p = all_told ? Perceive(o) : Perceive_Within(reach, o);
        const std::int32_t sight = p.sight, hearing = p.hearing;
        const bool perceived = sight < NO_DISTANCE || hearing < NO_DISTANCE;
        if (!all_told && (!perceived || Object_Request(o, o, 0, REQ_ACTIVE, 1) == 0)) return;
        // The observer is active: a party member is one of lobby 0. Its
        // lobby is asked only when it could be the party's nearest.
        const bool nearer = sight < party_sight_distance || hearing < party_hearing_distance;
        if (perceived && Is_Char(o) && (all_told || nearer) && Ask(o, o, REQ_LOBBY) == 0) {
            if (sight < party_sight_distance) {
                party_sight_distance = sight;
                party_observer = o;
            }
            if (hearing < party_hearing_distance) {
                party_hearing_distance = hearing;
                if (party_sight_distance == NO_DISTANCE) party_observer = o;
            }
        }
        if (perceived) {
            if (step && source_is_char) {
                Opportunity_Attack(o, s, source, source_slot, target, sight_range, loudness);
                Forget_Sight_Costs();
            }
            if (hostile) Change_Hostility(s, o, source_slot, target, target_slot);
            Note_Seen_Object(s, source);
        }
        perception_record record{source,    target, act,     game_clock, side_flags,
                                 act_flags, sight,  hearing, s,          &iqarray.records[s]};
        Object_Request(o, o, 0, REQ_NOTICE_STEP, Pointer_Value(&record));
    };

    // The observers in slot order. An attack of opportunity moves the sight
    // and sound sources, and what it sets off may move, add or remove
    // observers: then the rest are found anew.
    std::vector<std::uint16_t> observers;
    Possible_Observers(reach, 0, source_slot, observers);
    std::size_t i = 0;
    std::uint32_t next_slot = 0;
    for (;;) {
        if (Reach_Changed(reach)) {
            reach = Current_Reach(all_told);
            Possible_Observers(reach, next_slot, source_slot, observers);
            i = 0;
        }
        if (i >= observers.size()) break;
        const std::uint16_t s = observers[i++];
        next_slot = static_cast<std::uint32_t>(s) + 1;
        notice(s);
    }
    if ((side_flags & NOTICE_ANNOUNCE) && party_sight_distance < ANNOUNCE_WITHIN && act != nullptr)
        Ask_Act_Value(source, target, act, REQ_ACT_ANNOUNCE);
}

// ---- Held paths ----

std::uint32_t Hold_Act_Path(const std::uint32_t* entries, std::uint16_t count, obj_ref owner) {
    if (entries == nullptr || count == 0) return 0;
    std::vector<HeldPath>& held = Held_Paths();
    for (std::size_t h = 0; h < held.size(); ++h) {
        if (!held[h].entries.empty()) continue;
        held[h] = {owner, {entries, entries + count}};
        return static_cast<std::uint32_t>(h + 1);
    }
    held.push_back({owner, {entries, entries + count}});
    return static_cast<std::uint32_t>(held.size());
}

void Drop_Held_Act_Paths() { Held_Paths().clear(); }
