#include "Objects/PathCache.h"

std::uint32_t path_cacheable = 1;
std::int32_t danger_scale = 100;
std::int32_t danger_unit = 5;

void Reset_Path_Cache_State() {
    path_cacheable = 1;
    danger_scale = 100;
    danger_unit = 5;
}
