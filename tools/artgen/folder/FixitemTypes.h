// The fixitem types of the default database ("fixitem.dat"): row 0 is
// reserved (the plain field of a map's slot 0), then one type for every
// fixitem picture of the artwork, with its numbers, its folder in the
// fixitem tree and the programs the type always carries.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "Objects/Map.h"

namespace art {

// A program a type carries: a modifier of that kind and parameters.
struct TypeProgram {
    std::uint32_t kind;
    std::uint16_t p1, p2, p3, p4;
};

struct FixitemTypeDef {
    const char* sprite;  // the picture ARTWORK\<sprite>.BMP
    const char* name;    // the type's name
    const char* folder;  // its folder in the fixitem tree
    std::uint8_t height;
    std::int8_t mp;  // entry cost; below 0 nobody enters
    std::uint8_t fill;
    std::uint8_t flags;
    std::int8_t max_hp;
    std::int8_t defend;
    std::vector<TypeProgram> programs;  // in the order they are added to a placed object
};

// The rows of fixitem.dat, row 0 the reserved one.
const std::vector<FixitemTypeDef>& Default_Fixitem_Types();
// The row of the type drawn by a picture; 0 when there is none.
std::uint16_t Default_Fixitem_Type(std::string_view sprite);
// A row's record as fixitem.dat stores it (no sprite; its own row as its
// database index).
fixitem_type Fixitem_Type_Record(std::uint16_t row);

// The hill picture frame the hill type stands for, and its program's
// corner height.
constexpr int HILL_TYPE_FRAME = 1;

}  // namespace art
