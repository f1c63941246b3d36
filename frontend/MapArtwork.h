// Every sprite of a map in one step: the pictures of the map's fixitem
// types, the system and panel sprites, the character bodies and heads and
// the item pictures. Loaded whenever a map is loaded, freed before the next
// one and when the display's surfaces are released.
#pragma once
#include <cstdint>

#include "Objects/Map.h"  // SPRITE_MISSING marks a used slot without a picture

void Load_Map_Artwork();
void Free_Map_Artwork();
