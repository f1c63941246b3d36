// Stand-in until the character tick is built: nobody acts.
#include "Objects/CharTick.h"

std::int32_t decision_budget = 0;
std::uint32_t tick_cursor = 0;

void Chars_Tick() {}
