// Items: the records of items on the map and the item types.
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/ObjRef.h"
#include "Objects/RecordArray.h"
#include "platform/Packed.h"

struct ORVEX_PACKED item_record {
    std::uint16_t type;       // row of item_types
    std::uint8_t recognize;   // 0..100
    obj_ref owner;            // {2, char} or {5, field}; kind 0 none
    std::uint16_t first_mod;  // 0xFFFF none
    obj_ref link;             // field list link (free record: {0, next free})
};
ORVEX_RECORD_SIZE(item_record, 13);
ORVEX_FIELD_OFFSET(item_record, owner, 3);
ORVEX_FIELD_OFFSET(item_record, first_mod, 7);
ORVEX_FIELD_OFFSET(item_record, link, 9);

template <>
struct RecordTraits<item_record> : FieldListRecordTraits<item_record> {
    static void Taken(item_record& r) { r.first_mod = NO_INDEX; }
    static void Fresh(item_record& r, std::uint16_t next) {
        r = {};
        Taken(r);
        Link_Free(r, next);
    }
    static void Freed(item_record& r, std::uint16_t next) { Link_Free(r, next); }
};

constexpr std::uint16_t ITEM_ARRAY_STEP = 50;

// Index 0 is never handed out: an item index 0 in a slot means empty.
using ItemArray = RecordArray<item_record, ITEM_ARRAY_STEP, 1>;
extern ItemArray itemarray;

// ITEM_CLASS
enum ITEM_CLASS : std::uint8_t {
    CLASS_SWORD = 0,
    CLASS_MACE = 1,
    CLASS_AXE = 2,
    CLASS_PIKE = 3,
    CLASS_KNIFE = 4,
    CLASS_ASSASSIN = 5,
    CLASS_BOW = 6,
    CLASS_SHIELD = 7,
    CLASS_HELM = 8,
    CLASS_ARMOR = 9,
    CLASS_LEGGINGS = 10,
    CLASS_BELT = 11,
    CLASS_BRACERS = 12,
    CLASS_GLOVES = 13,
    CLASS_BOOTS = 14,
    CLASS_CLOAK = 15,
    CLASS_NECKLACE = 16,
    CLASS_RING = 17,
    CLASS_SCROLL = 18,
    CLASS_KEY = 19,
    CLASS_POTION = 20,
    CLASS_ARROW = 21,
    CLASS_CORPSE = 22,
    CLASS_OTHER = 23,
};
constexpr int ITEM_CLASS_COUNT = 24;
extern const char* const item_class_names[ITEM_CLASS_COUNT];

// Item type flags
constexpr std::uint16_t ITEM_TWO_HANDED = 0x01;
constexpr std::uint16_t ITEM_SECONDARY = 0x02;
constexpr std::uint16_t ITEM_BURNABLE = 0x04;
constexpr std::uint16_t ITEM_MAGICAL = 0x08;

struct ORVEX_PACKED item_type {
    std::uint16_t picture;  // frame in ITEMS and MITEMS
    char name[24];
    std::uint32_t price;
    std::uint16_t weight;
    std::uint8_t size;  // high nibble width, low nibble height (cells)
    std::uint8_t disturb;
    std::uint8_t item_class;  // ITEM_CLASS
    std::uint8_t max_distance;
    std::uint16_t flags;
    std::uint8_t mana_points;
    std::uint8_t defence;
    std::uint8_t attack;
    std::uint8_t damage_min;
    std::uint8_t damage_max;
    std::int32_t first_mod;  // database chain head (low 16 bits used)
    std::uint8_t default_recognize;
    std::uint8_t palette;
};
ORVEX_RECORD_SIZE(item_type, 49);
ORVEX_FIELD_OFFSET(item_type, price, 26);
ORVEX_FIELD_OFFSET(item_type, size, 32);
ORVEX_FIELD_OFFSET(item_type, flags, 36);
ORVEX_FIELD_OFFSET(item_type, first_mod, 43);
ORVEX_FIELD_OFFSET(item_type, palette, 48);

constexpr std::uint16_t ITEM_TYPE_EMPTY = 0;
constexpr std::uint16_t ITEM_TYPE_DEAD_BODY = 1;

extern std::vector<item_type> item_types;

// Item sprites (handles), loaded with the map artwork: ITEMS (inventory
// pictures), MITEMS (items lying on the map, draw layer 3), HULLAK (bodies).
constexpr int MITEMS_LAYER = 3;
constexpr std::uint32_t HULLAK_OPTIONS = 2048;
extern std::uint32_t items_sprite;
extern std::uint32_t mitems_sprite;
extern std::uint32_t hullak_sprite;

// The type of an item record, or nullptr when the index or its type row is
// out of range (reported as a consistency error).
const item_type* Item_Type_Of(std::uint16_t item);

// ---- The array ----
// Capacity n + 1 + 50: records 1..n for the map reader, the rest free.
void Alloc_Item_Array(std::uint16_t n);
// A record off the free list (first modifier none), growing the array by
// 50 when none is free; NO_INDEX on failure. Index 0 is never handed out.
std::uint16_t New_Item_Record();
// Stops the item's animations and puts the record back on the free list.
void Delete_Item_Record(std::uint16_t i);
void Free_Item_Array();
void Free_Item_Types();
// No items, no item types, no item sprites (what they held is not
// released: the caller has released what it loaded).
void Reset_Item_State();
// Writes the built-in rows 0 (empty) and 1 ("Dead body") of item_types.
void Init_Builtin_Item_Types();
// The same rows in another table (a database being read).
void Fill_Builtin_Item_Types(std::vector<item_type>& types);
bool Item_Record_Is_Free(std::uint16_t i);
void Rebuild_Item_Free_Marks();

// ---- Creation and deletion ----
// A new item of type lying on field, with its modifiers (a body gets a
// fresh Corpse modifier, any other type its database type's). The index,
// NO_INDEX when nothing was made.
std::uint16_t Create_Item(std::uint16_t type, std::uint16_t field);
// A new item record of type, with the type's recognize level; NO_INDEX when
// no record is left.
std::uint16_t New_Item_Of_Type(std::uint16_t type);
// Gives new item i the modifiers of its type: a body a fresh Corpse
// modifier, any other type its database type's.
void Give_Type_Modifiers(std::uint16_t i);
// Deletes item i, or one item of its stack when it holds two or more. An
// item whose owner is neither a field nor a character in use is reported
// and left as it is.
void Delete_Item(std::uint16_t i);

// Advances cursor along a field list to the next item: 1 when it names an
// item, 0 at the end of the list.
int Next_Ground_Item(obj_ref& cursor);
// The display name of item i (request 93); nullptr for item 0.
const char* Item_Name_Text(std::uint16_t i);

// Load and release ITEMS, MITEMS and HULLAK.
void Load_Item_Sprites();
void Free_Item_Sprites();
