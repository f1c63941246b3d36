// Turn mode and rounds: one character acts at a time, each round adds 192
// ticks of game time and refills action points.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

// clock_step in turn mode.
constexpr std::uint32_t TURN_CLOCK_STEP = 4;

void Enter_Turn_Mode();
void Leave_Turn_Mode();
// Starts turn mode with a fresh round, then selects character o, or the
// next actor when o is not a character.
void New_Round(obj_ref o);
// In turn mode: the clock moves on a round and action points are refilled,
// a debt carrying over.
void New_Round_All();
// In turn mode: selects the character that acts next, starting at most one
// new round. The character chosen, NO_INDEX when none can act.
std::uint16_t Next_Actor();
