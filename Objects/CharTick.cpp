// The character tick: which characters run in a tick, and each one's state
// machine: idle and flying animation, decision, execution, the step along
// the stored path and the states the act engine sets.
#include "Objects/CharTick.h"

#include <algorithm>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Hooks.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/PathSearch.h"
#include "Objects/Request.h"
#include "Objects/Turns.h"
#include "System/ErrorReport.h"
#include "System/Random.h"

std::int32_t decision_budget = 0;
std::uint32_t tick_cursor = 0;
std::uint16_t leading_field = NO_FIELD;

void Reset_Char_Tick_State() {
    decision_budget = 0;
    tick_cursor = 0;
    leading_field = NO_FIELD;
}

namespace {

// Idle animation: now and then a character shifts its weight.
constexpr int IDLE_CHANCE = 70;
constexpr std::uint32_t IDLE_LAST = 64;
constexpr std::int8_t IDLE_TOP_FRAME = 3;  // frames above are walking, fighting or held
constexpr std::int8_t IDLE_SHIFT_FRAME = 1;
constexpr std::int8_t IDLE_LEAN_FRAME = 3;

// Walking frames, also the flying cycle.
constexpr std::int8_t FIRST_WALK_FRAME = 4;
constexpr std::int8_t LAST_WALK_FRAME = 11;
constexpr std::int32_t WALK_FRAMES = 8;
constexpr std::int32_t WALK_FRAME_PHASE = 335;

// The step timer: bits 0-7 the destination's entry cost, bits 8-31 the
// ticks since the step began.
constexpr std::uint32_t STEP_TIMER_TICK = 256;
constexpr std::uint32_t STEP_COST_MASK = 0xFF;
constexpr std::int64_t MIN_STEP_COST = 1;
constexpr std::int64_t MAX_STEP_COST = 255;
constexpr std::int64_t MIN_STEP_SPEED = 1;
constexpr std::int64_t MAX_STEP_SPEED = 0x7FFFFFFF;

// The view follows a stepping character seen by the party when it comes
// this close to the view's edges.
constexpr std::int32_t VIEW_MARGIN_LEFT = 50;
constexpr std::int32_t VIEW_MARGIN_RIGHT = 50;
constexpr std::int32_t VIEW_MARGIN_TOP = 100;
constexpr std::int32_t VIEW_MARGIN_BOTTOM = 30;
constexpr std::int32_t VIEW_ROW_STEP = 21;
constexpr std::int32_t VIEW_FIELD_WIDTH = 42;

// Turn mode: a character no party member sees plays on within the same
// tick, at most this many of its ticks.
constexpr int MAX_HIDDEN_TICKS = 256;

obj_ref Ref(std::uint16_t c) { return Make_Obj(OBJ_CHAR, c); }
// Re-read after every call that may add characters: the array may move.
char_record& Rec(std::uint16_t c) { return chararray.records[c]; }

bool Is_First_Selected(std::uint16_t c) { return selected_count > 0 && selected[0] == c; }

// The destination of a step in progress; NO_FIELD when the record holds none.
std::uint16_t Step_Destination(std::uint16_t c) {
    const std::uint16_t dest = static_cast<std::uint16_t>(Rec(c).act & 0xFFFF);
    return dest < total_fields ? dest : NO_FIELD;
}

// Whether the clock stamp lies ahead of the game clock (compared as a
// signed difference, like the timers' due times).
bool Stamp_Ahead(std::uint32_t stamp) { return static_cast<std::int32_t>(stamp - game_clock) > 0; }

// ---- Falling out ----

// An unconscious or dead character leaves the selection, gives up the
// field it was stepping into and, in turn mode, hands the turn on.
void Fall_Out(std::uint16_t c) {
    if (Is_First_Selected(c)) {
        Toggle_Select_Char(c);
        selected[0] = NO_INDEX;
    }
    if (Rec(c).state == CS_STEPPING) {
        const std::uint16_t dest = Step_Destination(c);
        if (dest != NO_FIELD) Object_Request(Ref(c), Field_Head(dest), 0, REQ_SET_BLOCKED, 0);
        Rec(c).state = CS_DONE;
    }
    if (turn_mode) Next_Actor();
}

// ---- Animation ----

void Idle_Animation(char_record& r) {
    if (r.frame > IDLE_TOP_FRAME) {
        r.idle_counter = 0;
        return;
    }
    const std::uint32_t n = r.idle_counter;
    if (n == 0) {
        if (Random(IDLE_CHANCE) == 0) r.idle_counter = 1;
        return;
    }
    if (n <= 2 || n == 31 || n == 32)
        r.frame = IDLE_SHIFT_FRAME;
    else if (n <= 30)
        r.frame = IDLE_LEAN_FRAME;
    r.idle_counter = n >= IDLE_LAST ? 0 : n + 1;
}

// The frame of this tick; false when the character waits for its stamp.
bool Animate(std::uint16_t c) {
    char_record& r = Rec(c);
    if (r.flags & CF_FLYING) {
        r.frame = r.frame >= LAST_WALK_FRAME ? FIRST_WALK_FRAME : static_cast<std::int8_t>(r.frame + 1);
        return true;
    }
    if (r.state != CS_EXECUTING && r.state != CS_ACT_PREPARED && !(r.flags & CF_HELD_POSE)) r.frame = 0;
    if (turn_mode) return true;
    Idle_Animation(r);
    return !Stamp_Ahead(r.ap_stamp);
}

// ---- Stepping ----

// Shows the destination's level and keeps a seen stepper inside the view.
void Follow_In_View(std::uint16_t c, std::uint16_t dest) {
    shown_level = Field_Level(dest);
    std::int32_t width = 0, height = 0;
    if (!Hook_Map_View_Size(width, height)) return;
    const std::int32_t row = static_cast<std::int32_t>(Field_Y(dest));
    const std::int32_t column = static_cast<std::int32_t>(Field_X(dest));
    const std::int32_t x = row * VIEW_ROW_STEP + column * VIEW_FIELD_WIDTH - scroll_x;
    const std::int32_t y = row * VIEW_ROW_STEP - scroll_y;
    if (x < VIEW_MARGIN_LEFT || x > width - VIEW_MARGIN_RIGHT || y < VIEW_MARGIN_TOP || y > height - VIEW_MARGIN_BOTTOM)
        Hook_Center_On_Object(Ref(c));
}

// The body crosses into the destination field.
void Cross_Into(std::uint16_t c, std::uint16_t dest) {
    const obj_ref who = Ref(c);
    Remove_Object(who);
    Put_Object_To_Field(who, dest);
    Object_Request(who, Field_Head(dest), 0, REQ_SET_BLOCKED, 0);
    if (!turn_mode) return;
    leading_field = Object_Field(who);
    Check_Hidden_From_Party(who);
    if (!party_hidden) Follow_In_View(c, dest);
}

void End_Step(std::uint16_t c, std::uint16_t dest) {
    const obj_ref who = Ref(c);
    Rec(c).offset_x = 0;
    Rec(c).offset_y = 0;
    Object_Request(who, Field_Head(dest), 0, REQ_STEPPED_ON, 0);
    Object_Request(who, who, 0, REQ_STEPPED_ON, 0);
    char_record& r = Rec(c);
    r.state = turn_mode ? CS_EXECUTE : CS_DECIDING;
    r.flags = static_cast<std::uint16_t>(r.flags & ~CF_HELD_POSE);
}

void Set_Step_Offsets(char_record& r, std::int32_t d) {
    std::int32_t x = 0, y = 0;
    switch (r.facing) {
        case 1: x = d; break;
        case 2:
            x = d / 2;
            y = d / 2;
            break;
        case 3:
            x = -d / 2;
            y = d / 2;
            break;
        case 4: x = -d; break;
        case 5:
            x = -d / 2;
            y = -d / 2;
            break;
        case 6:
            x = d / 2;
            y = -d / 2;
            break;
        default: break;
    }
    r.offset_x = static_cast<std::int8_t>(x);
    r.offset_y = static_cast<std::int8_t>(y);
}

// One tick of a step: the progress grows with the ticks since the step
// began, the faster the more action points the character has and the
// cheaper the field.
void Step(std::uint16_t c) {
    const std::uint16_t dest = Step_Destination(c);
    if (dest == NO_FIELD) {
        // A record that names no field cannot step anywhere.
        Rec(c).state = CS_DONE;
        return;
    }
    const std::int64_t speed =
        std::clamp<std::int64_t>(Ask_Self_Or_Zero(Ref(c), REQ_MAX_ACTION_POINTS), MIN_STEP_SPEED, MAX_STEP_SPEED);
    char_record& r = Rec(c);
    const std::int32_t before = static_cast<std::int32_t>(std::min<std::uint32_t>(r.target, STEP_DONE));
    r.source += STEP_TIMER_TICK;
    const std::int64_t ticks = r.source >> 8;
    const std::int64_t cost = std::clamp<std::int64_t>(r.source & STEP_COST_MASK, MIN_STEP_COST, MAX_STEP_COST);
    std::int64_t progress = ticks * (static_cast<std::int64_t>(clock_step) * STEP_DONE * speed) /
                            (cost * static_cast<std::int64_t>(ROUND_TICKS));
    progress = std::min<std::int64_t>({progress, before + STEP_CROSSING, STEP_DONE});
    const std::int32_t p = static_cast<std::int32_t>(progress);
    r.target = static_cast<std::uint32_t>(p);

    const std::int32_t d = p >= STEP_CROSSING ? p - STEP_DONE : p;
    std::int32_t frame = (p * 8 + WALK_FRAME_PHASE) / STEP_DONE;
    frame %= WALK_FRAMES;
    r.frame = static_cast<std::int8_t>(frame + FIRST_WALK_FRAME);
    Set_Step_Offsets(r, d);

    if (before < STEP_CROSSING && p >= STEP_CROSSING) Cross_Into(c, dest);
    if (before < STEP_DONE && p >= STEP_DONE) End_Step(c, dest);
}

// ---- Executing ----

// The next entry of the stored path becomes a step.
void Take_Path_Step(std::uint16_t c) {
    const std::vector<std::uint32_t>* entries = Char_Path(c);
    if (entries == nullptr) return;
    const std::uint16_t index = Rec(c).path_entry;
    if (index >= entries->size()) {
        // An entry index beyond the path (a damaged record): the path is spent.
        Free_Char_Path(c);
        return;
    }
    const std::uint32_t entry = (*entries)[index];
    if (Node_Type(entry) == PT_BLOCKED) {
        Free_Char_Path(c);
        Rec(c).state = CS_DONE;
        return;
    }
    const obj_ref who = Ref(c);
    Object_Request(who, who, 0, REQ_SET_FACING, Node_Dir(entry));
    Effect_Start(who, &step_act, nullptr);
    // A walker struck down on its way out does not move on.
    if (Rec(c).state != CS_STEPPING || Ask_Self_Or_Zero(Ref(c), REQ_ACTIVE) == 0) return;
    Rec(c).ap_stamp = game_clock;
    Step(c);
}

void Execute(std::uint16_t c) {
    if (turn_mode && Ask_Self_Or_Zero(Ref(c), REQ_ACTION_POINTS) <= 0) {
        Next_Actor();
        return;
    }
    Execute_Act(Rec(c).ai_slot);
    if (Char_In_Use(c)) Take_Path_Step(c);
}

void Decide(std::uint16_t c) {
    const std::int32_t before = decision_budget--;
    if (before > 0 || Is_Selected(c)) Choose_Act(Rec(c).ai_slot);
    Rec(c).state = CS_EXECUTE;
    Execute(c);
}

// States 6 and 7: the act the character carries out itself.
void Execute_Own_Act(std::uint16_t c) {
    act_desc* act = Char_Act(c);
    if (act == nullptr) {
        // No act to carry out (a damaged record): the character is done.
        Rec(c).state = CS_DONE;
        return;
    }
    Effect_Execute(Ref(c), act, Char_Target_List(c));
}

// State 9: the act of an item the character holds.
void Execute_Item_Act(std::uint16_t c) {
    act_desc* act = Char_Act(c);
    const obj_ref item = Char_Act_Source(c);
    if (act == nullptr || Obj_Kind(item) != OBJ_ITEM) {
        Rec(c).state = CS_DONE;
        return;
    }
    Effect_Execute(item, act, Char_Target_List(c));
    if (Rec(c).state != CS_ITEM_ACT) Object_Request(Ref(c), item, 0, REQ_AMMO, -1);
}

void Run_State(std::uint16_t c) {
    switch (Rec(c).state) {
        case CS_GUARDING:
        case CS_WAITING:
            if (turn_mode) return;
            Decide(c);
            return;
        case CS_DECIDING:
        case CS_DONE: Decide(c); return;
        case CS_EXECUTE: Execute(c); return;
        case CS_STEPPING: Step(c); return;
        case CS_EXECUTING: Execute_Own_Act(c); return;
        case CS_ACT_PREPARED:
            Hook_Center_On_Object(Ref(c));
            Effect_Reset_Target(Ref(c), Char_Act(c), Char_Target_List(c));
            Rec(c).state = CS_EXECUTING;
            Execute_Own_Act(c);
            return;
        case CS_TURN_DONE:
            Rec(c).state = CS_WAITING;
            Next_Actor();
            return;
        case CS_ITEM_ACT: Execute_Item_Act(c); return;
        default: Fatal_Error("Invalid character command", ""); return;
    }
}

// ---- The two modes ----

void Real_Time_Tick() {
    const std::uint32_t capacity = chararray.Capacity();
    if (capacity == 0) return;
    // A cursor beyond the array (a map with fewer characters) starts over.
    const std::uint32_t start = tick_cursor < capacity ? tick_cursor : 0;
    tick_cursor = start;
    decision_budget = DECISIONS_PER_TICK;
    party_hidden = 0;
    std::uint32_t i = start;
    do {
        if (Char_In_Use(static_cast<std::uint16_t>(i))) Char_Tick(static_cast<std::uint16_t>(i));
        i = i + 1 >= chararray.Capacity() ? 0 : i + 1;
        if (decision_budget == 0) tick_cursor = i;
    } while (i != start);
}

// What a tick of the acting character may change; a hidden actor whose
// tick changed none of it waits for the next main tick.
struct Actor_Mark {
    std::uint16_t actor, state;
    std::int16_t x, y, level, points;
    std::uint32_t progress, timer;
    bool operator==(const Actor_Mark&) const = default;
};

Actor_Mark Mark_Of(std::uint16_t c) {
    if (!Char_In_Use(c)) return Actor_Mark{c, 0, 0, 0, 0, 0, 0, 0};
    const char_record& r = Rec(c);
    return Actor_Mark{c, r.state, r.x, r.y, r.map_level, r.action_points, r.target, r.source};
}

void Turn_Mode_Tick() {
    leading_field = NO_FIELD;
    for (int n = 0; n < MAX_HIDDEN_TICKS; ++n) {
        // Nobody leads (the leader fell and nobody else could take over):
        // the turn goes to whoever can act.
        if ((selected_count == 0 || !Char_In_Use(selected[0])) && Next_Actor() == NO_INDEX) return;
        const std::uint16_t field = Object_Field(current_object);
        if (field != leading_field) {
            leading_field = field;
            Check_Hidden_From_Party(current_object);
        }
        decision_budget = 1;
        const std::uint16_t actor = selected[0];
        const Actor_Mark before = Mark_Of(actor);
        Char_Tick(actor);
        if (!party_hidden) return;
        if (selected[0] == actor && Mark_Of(actor) == before) return;
    }
}

}  // namespace

void Chars_Tick() {
    if (turn_mode)
        Turn_Mode_Tick();
    else
        Real_Time_Tick();
}

void Char_Tick(std::uint16_t c) {
    if (!Char_In_Use(c)) return;
    if (Ask_Self_Or_Zero(Ref(c), REQ_ACTIVE) == 0) {
        Fall_Out(c);
        return;
    }
    if (Rec(c).state == CS_SUSPENDED) return;
    if (!Animate(c)) return;
    if (turn_mode && anim_wait != 0 && party_hidden == 0) return;
    Run_State(c);
}

bool Char_Can_Act(std::uint16_t c) {
    if (!Char_In_Use(c)) return false;
    const std::uint16_t state = Rec(c).state;
    return state != CS_STEPPING && state != CS_EXECUTING && state != CS_ACT_PREPARED;
}
