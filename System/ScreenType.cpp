#include "System/ScreenType.h"

std::uint32_t ScreenType = SCREEN_NONE;

void Reset_Screen_Type() { ScreenType = SCREEN_NONE; }
