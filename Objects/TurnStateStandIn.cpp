// Stand-in definitions of the clock and turn-mode globals (see TurnState.h).
#include "Objects/TurnState.h"

std::uint32_t game_clock = 0;
std::uint32_t turn_mode = 0;
std::uint32_t clock_step = 4;
std::uint32_t game_speed = 4;
