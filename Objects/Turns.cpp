// Turn mode, rounds and the choice of the next actor.
#include "Objects/Turns.h"

#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/GameClock.h"
#include "Objects/Request.h"

namespace {

void Change(obj_ref who, request_no request, RequestValue value) { Object_Request(who, who, 0, request, value); }

// A guarding or waiting character decides again in a new round.
void Wake(char_record& r) {
    if (r.state == CS_GUARDING || r.state == CS_WAITING) r.state = CS_DECIDING;
}

bool Acts_On_Action_Points(std::uint16_t state) {
    return state == CS_EXECUTE || state == CS_DECIDING || state == CS_DONE;
}

bool Acts_On_Share_Left(std::uint16_t state) {
    return state == CS_WAITING || (state >= CS_STEPPING && state <= CS_TURN_DONE);
}

// The character to act next: most action points among those deciding or
// done, else the largest share of its maximum left among those waiting or
// busy; ties go to the lower index. NO_INDEX when nobody can act.
std::uint16_t Best_Actor() {
    std::uint16_t first = NO_INDEX, second = NO_INDEX;
    RequestValue first_best = 0, second_best = 0;
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c) {
        const obj_ref who = Make_Obj(OBJ_CHAR, c);
        if (!Char_In_Use(c) || Ask_Self_Or_Zero(who, REQ_ACTIVE) == 0) continue;
        const std::uint16_t state = chararray.records[c].state;
        const RequestValue points = Ask_Self_Or_Zero(who, REQ_ACTION_POINTS);
        if (Acts_On_Action_Points(state)) {
            if (points > first_best) {
                first_best = points;
                first = c;
            }
        } else if (Acts_On_Share_Left(state)) {
            const RequestValue most = Ask_Self_Or_Zero(who, REQ_MAX_ACTION_POINTS);
            if (most <= 0) continue;  // no maximum, no share
            const RequestValue share = points * 65536 / most;
            if (share > second_best) {
                second_best = share;
                second = c;
            }
        }
    }
    return first != NO_INDEX ? first : second;
}

}  // namespace

void Enter_Turn_Mode() {
    clock_step = TURN_CLOCK_STEP;
    New_Round(NOOBJ);
}

void Leave_Turn_Mode() {
    clock_step = game_speed;
    turn_mode = 0;
    selected_count = 0;
    selected[0] = NO_INDEX;
}

void New_Round(obj_ref o) {
    chararray.For_Each_Used([](std::uint16_t c) {
        const obj_ref who = Make_Obj(OBJ_CHAR, c);
        Wake(chararray.records[c]);
        Change(who, REQ_SET_ACTION_POINTS, Ask_Self_Or_Zero(who, REQ_MAX_ACTION_POINTS));
    });
    turn_mode = 1;
    if (Obj_Kind(o) == OBJ_CHAR && Char_In_Use(Obj_Index(o)))
        Select_Char(Obj_Index(o));
    else
        Next_Actor();
}

void New_Round_All() {
    if (!turn_mode) return;
    Advance_Game_Clock(ROUND_TICKS);
    chararray.For_Each_Used([](std::uint16_t c) {
        const obj_ref who = Make_Obj(OBJ_CHAR, c);
        Wake(chararray.records[c]);
        const RequestValue most = Ask_Self_Or_Zero(who, REQ_MAX_ACTION_POINTS);
        if (Ask_Self_Or_Zero(who, REQ_ACTION_POINTS) < 1)
            Change(who, REQ_CHANGE_ACTION_POINTS, most);
        else
            Change(who, REQ_SET_ACTION_POINTS, most);
    });
}

std::uint16_t Next_Actor() {
    if (!turn_mode) return NO_INDEX;
    std::uint16_t c = Best_Actor();
    if (c == NO_INDEX) {
        New_Round_All();
        c = Best_Actor();
    }
    if (c != NO_INDEX) Select_Char(c);
    return c;
}
