#include "Objects/Timers.h"

// Minimal stand-in until the timer array is built: nothing is pending.
void Timer_Remove_Mod(std::uint16_t) {}
