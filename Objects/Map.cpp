#include "Objects/Map.h"

#include <new>

#include "Objects/MapAnims.h"
#include "System/ErrorReport.h"

std::uint32_t map_width = 0;
std::uint32_t map_height = 0;
std::uint32_t map_levels = 0;
std::uint32_t fields_per_level = 0;
std::uint32_t total_fields = 0;

std::int32_t scroll_x = 0;
std::int32_t scroll_y = 0;
std::uint32_t shown_level = 0;

const hex_step hex_dirs[8] = {{0, 0}, {1, 0}, {0, 1}, {-1, 1}, {-1, 0}, {0, -1}, {1, -1}, {0, 0}};
const hex_step hex_dirs_wrap[13] = {{0, 0}, {1, 0}, {0, 1},  {-1, 1}, {-1, 0}, {0, -1}, {1, -1},
                                    {1, 0}, {0, 1}, {-1, 1}, {-1, 0}, {0, -1}, {1, -1}};

std::vector<std::uint16_t> mapfield;
MapArray maparray;
fixitem_type fixitem_types[FIXITEM_SLOTS];

namespace {

// One flag per map record: on the free list or not, so a record is never
// freed twice and a walk can tell a freed record from a live one.
std::vector<bool> map_free_marks;

void Chain_Free_Records(std::uint16_t from, std::uint16_t to_exclusive, std::uint16_t tail) {
    for (std::uint32_t i = from; i < to_exclusive; ++i) {
        map_record& r = maparray.records[i];
        r = {};
        r.first_mod = NO_INDEX;
        std::uint16_t next = (i + 1 < to_exclusive) ? static_cast<std::uint16_t>(i + 1) : tail;
        r.link = Make_Obj(OBJ_NONE, next);
        map_free_marks[i] = true;
    }
}

// Capacity after adding step records, never reaching 0xFFFF.
std::uint32_t Grown_Capacity(std::uint32_t capacity, std::uint32_t step) {
    std::uint32_t grown = capacity + step;
    return grown > 0xFFFF ? 0xFFFF : grown;
}

}  // namespace

void Set_Map_Geometry(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
    map_width = width;
    map_height = height;
    map_levels = levels;
    fields_per_level = width * height;
    total_fields = fields_per_level * levels;
    mapfield.assign(total_fields, 0);
}

void Alloc_Map_Array(std::uint16_t n) {
    std::uint32_t capacity = Grown_Capacity(n, MAP_ARRAY_STEP);
    try {
        maparray.records.assign(capacity, map_record{});
        map_free_marks.assign(capacity, false);
    } catch (const std::bad_alloc&) {
        maparray.records.clear();
        map_free_marks.clear();
        maparray.first_free = NO_INDEX;
        Fatal_Error("Can't allocate memory for map!", "");
        return;
    }
    for (std::uint32_t i = 0; i < n; ++i) maparray.records[i].first_mod = NO_INDEX;
    if (capacity > n) {
        Chain_Free_Records(n, static_cast<std::uint16_t>(capacity), NO_INDEX);
        maparray.first_free = n;
    } else {
        maparray.first_free = NO_INDEX;
    }
}

std::uint16_t New_Map_Record() {
    if (maparray.first_free == NO_INDEX) {
        std::uint32_t old_capacity = maparray.Capacity();
        std::uint32_t capacity = Grown_Capacity(old_capacity, MAP_ARRAY_STEP);
        if (capacity == old_capacity) {
            Error_Query_Quit("Can't realloc maparray!");
            return NO_INDEX;
        }
        try {
            maparray.records.resize(capacity);
            map_free_marks.resize(capacity, false);
        } catch (const std::bad_alloc&) {
            Error_Query_Quit("Can't realloc maparray!");
            return NO_INDEX;
        }
        Chain_Free_Records(static_cast<std::uint16_t>(old_capacity), static_cast<std::uint16_t>(capacity), NO_INDEX);
        maparray.first_free = static_cast<std::uint16_t>(old_capacity);
    }
    std::uint16_t i = maparray.first_free;
    map_record& r = maparray.records[i];
    maparray.first_free = Obj_Index(r.link);
    map_free_marks[i] = false;
    r.first_mod = NO_INDEX;
    return i;
}

void Delete_Map_Record(std::uint16_t i) {
    if (i >= maparray.Capacity() || i < total_fields || map_free_marks[i]) {
        Error_Query_Quit("Delete map record out of array!");
        return;
    }
    Stop_Object_Anims(OBJ_FIXITEM, i);
    map_record& r = maparray.records[i];
    r.link = Make_Obj(OBJ_NONE, maparray.first_free);
    r.type = 0;
    maparray.first_free = i;
    map_free_marks[i] = true;
}

void Free_Map_Array() {
    maparray.records.clear();
    maparray.records.shrink_to_fit();
    map_free_marks.clear();
    maparray.first_free = NO_INDEX;
}

bool Map_Record_Is_Free(std::uint16_t i) { return i < map_free_marks.size() && map_free_marks[i]; }

void Rebuild_Map_Free_Marks() {
    map_free_marks.assign(maparray.Capacity(), false);
    std::uint32_t steps = 0;
    for (std::uint16_t i = maparray.first_free; i != NO_INDEX && i < maparray.Capacity();
         i = Obj_Index(maparray.records[i].link)) {
        if (map_free_marks[i] || ++steps > maparray.Capacity()) break;
        map_free_marks[i] = true;
    }
}
