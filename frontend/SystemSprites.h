// The game's own sprites: the rows of anim_types for cursor and target
// marks, path arrows, damage digits, button pictures and spell animations;
// the three built-in fixitem types of the effects (a blood pool, a wall of
// fire, gas); and the panel sprites (hit-point shields and bars, slot
// backgrounds, portrait frames, the viewport ornaments).
#pragma once
#include <cstdint>

#include "Objects/MapAnims.h"

struct sprite;

// The rows of anim_types it fills are named in Objects/MapAnims.h.

// Flags of a row that the map drawing reads.
constexpr std::uint8_t ANIM_FOOT_MARK = 0x10;    // drawn at the foot of a raised field
constexpr std::uint8_t ANIM_FULL_BRIGHT = 0x20;  // drawn in full light

// Whether a map animation of this row is a mark at the foot of a raised
// field. The damage digits' rows carry drift indexes in the same bits (16
// and 20 have bit 0x10 set) and are never foot marks: every digit of a
// number shows.
bool Anim_Row_Is_Foot_Mark(std::uint8_t row);

// The panel sprites, ARTWORK\SYSTEM\...
extern sprite* PAJZSK;    // hit-point shield over characters, bars of the strip portraits
extern sprite* PAJZSN;    // bars of the two big portraits
extern sprite* MASKGOMB;  // backgrounds of the hand and quick-slot views, the bare hands
extern sprite* MASKABL;   // portrait frames, the field view's background
extern sprite* BELOG1;    // ornaments over the viewport and beside the big portraits
extern sprite* BELOG2;

// The anim_types rows 1 to 20 and the built-in fixitem types 253 to 255.
void Load_System_Sprites();
void Free_System_Sprites();
// The six panel sprites.
void Load_Shield_Sprites();
void Free_Shield_Sprites();
