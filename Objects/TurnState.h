// The game clock and the turn-mode globals that the characters and the
// requests read. Stand-in declarations until the clock and turn modules
// are merged; they define these names themselves.
#pragma once
#include <cstdint>

extern std::uint32_t game_clock;  // game time in ticks
extern std::uint32_t turn_mode;   // 1 in turn mode
extern std::uint32_t clock_step;  // ticks of game time per main tick
extern std::uint32_t game_speed;  // 1..12

constexpr std::uint32_t ROUND_TICKS = 192;  // one round of game time
