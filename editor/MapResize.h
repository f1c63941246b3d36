// Changing the size of the loaded map in place: the fields that fall
// outside the new size are emptied, every field that remains keeps its
// place (x, y and level) with everything on it, and every reference to a
// field or a map record, wherever it is stored, is carried over to the new
// numbering; a reference into a dropped field becomes none.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

struct MapImage;

// A map's size: fields per row, rows per level, levels.
struct map_size {
    std::uint32_t width = 0, height = 0, levels = 0;
    bool operator==(const map_size&) const = default;
    std::uint32_t Fields() const { return width * height * levels; }
};

constexpr std::uint32_t MIN_MAP_SIDE = 1;
constexpr std::uint32_t MIN_MAP_LEVELS = 1;

// Within 1..100 fields per row and rows, 1..5 levels.
bool Valid_Map_Size(const map_size& size);
// The size of the map in play.
map_size Current_Map_Size();
// Whether the new size leaves out some field of the map in play (a width,
// height or level count below the current one).
bool Size_Drops_Fields(const map_size& size);

// Where the fields and the map records of a map of one size go in a map of
// another: a field keeps its x, y and level; the records after the field
// heads move by the difference of the field counts.
class MapRemap {
  public:
    MapRemap(const map_size& from, const map_size& to);

    // The difference of the field counts, new minus old.
    std::int32_t Difference() const {
        return static_cast<std::int32_t>(to_total_) - static_cast<std::int32_t>(from_total_);
    }
    // Whether old field f lies inside the new size.
    bool Field_Kept(std::uint32_t f) const;
    // The new index of old field f; NO_INDEX for a dropped field or an index
    // that names no field.
    std::uint16_t Field(std::uint32_t f) const;
    // The new index of old map record r: a field head as its field, a later
    // record moved by the difference; NO_INDEX for none.
    std::uint16_t Record(std::uint32_t r) const;
    // A reference: a map record's (kind 5) carried over, NOOBJ when it falls
    // with its field; any other kind as it is.
    obj_ref Ref(obj_ref r) const;
    // The link of an object in a field list: an end marker names the new
    // field, a map record is carried over, anything else stays.
    obj_ref Link(obj_ref link) const;

  private:
    map_size from_, to_;
    std::uint32_t from_total_, to_total_;
};

// Why the map in play cannot take the new size, or nullptr when it can: its
// map records would need indexes past 16 bits, or its free records are not
// as the free list must be (a link kind other than 0, a list that leaves
// the array or runs in a circle). Nothing is changed.
const char* Resize_Refusal(const map_size& size);

// Carries a whole map image over to the new size: field heads and field
// words of the fields that remain, the stacked and free records after the
// heads, and every reference to a field or a map record (links, owners,
// animation entries, act targets and arguments, AI slots, the field and
// record parameters of the programs and field effects, a stepping or acting
// character's destination and source). The image must be one whose dropped
// fields are empty; the stored paths and held target lists are cleared.
void Remap_Map_Image(MapImage& image, const map_size& size);

// The resize of the map in play (the question is the caller's): refused
// with the report of Resize_Refusal on the status line and nothing
// changed; otherwise the dropped fields emptied (their objects destroyed,
// their heads cleared, the characters among them out of the selection, the
// party and the working object, the AI slots of gone objects freed), the
// world carried over to the new size, the light map and the path arrays
// made for it, and every object told to initialise itself. True when the
// map has the new size. A size equal to the current one changes nothing.
bool Resize_Map(const map_size& size);
