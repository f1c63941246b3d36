// The current screen: 0 none, 1 hexamap screen, 2 inventory, 3 character
// page, 4 spell page, 5 editor. Set by each screen's entry handler; read by
// the message log and the game world.
#pragma once
#include <cstdint>

constexpr std::uint32_t SCREEN_NONE = 0;
constexpr std::uint32_t SCREEN_HEXAMAP = 1;
constexpr std::uint32_t SCREEN_INVENTORY = 2;
constexpr std::uint32_t SCREEN_CHAR_PAGE = 3;
constexpr std::uint32_t SCREEN_SPELL_PAGE = 4;
constexpr std::uint32_t SCREEN_EDITOR = 5;

extern std::uint32_t ScreenType;
// No screen, as at start.
void Reset_Screen_Type();
