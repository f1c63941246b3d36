#include "frontend/ViewStandIns.h"

std::uint32_t hex_grid = 0;
