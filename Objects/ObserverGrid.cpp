#include "Objects/ObserverGrid.h"

#include <algorithm>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Map.h"

namespace {

constexpr std::uint32_t BUCKET_SIDE = 8;  // fields per bucket side
constexpr std::uint32_t NOT_LISTED = 0xFFFFFFFF;
constexpr std::uint32_t APART = 0xFFFFFFFE;

struct ObserverGrid {
    bool built = false;
    std::uint32_t width = 0, height = 0, columns = 0, rows = 0;
    std::vector<std::vector<std::uint16_t>> buckets;  // by column + row * columns
    std::vector<std::uint16_t> apart;
    std::vector<std::uint32_t> where;     // per slot: bucket, APART or NOT_LISTED
    std::vector<std::uint32_t> position;  // per slot: index in its list
    std::uint32_t generation = 0;
};

ObserverGrid grid;

std::uint32_t Bucket_Of_Field(std::uint16_t f) {
    return Field_X(f) / BUCKET_SIDE + (Field_Y(f) / BUCKET_SIDE) * grid.columns;
}

// Where the slot belongs now.
std::uint32_t Place_Of(std::uint16_t slot) {
    if (!IQ_Slot_In_Use(slot)) return NOT_LISTED;
    const obj_ref o = iqarray.records[slot].object;
    if (Obj_Kind(o) != OBJ_CHAR) return APART;
    const std::uint16_t f = Object_Field(o);
    return f < total_fields ? Bucket_Of_Field(f) : APART;
}

std::vector<std::uint16_t>& List_Of(std::uint32_t place) { return place == APART ? grid.apart : grid.buckets[place]; }

void Unlist(std::uint16_t slot) {
    const std::uint32_t place = grid.where[slot];
    if (place == NOT_LISTED) return;
    std::vector<std::uint16_t>& list = List_Of(place);
    const std::uint32_t at = grid.position[slot];
    list[at] = list.back();
    grid.position[list[at]] = at;
    list.pop_back();
    grid.where[slot] = NOT_LISTED;
}

void List(std::uint16_t slot, std::uint32_t place) {
    if (place == NOT_LISTED) return;
    std::vector<std::uint16_t>& list = List_Of(place);
    grid.where[slot] = place;
    grid.position[slot] = static_cast<std::uint32_t>(list.size());
    list.push_back(slot);
}

void Build() {
    grid.width = map_width;
    grid.height = map_height;
    grid.columns = (map_width + BUCKET_SIDE - 1) / BUCKET_SIDE;
    grid.rows = (map_height + BUCKET_SIDE - 1) / BUCKET_SIDE;
    grid.buckets.assign(static_cast<std::size_t>(grid.columns) * grid.rows, {});
    grid.apart.clear();
    grid.where.assign(iqarray.Capacity(), NOT_LISTED);
    grid.position.assign(iqarray.Capacity(), 0);
    for (std::uint16_t s = 0; s < iqarray.used && s < iqarray.Capacity(); ++s) List(s, Place_Of(s));
    grid.built = true;
    ++grid.generation;
}

// Built for the map and the slot array as they are.
void Ensure_Built() {
    if (!grid.built || grid.width != map_width || grid.height != map_height || grid.where.size() != iqarray.Capacity())
        Build();
}

}  // namespace

void Reset_Observer_Grid_State() { grid = ObserverGrid{}; }

void Invalidate_Observer_Grid() {
    grid.built = false;
    ++grid.generation;
}

void Observer_Grid_Update(std::uint16_t slot) {
    if (!grid.built) {  // built from scratch when next asked
        ++grid.generation;
        return;
    }
    if (grid.width != map_width || grid.height != map_height || grid.where.size() != iqarray.Capacity()) {
        Invalidate_Observer_Grid();
        return;
    }
    if (slot >= grid.where.size()) return;
    const std::uint32_t place = Place_Of(slot);
    if (place == grid.where[slot]) return;
    Unlist(slot);
    List(slot, place);
    ++grid.generation;
}

void Observer_Grid_Moved(obj_ref obj) {
    if (Obj_Kind(obj) != OBJ_CHAR || !Char_In_Use(Obj_Index(obj))) return;
    const std::uint16_t slot = chararray.records[Obj_Index(obj)].ai_slot;
    if (IQ_Slot_In_Use(slot) && iqarray.records[slot].object == obj) Observer_Grid_Update(slot);
}

std::uint32_t Observer_Grid_Generation() { return grid.generation; }

void Observers_Near(std::uint16_t field, std::int32_t radius, std::uint32_t first_slot,
                    std::vector<std::uint16_t>& out) {
    if (radius == UNBOUNDED_RADIUS) {
        for (std::uint32_t s = first_slot; s < iqarray.used; ++s)
            if (IQ_Slot_In_Use(static_cast<std::uint16_t>(s))) out.push_back(static_cast<std::uint16_t>(s));
        return;
    }
    Ensure_Built();
    for (std::uint16_t s : grid.apart)
        if (s >= first_slot) out.push_back(s);
    if (field >= total_fields || radius < 0) return;
    // A hex distance is never below the larger of |dx| and |dy|.
    const std::int32_t x = static_cast<std::int32_t>(Field_X(field));
    const std::int32_t y = static_cast<std::int32_t>(Field_Y(field));
    const std::int32_t last_column = static_cast<std::int32_t>(grid.columns) - 1;
    const std::int32_t last_row = static_cast<std::int32_t>(grid.rows) - 1;
    const std::int32_t side = static_cast<std::int32_t>(BUCKET_SIDE);
    const std::int32_t c0 = std::max(0, x - radius) / side, c1 = std::min(last_column, (x + radius) / side);
    const std::int32_t r0 = std::max(0, y - radius) / side, r1 = std::min(last_row, (y + radius) / side);
    for (std::int32_t r = r0; r <= r1; ++r)
        for (std::int32_t c = c0; c <= c1; ++c)
            for (std::uint16_t s :
                 grid.buckets[static_cast<std::size_t>(c + r * static_cast<std::int32_t>(grid.columns))])
                if (s >= first_slot) out.push_back(s);
}

std::vector<std::uint16_t> Observer_Grid_Problems() {
    std::vector<std::uint16_t> wrong;
    if (!grid.built || grid.width != map_width || grid.height != map_height || grid.where.size() != iqarray.Capacity())
        return wrong;  // built anew when next asked
    for (std::uint16_t s = 0; s < grid.where.size(); ++s) {
        const std::uint32_t place = s < iqarray.used ? Place_Of(s) : NOT_LISTED;
        if (place != grid.where[s]) wrong.push_back(s);
    }
    return wrong;
}
