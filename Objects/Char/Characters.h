// Characters: the 364-byte character record (also the layout of "char.dat"
// and of the map file), the array, the selection and the party.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Objects/Map.h"
#include "Objects/ObjRef.h"
#include "Objects/RecordArray.h"
#include "platform/Packed.h"

constexpr int CHAR_SLOTS = 67;
constexpr int BACKPACK_SLOTS = 48;  // 0..47, 8 x 6 cells (column + row * 8)
constexpr int SLOT_HELM = 48;
constexpr int SLOT_ARMOUR = 49;
constexpr int SLOT_LEGGINGS = 50;
constexpr int SLOT_BOOTS = 51;
constexpr int SLOT_GAUNTLETS = 52;
constexpr int SLOT_BRACERS = 53;
constexpr int SLOT_BELT = 54;
constexpr int SLOT_NECKLACE = 55;
constexpr int SLOT_LEFT_RING = 56;
constexpr int SLOT_RIGHT_RING = 57;
constexpr int SLOT_CLOAK = 58;
constexpr int SLOT_LEFT_HAND = 59;
constexpr int SLOT_RIGHT_HAND = 60;
constexpr int SLOT_QUICK_FIRST = 61;  // 61..66 quick slots
constexpr int SLOT_LAST = 66;

// Character flags (offset 347)
constexpr std::uint16_t CF_FREE = 0x01;
constexpr std::uint16_t CF_FEMALE = 0x02;
constexpr std::uint16_t CF_MAIN_CHAR = 0x04;
constexpr std::uint16_t CF_PARTY = 0x08;
constexpr std::uint16_t CF_FLYING = 0x10;
constexpr std::uint16_t CF_HELD_POSE = 0x20;

// Race byte (offset 91)
constexpr std::uint8_t RACE_MASK = 0x3F;
constexpr std::uint8_t RACE_ANIMAL = 0x40;
constexpr std::uint8_t RACE_MONSTER = 0x80;

// The state word (offset 69).
constexpr std::uint16_t CS_EXECUTE = 0;
constexpr std::uint16_t CS_GUARDING = 1;
constexpr std::uint16_t CS_DECIDING = 2;
constexpr std::uint16_t CS_WAITING = 3;
constexpr std::uint16_t CS_DONE = 4;
constexpr std::uint16_t CS_STEPPING = 5;
constexpr std::uint16_t CS_EXECUTING = 6;
constexpr std::uint16_t CS_ACT_PREPARED = 7;
constexpr std::uint16_t CS_TURN_DONE = 8;
constexpr std::uint16_t CS_ITEM_ACT = 9;
constexpr std::uint16_t CS_SUSPENDED = 0x8000;

// Weapon skills in record order (offset 127).
enum WeaponSkill {
    WS_MACES,
    WS_AXES,
    WS_PIKES,
    WS_SWORDS,
    WS_KNIVES,
    WS_ASSASSIN,
    WS_BOWS,
    WS_TWO_HANDED,
    WS_SHIELDS,
    WS_LEFT_HAND,
    WS_LEADERSHIP,
    WS_FIST,
    WS_COUNT
};

