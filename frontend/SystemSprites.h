// The game's own sprites: the rows of anim_types for cursor and target
// marks, path arrows, damage digits, button pictures and spell animations;
// the three built-in fixitem types of the effects (a blood pool, a wall of
// fire, gas); and the panel sprites (hit-point shields and bars, slot
// backgrounds, portrait frames, the viewport ornaments).
#pragma once
#include <cstdint>

struct sprite;

// Rows of anim_types.
constexpr std::uint8_t ANIM_CURSOR_FOOT_FRONT = 1;  // CURFORE2
constexpr std::uint8_t ANIM_CURSOR_FOOT_BACK = 2;   // CURBACK2; frame 0 is also the hexagon grid
constexpr std::uint8_t ANIM_CURSOR_FRONT = 3;       // CURFORE
constexpr std::uint8_t ANIM_CURSOR_BACK = 4;        // CURBACK
constexpr std::uint8_t ANIM_PATH_ARROWS = 5;        // ARROWS
constexpr std::uint8_t ANIM_TARGET_FRONT = 6;       // TRGTFORE
constexpr std::uint8_t ANIM_TARGET_BACK = 7;        // TRGTBACK
constexpr std::uint8_t ANIM_DIGITS_FIRST = 8;       // DIGITS1, rows 8 to 12
constexpr std::uint8_t ANIM_DIGITS_LAST = 12;
constexpr std::uint8_t ANIM_BUTTONS_FIRST = 13;  // MAINBUT1 to MAINBUT4, rows 13 to 16
constexpr std::uint8_t ANIM_BLOOD = 17;
constexpr std::uint8_t ANIM_SPELL = 18;  // VARAZSA
constexpr std::uint8_t ANIM_PENGEKIS = 19;
constexpr std::uint8_t ANIM_FIRE = 20;  // TUZANIM
constexpr std::uint8_t ANIM_SYSTEM_ROWS = 20;

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
