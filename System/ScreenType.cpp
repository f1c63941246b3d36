#include "System/ScreenType.h"

std::uint32_t ScreenType = screen_none;
