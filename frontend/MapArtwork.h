// Every sprite of a map in one step: the pictures of the map's fixitem
// types, the system and panel sprites, the character bodies and heads and
// the item pictures. Loaded whenever a map is loaded, freed before the next
// one and when the display's surfaces are released.
#pragma once
#include <cstdint>
#include <string>

#include "Objects/Map.h"  // SPRITE_MISSING marks a used slot without a picture

void Load_Map_Artwork();
void Free_Map_Artwork();

// The picture file of a slot's type, without its ".BMP".
std::string Slot_Sprite_Name(const fixitem_type& t);
// The picture of one map slot (1..240) that the editor gave a new type,
// loaded without a report; one it loaded before for the slot is released.
// False when the file cannot be read: the slot is in use without a picture.
bool Load_Slot_Sprite(std::uint8_t slot);
