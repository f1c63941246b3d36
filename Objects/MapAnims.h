// Map animations (sprites of animation types shown on fields) and the
// running animation entries that step them and the frames of objects.
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/ObjRef.h"
#include "Objects/RecordArray.h"
#include "platform/Packed.h"

struct ORVEX_PACKED anim_type {
    std::uint8_t unused[9];
    std::uint32_t sprite;  // sprite handle
    std::uint8_t flags;    // 0x1C drift index; 0x10 ground level, 0x20 full brightness
};
ORVEX_RECORD_SIZE(anim_type, 14);

constexpr int ANIM_TYPE_COUNT = 256;
extern anim_type anim_types[ANIM_TYPE_COUNT];

// The rows of anim_types that the game's own sprites fill (the front end
// loads them), with the sprites' names.
constexpr std::uint8_t ANIM_CURSOR_FOOT_FRONT = 1;  // CURFORE2
constexpr std::uint8_t ANIM_CURSOR_FOOT_BACK = 2;   // CURBACK2; frame 0 is also the hexagon grid
constexpr std::uint8_t ANIM_CURSOR_FRONT = 3;       // CURFORE
constexpr std::uint8_t ANIM_CURSOR_BACK = 4;        // CURBACK
constexpr std::uint8_t ANIM_PATH_ARROW = 5;         // ARROWS: frame 0 the target mark, 1..6 by direction
constexpr std::uint8_t ANIM_TARGET_FRONT = 6;       // TRGTFORE
constexpr std::uint8_t ANIM_TARGET_BACK = 7;        // TRGTBACK
constexpr std::uint8_t ANIM_DIGITS_FIRST = 8;       // DIGITS1, rows 8 to 12
constexpr std::uint8_t ANIM_DIGITS_LAST = 12;
constexpr std::uint8_t ANIM_BUTTONS_FIRST = 13;  // MAINBUT1 to MAINBUT4, rows 13 to 16
constexpr std::uint8_t ANIM_BLOOD = 17;          // BLOOD: the splash over a hit character
constexpr std::uint8_t ANIM_SPELL_FLASH = 18;    // VARAZSA
constexpr std::uint8_t ANIM_SPLINTERS = 19;      // PENGEKIS
constexpr std::uint8_t ANIM_FIRE = 20;           // TUZANIM
constexpr std::uint8_t ANIM_SYSTEM_ROWS = 20;

struct ORVEX_PACKED mapanim_record {
    std::uint8_t type;   // row of anim_types; 0 free
    std::uint8_t frame;  // 255 before the first step
    std::int8_t dx, dy;  // drawing offset in pixels
    obj_ref owner;       // the object it was started on
    obj_ref link;        // field list link (free record: {0, next free})
};
ORVEX_RECORD_SIZE(mapanim_record, 12);
ORVEX_FIELD_OFFSET(mapanim_record, owner, 4);
ORVEX_FIELD_OFFSET(mapanim_record, link, 8);

// A free record: type 0.
template <>
struct RecordTraits<mapanim_record> : FieldListRecordTraits<mapanim_record> {
    static void Fresh(mapanim_record& r, std::uint16_t next) {
        r = {};
        Link_Free(r, next);
    }
    static void Freed(mapanim_record& r, std::uint16_t next) {
        Link_Free(r, next);
        r.type = 0;
    }
    static void Taken(mapanim_record& r) {
        r.dx = 0;
        r.dy = 0;
    }
};

constexpr std::uint16_t MAPANIM_COUNT = 300;

// 300 records, never grown.
using MapAnimArray = RecordArray<mapanim_record, 0>;
extern MapAnimArray mapanim;

// anim_entry flags
constexpr std::uint8_t AE_ONCE = 0x01;  // one-shot map animation, freed at the end
constexpr std::uint8_t AE_LOOP = 0x02;
constexpr std::uint8_t AE_DRIFT = 0x1C;

struct ORVEX_PACKED anim_entry {
    std::uint8_t delay;       // ticks until the start, plus 1; 0 once running
    std::int8_t first, last;  // below 0: resolved on start
    std::uint8_t flags;
    std::int32_t speed;  // frames per tick, 16.16, signed
    std::int32_t phase;  // 16.16
    std::uint16_t obj_kind;
    std::uint16_t obj_index;
    std::uint16_t next;         // active or free list, 0xFFFF end
    std::uint16_t saved_state;  // a character's state while it animates
};
ORVEX_RECORD_SIZE(anim_entry, 20);
ORVEX_FIELD_OFFSET(anim_entry, speed, 4);
ORVEX_FIELD_OFFSET(anim_entry, obj_kind, 12);
ORVEX_FIELD_OFFSET(anim_entry, saved_state, 18);

