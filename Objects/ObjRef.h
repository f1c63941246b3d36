// Object references: one 32-bit word names anything that can stand on the
// map. Low 16 bits the kind, high 16 bits the index in that kind's array.
#pragma once
#include <cstdint>

using obj_ref = std::uint32_t;

// OBJTYPE values.
enum OBJTYPE : std::uint16_t {
    OBJ_NONE = 0,     // none; in a field list the end marker, its index the field
    OBJ_MAPANIM = 1,  // mapanim
    OBJ_CHAR = 2,     // chararray
    OBJ_ITEM = 3,     // itemarray
    OBJ_INVALID = 4,  // never valid
    OBJ_FIXITEM = 5,  // maparray; an index below total_fields is a field head
};

constexpr std::uint16_t NO_INDEX = 0xFFFF;

constexpr obj_ref Make_Obj(std::uint16_t kind, std::uint16_t index) {
    return static_cast<obj_ref>(kind) | (static_cast<obj_ref>(index) << 16);
}
constexpr std::uint16_t Obj_Kind(obj_ref r) { return static_cast<std::uint16_t>(r & 0xFFFF); }
constexpr std::uint16_t Obj_Index(obj_ref r) { return static_cast<std::uint16_t>(r >> 16); }

// No object: owner of free modifiers, subject of world-wide requests.
constexpr obj_ref NOOBJ = Make_Obj(OBJ_NONE, NO_INDEX);
static_assert(NOOBJ == 0xFFFF0000u);
