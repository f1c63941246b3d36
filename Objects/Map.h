// The hexagon map: geometry, the per-field words, the map records (field
// heads and the fixitems stacked on fields) and the fixitem type slots.
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/ObjRef.h"
#include "Objects/RecordArray.h"
#include "platform/Packed.h"

// ---- Geometry, set when a map is loaded or made ----
extern std::uint32_t map_width;         // fields per row, 1..100
extern std::uint32_t map_height;        // rows per level, 1..100
extern std::uint32_t map_levels;        // 1..5
extern std::uint32_t fields_per_level;  // map_width * map_height
extern std::uint32_t total_fields;      // fields_per_level * map_levels

constexpr std::uint32_t MAX_MAP_SIDE = 100;
constexpr std::uint32_t MAX_MAP_LEVELS = 5;
constexpr std::uint16_t NO_FIELD = 0xFFFF;

// The view state stored with a map: the map pixel drawn at the viewport's
// top-left corner, and the level looked at (0 .. map_levels - 1; the levels
// below it are drawn too). The map view scrolls and draws with them.
extern std::int32_t scroll_x;
extern std::int32_t scroll_y;
extern std::uint32_t shown_level;

// Sets the five geometry words and sizes mapfield (zeroed).
void Set_Map_Geometry(std::uint32_t width, std::uint32_t height, std::uint32_t levels);
// No map: the geometry 0, no field words, no map records, every fixitem
// type slot empty, the view at its start.
void Reset_Map_State();

struct hex_step {
    std::int16_t dx, dy;
};
// Index = direction: 0 none, 1..6 the neighbours, 7 none.
extern const hex_step hex_dirs[8];
// Entry 0 none, then directions 1..6 twice, for loops from a random start.
extern const hex_step hex_dirs_wrap[13];

inline std::uint32_t Field_X(std::uint32_t f) { return f % map_width; }
inline std::uint32_t Field_Y(std::uint32_t f) { return (f % fields_per_level) / map_width; }
inline std::uint32_t Field_Level(std::uint32_t f) { return f / fields_per_level; }
inline std::uint16_t Field_Index(std::uint32_t x, std::uint32_t y, std::uint32_t level) {
    return static_cast<std::uint16_t>(x + y * map_width + level * fields_per_level);
}

// The head of field's object list, {5, field}.
constexpr obj_ref Field_Head(std::uint16_t field) { return Make_Obj(OBJ_FIXITEM, field); }
// Whether o is the head of a field's list.
inline bool Is_Field_Head(obj_ref o) { return Obj_Kind(o) == OBJ_FIXITEM && Obj_Index(o) < total_fields; }

// ---- mapfield: one word per field ----
constexpr std::uint16_t MF_ELEVATION = 0x0007;
constexpr std::uint16_t MF_HEIGHT_PROGRAM = 0x0008;
constexpr std::uint16_t MF_BIT_10 = 0x0010;
constexpr std::uint16_t MF_BIT_20 = 0x0020;
constexpr std::uint16_t MF_BLOCKED = 0x0040;
constexpr std::uint16_t MF_ASK_ENTRY_COST = 0x0100;
constexpr std::uint16_t MF_ASK_SIGHT = 0x0200;
constexpr std::uint16_t MF_TRANSPORTER = 0x0400;
constexpr std::uint16_t MF_DANGER = 0x0800;

extern std::vector<std::uint16_t> mapfield;

// ---- map_record ----
struct ORVEX_PACKED map_record {
    std::uint8_t type;        // slot in fixitem_types; 0 plain field / free
    std::uint8_t frame;       // animation frame; a field head's ground shape 0..19
    std::int8_t hp;           // hit points
    std::uint16_t first_mod;  // first modifier, 0xFFFF none
    obj_ref link;             // next object of the field list (free: {0, next free})
};
ORVEX_RECORD_SIZE(map_record, 9);
ORVEX_FIELD_OFFSET(map_record, first_mod, 3);
ORVEX_FIELD_OFFSET(map_record, link, 5);

// A free record: type 0.
template <>
struct RecordTraits<map_record> : FieldListRecordTraits<map_record> {
    static void Taken(map_record& r) { r.first_mod = NO_INDEX; }
    static void Fresh(map_record& r, std::uint16_t next) {
        r = {};
        Taken(r);
        Link_Free(r, next);
    }
    static void Freed(map_record& r, std::uint16_t next) {
        Link_Free(r, next);
        r.type = 0;
    }
};

constexpr std::uint16_t MAP_ARRAY_STEP = 500;

// The field heads first, then the fixitems stacked on fields.
using MapArray = RecordArray<map_record, MAP_ARRAY_STEP>;
extern MapArray maparray;

// ---- fixitem_type ----
constexpr std::uint8_t FIX_ANIMATED = 0x01;
constexpr std::uint8_t FIX_BURNABLE = 0x04;
constexpr std::uint8_t FIX_WATER = 0x08;
constexpr std::uint8_t FIX_GROUND = 0x10;
constexpr std::uint8_t FIX_SLOT_FREE = 0x40;

struct ORVEX_PACKED fixitem_type {
    char sprite_name[9];     // ARTWORK\ + name + ".bmp"
    std::uint32_t sprite;    // run time: sprite handle
    std::uint8_t height;     // requests 106/107
    std::int8_t max_hp;      // maximum hit points
    std::int8_t defend;      // request 16
    std::uint8_t amortized;  // slot this type turns into when it gets worse; 0 none
    std::uint8_t reserved;
    std::uint8_t flags;
    std::int8_t mp;         // entry cost; below 0 impassable
    std::uint8_t fill;      // field fill percent
    std::int16_t db_index;  // index of the type in the fixitem database
};
ORVEX_RECORD_SIZE(fixitem_type, 23);
ORVEX_FIELD_OFFSET(fixitem_type, sprite, 9);
ORVEX_FIELD_OFFSET(fixitem_type, flags, 18);
ORVEX_FIELD_OFFSET(fixitem_type, db_index, 21);

// The sprite field of a fixitem type slot that is in use but has no picture
// (its file is missing, or the map's artwork is not loaded yet): not zero,
// so the slot counts as used, and never a sprite's handle.
constexpr std::uint32_t SPRITE_MISSING = 0xFFFFFFFF;

constexpr int FIXITEM_SLOTS = 256;
constexpr std::uint8_t MAP_TYPE_SLOTS = 240;  // slots 0..239 belong to the loaded map
constexpr std::uint8_t SLOT_BLOOD_POOL = 253;
constexpr std::uint8_t SLOT_FLAME = 254;
constexpr std::uint8_t SLOT_GAS = 255;

extern fixitem_type fixitem_types[FIXITEM_SLOTS];

// ---- Records ----
void Alloc_Map_Array(std::uint16_t n);
std::uint16_t New_Map_Record();  // NO_INDEX on failure
void Delete_Map_Record(std::uint16_t i);
void Free_Map_Array();
// True while record i is on the free list.
bool Map_Record_Is_Free(std::uint16_t i);
// Rebuilds the free marks from the free list (after a loader filled the array).
void Rebuild_Map_Free_Marks();
