#include "Objects/PathCache.h"

std::uint32_t path_cacheable = 1;
std::int32_t danger_scale = 100;
std::int32_t danger_unit = 5;
