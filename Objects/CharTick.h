// The character tick: every character's state machine, run once per game
// tick for every character in real time, for the acting one in turn mode.
#pragma once
#include <cstdint>

// AI decisions left in this tick (three a tick in real time).
extern std::int32_t decision_budget;
// The character index where the next real-time tick starts.
extern std::uint32_t tick_cursor;

void Chars_Tick();
