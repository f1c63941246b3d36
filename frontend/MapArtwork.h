// Every sprite of a map in one step: the pictures of the map's fixitem
// types, the system and panel sprites, the character bodies and heads and
// the item pictures. Loaded whenever a map is loaded, freed before the next
// one and when the display's surfaces are released.
#pragma once
#include <cstdint>

// The sprite field of a fixitem type slot whose picture file is missing: the
// slot stays in use (its sprite field is not zero) and is drawn without a
// picture. Never a sprite's handle.
constexpr std::uint32_t SPRITE_MISSING = 0xFFFFFFFF;

void Load_Map_Artwork();
void Free_Map_Artwork();
