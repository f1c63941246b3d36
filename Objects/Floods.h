// The reach, flight and sound floods over the work arrays of the path
// search: how far a character gets with a movement budget, which neighbour
// is the safest to flee to, and how loud a sound still is at each field.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

// Sound flood: field_cost holds the loudness left at a field's first visit.
constexpr std::uint8_t SOUND_NOT_COMPUTED = 255;
constexpr std::uint8_t SOUND_DIES = 254;
constexpr std::uint8_t MAX_SOUND_CACHE = 253;  // louder arrivals are stored as this
// Reach flood: a cached entry cost of 127 means the field cannot be entered.
constexpr std::uint8_t REACH_BLOCKED = 127;
constexpr std::uint16_t AI_REACH_BUDGET = 12;
constexpr std::int32_t SOUND_SCALE = 5;  // loudness * 5 at the source
constexpr std::int32_t DEFAULT_SOUND_DAMPING = 5;

extern std::uint16_t sound_source;
// No sound source.
void Reset_Flood_State();

// Fills path_nodes with the movement budget left on arrival at each field;
// does nothing for a non-character.
void Compute_Reach(obj_ref character, std::uint16_t budget);
// One relaxation step of the reach flood (for path_char).
void Distance(std::int16_t x, std::int16_t y, std::int16_t level, std::int16_t budget, std::uint8_t dir);
// 1 when the character stands in danger and a path to a safer neighbour was
// stored in it, else 0.
int bad_place(obj_ref character);
// Fills path_nodes with the loudness left per field.
void Propagate_Sound(std::uint16_t source, std::uint16_t loudness);
// One relaxation step of the sound flood.
void Audio(std::int16_t x, std::int16_t y, std::int16_t level, std::int16_t loudness);
std::int32_t Field_Sound_Damping(std::uint16_t field);
// Distance from the sound's source, NO_DISTANCE when the character does not hear it.
std::int32_t Hear_Distance(obj_ref character);
constexpr std::int32_t HEARD_EVERYWHERE = -1;
constexpr std::int32_t HEARD_NOWHERE = -2;
// The farthest distance from sound_source at which anyone whose request 71
// is at most greatest_hearing can hear the last sound flood:
// HEARD_EVERYWHERE when that is not bounded (path_nodes hold another run,
// or the hearing reaches past silence), HEARD_NOWHERE when nobody hears it.
std::int32_t Farthest_Hearing(std::int64_t greatest_hearing);
// False when nobody on field whose request 71 is at most greatest_hearing
// can hear the last sound flood.
bool May_Hear_At(std::uint16_t field, std::int64_t greatest_hearing);
