#include "System/ScreenType.h"

std::uint32_t ScreenType = screen_none;

void Reset_Screen_Type() { ScreenType = screen_none; }