struct ORVEX_PACKED char_record {
    char body_name[9];           // ARTWORK\CHARS\ + name + .DYS
    std::uint16_t corpse_frame;  // body sprite frame used for the corpse
    std::uint16_t head;          // 1..23: ARTWORK\HEADS\FEJnnn
    std::uint8_t palette;        // bits 0-6 palette, bit 7 shadow palette
    std::uint32_t body_sprite;   // run time: sprite handle
    std::uint32_t head_sprite;   // run time: sprite handle
    std::int8_t frame;           // body sprite frame
    char name[21];
    std::int16_t x, y, map_level;  // field position
    std::uint8_t facing;           // 1..6
    std::int16_t action_points;
    std::uint32_t ap_stamp;          // does nothing until the clock passes it
    std::uint32_t path;              // run time: stored path handle, 0 none
    std::uint16_t path_entry;        // current entry of the stored path
    obj_ref path_target;             // NOOBJ when none
    std::int8_t offset_x, offset_y;  // body offset while stepping
    std::uint16_t state;             // character state word
    std::uint32_t act;               // acting: act handle; stepping: destination field
    std::uint32_t target;            // acting: target; stepping: progress 0..42
    std::uint32_t source;            // acting: source; stepping: step timer
    std::uint16_t ai_slot;           // slot in iqarray
    std::uint32_t idle_counter;      // 0..64
    std::uint8_t lobby;              // 0..39; 0 is the player's party
    std::uint8_t braveness;          // 0..127
    std::uint8_t race;               // bits 0-5 race, RACE_ANIMAL, RACE_MONSTER
    std::uint8_t profession;         // 0..16
    std::uint8_t unused_93[4];
    std::int8_t defence;  // natural defence
    std::int16_t max_hp;
    std::int16_t hp;
    std::uint32_t experience;
    std::int8_t level;  // 1..99
    std::int16_t max_stamina;
    std::int16_t stamina;
    std::int16_t strength, dexterity, spirit, iq;
    std::int16_t protection[4];  // fire, water, air, earth
    std::int16_t weapon_skill[WS_COUNT];
    std::int16_t thief_skill[6];  // locks, detect, persuasion, poisons, backstab, thievery
    std::int16_t lore[7];         // herbs, animals, monsters, humanoids, -, anatomy, artifacts
    std::uint16_t mana[4];        // fire, water, air, earth
    std::uint16_t max_mana[4];
    std::int16_t slots[CHAR_SLOTS];  // item indexes (item types in char.dat), 0 empty
    std::uint16_t known_spells;      // bit n = row n of spell_table
    std::uint8_t unused_329[18];
    std::uint16_t flags;      // CF_*
    std::int16_t db_type;     // database type it was placed from
    std::uint16_t first_mod;  // 0xFFFF none
    obj_ref link;             // field list link (free record: {0, next free})
    std::uint8_t attack;
    std::uint8_t unused_358[6];
};
ORVEX_RECORD_SIZE(char_record, 364);
ORVEX_FIELD_OFFSET(char_record, corpse_frame, 9);
ORVEX_FIELD_OFFSET(char_record, head, 11);
ORVEX_FIELD_OFFSET(char_record, palette, 13);
ORVEX_FIELD_OFFSET(char_record, body_sprite, 14);
ORVEX_FIELD_OFFSET(char_record, head_sprite, 18);
ORVEX_FIELD_OFFSET(char_record, frame, 22);
ORVEX_FIELD_OFFSET(char_record, name, 23);
ORVEX_FIELD_OFFSET(char_record, x, 44);
ORVEX_FIELD_OFFSET(char_record, map_level, 48);
ORVEX_FIELD_OFFSET(char_record, facing, 50);
ORVEX_FIELD_OFFSET(char_record, action_points, 51);
ORVEX_FIELD_OFFSET(char_record, ap_stamp, 53);
ORVEX_FIELD_OFFSET(char_record, path, 57);
ORVEX_FIELD_OFFSET(char_record, path_entry, 61);
ORVEX_FIELD_OFFSET(char_record, path_target, 63);
ORVEX_FIELD_OFFSET(char_record, offset_x, 67);
ORVEX_FIELD_OFFSET(char_record, state, 69);
ORVEX_FIELD_OFFSET(char_record, act, 71);
ORVEX_FIELD_OFFSET(char_record, target, 75);
ORVEX_FIELD_OFFSET(char_record, source, 79);
ORVEX_FIELD_OFFSET(char_record, ai_slot, 83);
ORVEX_FIELD_OFFSET(char_record, idle_counter, 85);
ORVEX_FIELD_OFFSET(char_record, lobby, 89);
ORVEX_FIELD_OFFSET(char_record, profession, 92);
ORVEX_FIELD_OFFSET(char_record, defence, 97);
ORVEX_FIELD_OFFSET(char_record, max_hp, 98);
ORVEX_FIELD_OFFSET(char_record, hp, 100);
ORVEX_FIELD_OFFSET(char_record, experience, 102);
ORVEX_FIELD_OFFSET(char_record, level, 106);
ORVEX_FIELD_OFFSET(char_record, max_stamina, 107);
ORVEX_FIELD_OFFSET(char_record, stamina, 109);
ORVEX_FIELD_OFFSET(char_record, strength, 111);
ORVEX_FIELD_OFFSET(char_record, iq, 117);
ORVEX_FIELD_OFFSET(char_record, protection, 119);
ORVEX_FIELD_OFFSET(char_record, weapon_skill, 127);
ORVEX_FIELD_OFFSET(char_record, thief_skill, 151);
ORVEX_FIELD_OFFSET(char_record, lore, 163);
ORVEX_FIELD_OFFSET(char_record, mana, 177);
ORVEX_FIELD_OFFSET(char_record, max_mana, 185);
ORVEX_FIELD_OFFSET(char_record, slots, 193);
ORVEX_FIELD_OFFSET(char_record, known_spells, 327);
ORVEX_FIELD_OFFSET(char_record, flags, 347);
ORVEX_FIELD_OFFSET(char_record, db_type, 349);
ORVEX_FIELD_OFFSET(char_record, first_mod, 351);
ORVEX_FIELD_OFFSET(char_record, link, 353);
ORVEX_FIELD_OFFSET(char_record, attack, 357);
ORVEX_FIELD_OFFSET(char_record, y, 46);
ORVEX_FIELD_OFFSET(char_record, offset_y, 68);
ORVEX_FIELD_OFFSET(char_record, braveness, 90);
ORVEX_FIELD_OFFSET(char_record, race, 91);
ORVEX_FIELD_OFFSET(char_record, unused_93, 93);
ORVEX_FIELD_OFFSET(char_record, dexterity, 113);
ORVEX_FIELD_OFFSET(char_record, spirit, 115);
ORVEX_FIELD_OFFSET(char_record, unused_329, 329);
ORVEX_FIELD_OFFSET(char_record, unused_358, 358);

