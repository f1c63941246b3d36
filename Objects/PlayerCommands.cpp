#include "Objects/PlayerCommands.h"

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/GameClock.h"
#include "Objects/Request.h"
#include "Objects/Turns.h"

namespace {

// A waiting character pays this share of its maximum action points.
constexpr RequestValue WAIT_SHARE = 4;

// The leading character starts act on its next decision, at its relation
// to the main character.
void Order_Act(act_desc& act) {
    if (!Player_May_Command()) return;
    Command_Char(selected[0], ACT_START, OBJ_NONE, NO_INDEX, Act_Handle(&act), 0, -1);
}

bool May_Wait(std::uint16_t state) { return state == CS_EXECUTE || state == CS_DECIDING || state == CS_WAITING; }

}  // namespace

bool Player_May_Command() { return selected_count > 0 && Is_Active_Player_Char(current_object); }

void Cmd_Attack_Right(std::uint32_t, int) { Order_Act(attack_right_act); }

void Cmd_Attack_Left(std::uint32_t, int) {}

void Cmd_Repeat_Last_Order(std::uint32_t, int) {}

void Cmd_Wait_For_Others(std::uint32_t, int) {
    if (!turn_mode || !Player_May_Command()) return;
    const std::uint16_t c = selected[0];
    if (!Char_In_Use(c) || !May_Wait(chararray.records[c].state)) return;
    const RequestValue points = Ask_Self_Or_Zero(current_object, REQ_ACTION_POINTS);
    const RequestValue most = Ask_Self_Or_Zero(current_object, REQ_MAX_ACTION_POINTS);
    if (points > most / WAIT_SHARE) {
        chararray.records[c].state = CS_WAITING;
        const obj_ref who = Make_Obj(OBJ_CHAR, c);
        Object_Request(who, who, 0, REQ_CHANGE_ACTION_POINTS, -(most / WAIT_SHARE));
        Next_Actor();
    } else {
        // Too little left to wait on: it guards for the rest of the round.
        Effect_Start(current_object, &guard_act, nullptr);
    }
}

void Cmd_Guard(std::uint32_t, int) {
    if (turn_mode) Order_Act(guard_act);
}

void Cmd_Operate_Item(std::uint32_t, int) { Order_Act(operate_act); }

void Cmd_Haste(std::uint32_t, int) { Order_Act(haste_act); }
