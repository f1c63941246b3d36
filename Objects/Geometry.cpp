#include "Objects/Geometry.h"

#include <algorithm>
#include <cstdlib>

#include "Objects/Map.h"
#include "System/ErrorReport.h"

std::uint16_t Neighbour_Field(std::uint16_t field, int d) {
    if (d < 0 || d > 7 || field >= total_fields) return NO_FIELD;
    std::int32_t x = static_cast<std::int32_t>(Field_X(field)) + hex_dirs[d].dx;
    std::int32_t y = static_cast<std::int32_t>(Field_Y(field)) + hex_dirs[d].dy;
    if (x < 0 || x >= static_cast<std::int32_t>(map_width) || y < 0 || y >= static_cast<std::int32_t>(map_height))
        return NO_FIELD;
    return Field_Index(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), Field_Level(field));
}

int Neighbour_Dir(std::uint16_t a, std::uint16_t b) {
    if (a >= total_fields || b >= total_fields) {
        Error_Query_Quit("Invalid index in Neighbour_Dir");
        return DIR_NOT_ADJACENT;
    }
    const std::int32_t per_level = static_cast<std::int32_t>(fields_per_level);
    const std::int32_t w = static_cast<std::int32_t>(map_width);
    std::int32_t diff = static_cast<std::int32_t>(b) - static_cast<std::int32_t>(a);
    if (diff == per_level) return DIR_UP;
    if (diff == -per_level) return DIR_DOWN;
    std::int32_t d = diff % per_level;  // sign of the dividend
    if (d == 1) return 1;
    if (d == -1) return 4;
    if (d == w) return 2;
    if (d == -w) return 5;
    if (d == w - 1) return 3;
    if (d == -w + 1) return 6;
    return DIR_NOT_ADJACENT;
}

std::int32_t Field_Distance(std::uint16_t a, std::uint16_t b) {
    if (a >= total_fields || b >= total_fields) {
        Error_Query_Quit("Not defined distance!");
        return NO_DISTANCE;
    }
    return Step_Distance(static_cast<std::int32_t>(Field_X(a)) - static_cast<std::int32_t>(Field_X(b)),
                         static_cast<std::int32_t>(Field_Y(a)) - static_cast<std::int32_t>(Field_Y(b)));
}