// A free record carries the flag CF_FREE.
template <>
struct RecordTraits<char_record> : FieldListRecordTraits<char_record> {
    static void Fresh(char_record& r, std::uint16_t next) {
        r = {};
        r.flags = CF_FREE;
        Link_Free(r, next);
    }
    static void Freed(char_record& r, std::uint16_t next) {
        r.flags = static_cast<std::uint16_t>(r.flags | CF_FREE);
        Link_Free(r, next);
    }
    static void Taken(char_record& r) {
        r.flags = static_cast<std::uint16_t>(r.flags & ~CF_FREE);
        r.first_mod = NO_INDEX;
    }
    static bool Is_Free_Record(const char_record& r) { return (r.flags & CF_FREE) != 0; }
    static constexpr FreeMarks MARKS = FreeMarks::InRecord;
};

constexpr std::uint16_t CHAR_ARRAY_STEP = 40;

using CharArray = RecordArray<char_record, CHAR_ARRAY_STEP>;
extern CharArray chararray;

// True for an index inside the array whose record is in use.
inline bool Char_In_Use(std::uint16_t c) { return c < chararray.Capacity() && !chararray.Is_Free(c); }
// The field a character's record places it on (its column, row and level).
inline std::uint16_t Char_Record_Field(const char_record& c) {
    return static_cast<std::uint16_t>(c.x + c.y * static_cast<std::int32_t>(map_width) +
                                      c.map_level * static_cast<std::int32_t>(fields_per_level));
}
// Whether o names a character in use.
inline bool Is_Char(obj_ref o) { return Obj_Kind(o) == OBJ_CHAR && Char_In_Use(Obj_Index(o)); }
// The character's name as text (the record's field need not end in a NUL).
std::string Char_Name(const char_record& r);

// ---- The array ----
// Clears the selection and the party list and makes n + 40 zeroed records;
// n .. n + 39 are free. Records 0 .. n - 1 are for the caller to fill.
void Init_Char_Array(std::uint16_t n);
// A record off the free list (first modifier none), growing the array by
// 40 when none is free; NO_INDEX on failure.
std::uint16_t Alloc_Char();
// Stops the character's animations, drops its stored path and puts the
// record back on the free list.
void Free_Char(std::uint16_t c);
void Free_Char_Array();

// ---- Creation and deletion ----
// A live character made from templ on field, facing and lobby as given,
// with its sprites and an AI slot. 0 when the field cannot be entered (its
// request 5 is negative) or no record is left, else 1.
int Create_Char(std::uint16_t field, std::uint8_t facing, const char_record& templ, std::uint8_t lobby);
// A new item of type in the empty slot of character c, owned by c, with
// its type's modifiers (a body gets a fresh Corpse modifier). The item
// index, NO_INDEX when nothing was made.
std::uint16_t Create_Item_In_Char_Slot(std::uint16_t type, std::uint16_t c, int slot);
// Removes the modifiers of every item character c holds and frees them.
void Delete_Char_Items(std::uint16_t c);
// The item in slot of character c, 0 when the slot is empty or a cell of a
// larger item's footprint. An index outside itemarray or of a free record
// is reported and reads as empty.
std::uint16_t Char_Slot_Item(std::uint16_t c, int slot);
// The first character on field, NO_INDEX when none (or no field).
std::uint16_t Char_On_Field(std::uint16_t field);

// ---- The stored path ----
// Gives character c a copy of count path entries, its current entry the
// last one, leading to target. An earlier path is dropped.
void Store_Char_Path(std::uint16_t c, const std::uint32_t* entries, std::uint16_t count, obj_ref target);
// The entries of the character's stored path; nullptr when none.
const std::vector<std::uint32_t>* Char_Path(std::uint16_t c);
// Drops the stored path: entry index 0, target NOOBJ.
void Free_Char_Path(std::uint16_t c);
