#include "frontend/ViewStandIns.h"

std::uint32_t shields_shown = 1;
std::uint32_t hex_grid = 0;

void Put_Right_Field() {}
