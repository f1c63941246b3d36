#include "frontend/WorldStandIns.h"

#include "Objects/Char/Party.h"
#include "Objects/GameClock.h"
#include "Objects/ObjRef.h"

void Chars_Tick() {}

void Leave_Turn_Mode() {
    clock_step = game_speed;
    turn_mode = 0;
    selected_count = 0;
    selected[0] = NO_INDEX;
}
