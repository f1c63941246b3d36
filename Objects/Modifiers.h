// Modifiers: small records hung on objects, fields and map areas. The
// run-time pool mod_array with its free list and per-object chains, the area
// modifiers, and the database pool mod_data.
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/ObjRef.h"
#include "Objects/RecordArray.h"
#include "platform/Packed.h"

constexpr std::uint8_t MOD_INACTIVE = 0x80;     // skipped by every walk
constexpr std::uint8_t MOD_INSERT_HEAD = 0x40;  // linked at the chain head

struct ORVEX_PACKED modifier {
    std::uint8_t flags;
    std::uint8_t level;
    obj_ref owner;       // NOOBJ when free
    std::uint32_t type;  // row of mod_types
    std::uint16_t p1, p2, p3, p4;
    std::uint16_t next;  // next of the same owner; free record: next free
};
ORVEX_RECORD_SIZE(modifier, 20);
ORVEX_FIELD_OFFSET(modifier, owner, 2);
ORVEX_FIELD_OFFSET(modifier, type, 6);
ORVEX_FIELD_OFFSET(modifier, p1, 10);
ORVEX_FIELD_OFFSET(modifier, next, 18);

// A free record: flags 0x80, level 0, owner NOOBJ, type 0, parameters 0,
// next the next free record. Records added by growth are freed in rising
// order, so the highest new one is handed out first.
template <>
struct RecordTraits<modifier> : RecordTraitsBase {
    static std::uint16_t Next(const modifier& m) { return m.next; }
    static void Fresh(modifier& m, std::uint16_t next) {
        m = {};
        m.flags = MOD_INACTIVE;
        m.owner = NOOBJ;
        m.next = next;
    }
    static void Freed(modifier& m, std::uint16_t next) { Fresh(m, next); }
    static void Taken(modifier&) {}
    static constexpr bool GROWS_FALLING = true;
};

constexpr std::uint16_t MOD_ARRAY_START = 3000;
// Record 0 of the pool, never handed out: inactive, with this level.
constexpr std::uint8_t MOD_SENTINEL_FLAGS = MOD_INACTIVE | 0x01;
constexpr std::uint8_t MOD_SENTINEL_LEVEL = 255;
constexpr std::uint16_t MOD_ARRAY_STEP = 200;

// Record 0 is the inactive sentinel, never handed out.
using ModArray = RecordArray<modifier, MOD_ARRAY_STEP, 1>;
extern ModArray mod_array;

// Area modifier: applies inside a box of the map.
struct ORVEX_PACKED global_mod {
    std::uint16_t x0, x1, y0, y1, z0, z1;
    std::uint16_t mod;  // index into mod_array
};
ORVEX_RECORD_SIZE(global_mod, 14);

extern std::vector<global_mod> global_modifiers;  // count = size()

// ---- Run-time pool ----
void Init_Mod_Array(std::uint16_t n);
std::uint16_t New_Modifier_Record();  // NO_INDEX on failure
void Delete_Modifier(std::uint16_t m);
std::uint16_t Add_Modifier(std::uint8_t level, obj_ref owner, std::uint32_t type, std::uint16_t p1, std::uint16_t p2,
                           std::uint16_t p3, std::uint16_t p4);
void Copy_Modifiers(obj_ref source, obj_ref target);
void Remove_Modifier(obj_ref owner, std::uint16_t m);
void Remove_All_Modifiers(obj_ref owner);
void Alloc_Global_Modifiers(std::uint32_t n);
void Free_Global_Modifiers();
// No run-time pool, no area modifiers, no database pool.
void Reset_Modifier_State();
bool Modifier_Is_Free(std::uint16_t m);
// Rebuilds the free marks from the free list (after a loader filled the pool).
void Rebuild_Mod_Free_Marks();

// Calls f(index) for every record of the chain headed by head, in chain
// order. The successor is read before f runs, so f may free the record it
// was called for. A chain longer than the pool (a cycle) is reported once
// and the walk stops. Returns false when the walk was cut.
template <class F>
bool For_Each_In_Chain(std::uint16_t head, F&& f);

// ---- Database pool ----
struct ModPool {
    std::vector<modifier> records;
    std::uint32_t first_free = 0;
    std::uint32_t Capacity() const { return static_cast<std::uint32_t>(records.size()); }
    bool Loaded() const { return !records.empty(); }
};
extern ModPool mod_data;

constexpr std::uint32_t MOD_POOL_STEP = 100;

std::uint16_t Get_Mod_Head(obj_ref owner);
void Set_Mod_Head(obj_ref owner, std::uint16_t index);
void Alloc_Mod_Pool(std::uint32_t n);
void Free_Mod_Pool();
void Init_Mod_Free_List();
std::int32_t Alloc_Mod();  // -1 on failure
void Free_Mod(std::uint32_t index);
void Free_Mod_Chain(obj_ref owner);
std::int32_t Add_Mod_To_Owner(std::uint8_t level, obj_ref owner, std::uint32_t type, std::uint16_t p1, std::uint16_t p2,
                              std::uint16_t p3, std::uint16_t p4);
void Apply_Owner_Mods(obj_ref target, obj_ref type_owner);

// ---- implementation of the chain walk ----
void Report_Modifier_Loop();

template <class F>
bool For_Each_In_Chain(std::uint16_t head, F&& f) {
    std::uint32_t steps = 0;
    for (std::uint16_t m = head; m != NO_INDEX;) {
        if (m >= mod_array.Capacity() || ++steps > mod_array.Capacity()) {
            Report_Modifier_Loop();
            return false;
        }
        std::uint16_t next = mod_array.records[m].next;
        f(m);
        m = next;
    }
    return true;
}
