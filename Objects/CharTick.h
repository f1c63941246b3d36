// The character tick: every character's state machine, run once per game
// tick for every character in real time, for the acting one in turn mode.
#pragma once
#include <cstdint>

// AI decisions left in this tick (three a tick in real time).
extern std::int32_t decision_budget;
// The character index where the next real-time tick starts.
extern std::uint32_t tick_cursor;
// Turn mode: the field of the current object when it was last checked for
// being hidden from the party; 0xFFFF none.
extern std::uint16_t leading_field;
// No decisions handed out, the round robin at character 0, no leading field.
void Reset_Char_Tick_State();

// Decisions a real-time tick hands out, round robin.
constexpr std::int32_t DECISIONS_PER_TICK = 3;

// The step of a character from one field to the next, in progress units.
constexpr std::int32_t STEP_CROSSING = 21;  // the body crosses into the destination
constexpr std::int32_t STEP_DONE = 42;

// Called once per main tick: in real time every character, in turn mode
// the acting one.
void Chars_Tick();
// Runs one character's state machine.
void Char_Tick(std::uint16_t c);
// False while the character steps, aims or has an act prepared.
bool Char_Can_Act(std::uint16_t c);