// Free and running entries are linked through next.
template <>
struct RecordTraits<anim_entry> : RecordTraitsBase {
    static std::uint16_t Next(const anim_entry& a) { return a.next; }
    static void Fresh(anim_entry& a, std::uint16_t next) {
        a = {};
        a.next = next;
    }
    static void Freed(anim_entry& a, std::uint16_t next) { a.next = next; }
    static void Taken(anim_entry& a) { a = {}; }
    static constexpr FreeMarks MARKS = FreeMarks::None;
};

constexpr std::uint16_t ANIM_ENTRIES_START = 200;
constexpr std::uint16_t ANIM_ENTRIES_STEP = 50;

struct AnimEntryArray : RecordArray<anim_entry, ANIM_ENTRIES_STEP> {
    std::uint16_t active = NO_INDEX;  // the running entries, in stepping order
};
extern AnimEntryArray animated_fixitems;

// Ticks still to wait for animations before turn-based play goes on.
extern std::uint32_t anim_wait;
// Runs 253, 254, 255, 0, 1, 2 and again, one step per tick (blinking marks).
extern std::uint8_t anim_cycle;
constexpr std::uint8_t ANIM_CYCLE_RESTART = 253;
constexpr std::uint8_t ANIM_CYCLE_END = 3;

// Horizontal drift of rising animations (damage digits), by drift index.
extern const std::int32_t anim_drift[8];

// Frame value of a map animation before its first step.
constexpr std::uint8_t MAPANIM_NOT_STARTED = 255;
// A character's state while an object animation plays on it.
constexpr std::uint16_t CHAR_STATE_SUSPENDED = 0x8000;

void Alloc_Map_Anims();
void Free_Map_Anims();
// No animation types, map animations or entries; the counters at 0.
void Reset_Map_Anim_State();
// After a loader filled both arrays: rebuilds the free marks of mapanim.
void Rebuild_Map_Anim_Marks();
std::uint16_t New_MapAnim();  // NO_INDEX when none is left
void Delete_MapAnim(std::uint16_t m);
// A free entry made head of the active list, growing the array by 50 when
// none is free; NO_INDEX when it cannot grow.
std::uint16_t New_Anim_Entry();
// Takes every active entry of the object off the active list; a character
// whose animation had started gets its saved state back.
void Stop_Object_Anims(std::uint16_t kind, std::uint16_t index);
// Starters: each returns the entry index, NO_INDEX when nothing started.
// A speed below 256 in magnitude is whole frames per tick, anything larger
// is 16.16 fixed point. A first or last frame below 0 means the sprite's
// natural first or last for the direction of play.
std::uint16_t Start_MapAnim_Once(obj_ref obj, std::uint8_t type, std::int8_t first, std::int8_t last,
                                 std::int32_t speed, std::uint8_t delay);
std::uint16_t Start_MapAnim_Loop(obj_ref obj, std::uint8_t type, std::int8_t first, std::int8_t last,
                                 std::int32_t speed, std::uint8_t delay);
std::uint16_t Start_Object_Anim_Once(obj_ref obj, std::int8_t first, std::int8_t last, std::int32_t speed,
                                     std::uint8_t delay);
std::uint16_t Start_Object_Anim_Loop(obj_ref obj, std::int8_t first, std::int8_t last, std::int32_t speed,
                                     std::uint8_t delay);
// A still map animation on a field (cursor marks, path arrows).
void Put_MapAnim(std::uint16_t field, std::uint8_t type, std::uint8_t frame);
// Takes the first map animation of type off the field and frees it.
void Remove_MapAnim(std::uint16_t field, std::uint8_t type);
// Shows the number n (0..999) over obj as rising digits; base selects the
// glyph set.
void Show_Damage_Digits(obj_ref obj, std::int32_t n, std::int32_t base);
// The per-tick step of every running animation.
void do_anim();

// Whether a one-shot animation of the object itself is running or waiting
// to start (a door or chest on the move).
bool Object_Anim_Running(std::uint16_t kind, std::uint16_t index);
// The active entry of a map animation of type owned by owner; NO_INDEX none.
std::uint16_t Find_MapAnim_Entry(obj_ref owner, std::uint8_t type);
// Lets the looping map animation of entry e (started on owner) run once
// more at one frame per tick and end. Nothing when e is no longer such an
// entry.
void End_MapAnim_After_Cycle(std::uint16_t e, obj_ref owner);
