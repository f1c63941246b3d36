// Game time: one tick counter, its calendar, and the rate at which the main
// loop advances it.
#pragma once
#include <cstdint>

constexpr std::uint32_t TICKS_PER_MINUTE = 960;
constexpr std::uint32_t TICKS_PER_HOUR = 57600;      // 60 minutes
constexpr std::uint32_t TICKS_PER_DAY = 1382400;     // 24 hours
constexpr std::uint32_t TICKS_PER_MONTH = 41472000;  // 30 days
constexpr std::uint32_t TICKS_PER_YEAR = 497664000;  // 12 months
constexpr std::uint32_t DAYS_PER_WEEK = 7;
constexpr std::uint32_t ROUND_TICKS = 192;                // one round of turn-based play
constexpr std::uint32_t NEW_GAME_CLOCK = TICKS_PER_YEAR;  // year 1, month 0, day 0, 00:00

// Ticks since year 0; compared with timer due times as a signed number.
extern std::uint32_t game_clock;

// Filled by Split_Game_Time.
struct split_time {
    std::int16_t year, month, day, hour, minute, weekday;
};
extern split_time game_time;

// The rate of the clock. turn_mode is 1 while characters act one at a time;
// outside it each main-loop tick adds clock_step, which follows game_speed
// (1..12). They belong to the turn switching and are stored with the map.
constexpr std::uint32_t DEFAULT_GAME_SPEED = 4;
extern std::uint32_t turn_mode;
extern std::uint32_t clock_step;
extern std::uint32_t game_speed;

// A new game's clock and rate: the clock at NEW_GAME_CLOCK, real-time play
// at speed 4.
void Reset_Clock_State();
void Reset_Game_Clock();
void Set_Game_Clock(std::uint32_t ticks);
// Adds d ticks and delivers the timer events that have fallen due.
void Advance_Game_Clock(std::uint32_t d);

std::uint32_t Make_Game_Time(std::int16_t year, std::int16_t month, std::int16_t day, std::int16_t hour,
                             std::int16_t minute);
std::uint32_t Make_Game_Date(std::int16_t year, std::int16_t month, std::int16_t day);
std::uint32_t Make_Time_Of_Day(std::int16_t hour, std::int16_t minute);
// Fills game_time from ticks; returns the minute.
std::int16_t Split_Game_Time(std::int32_t ticks);
