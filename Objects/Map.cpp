#include "Objects/Map.h"

#include <algorithm>

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

void Reset_Map_State() {
    Set_Map_Geometry(0, 0, 0);
    mapfield.clear();
    scroll_x = 0;
    scroll_y = 0;
    shown_level = 0;
    maparray.Release();
    for (fixitem_type& t : fixitem_types) t = fixitem_type{};
}

void Set_Map_Geometry(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
    map_width = width;
    map_height = height;
    map_levels = levels;
    fields_per_level = width * height;
    total_fields = fields_per_level * levels;
    mapfield.assign(total_fields, 0);
}

void Alloc_Map_Array(std::uint16_t n) { maparray.Allocate_For(n, "Can't allocate memory for map!"); }

std::uint16_t New_Map_Record() { return maparray.New_Or_Report("Can't realloc maparray!"); }

void Delete_Map_Record(std::uint16_t i) {
    if (i < total_fields || !maparray.Can_Free(i)) {
        Error_Query_Quit("Delete map record out of array!");
        return;
    }
    Stop_Object_Anims(OBJ_FIXITEM, i);
    maparray.Push(i);
}

void Free_Map_Array() { maparray.Release(); }

bool Map_Record_Is_Free(std::uint16_t i) { return maparray.Is_Free(i); }

void Rebuild_Map_Free_Marks() { maparray.Rebuild_Free_Marks(); }
