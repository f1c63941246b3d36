#pragma once
// Item pictures: "ARTWORK\\ITEMS\\ITEMS" (large pictures, 32 pixels a cell,
// centred on the drawing point) and "ARTWORK\\ITEMS\\MITEMS" (small pictures
// lying on the map, around 4 pixels above the field's anchor), both run-length
// sprites of ITEM_FRAMES frames with the same numbering.

#include <cstdint>
#include <vector>

#include "tools/artgen/Artwork.h"

namespace art {

constexpr int ITEM_FRAMES = 400;
constexpr int DEAD_BODY_PICTURE = 399;

struct ItemArt {
    int picture;         // frame in ITEMS and MITEMS
    const char* name;    // a name for the item type that shows it
    uint8_t size;        // width << 4 | height, in backpack cells
    uint8_t item_class;  // the item class the picture shows
};
// Every picture drawn; the frames not listed are empty.
const std::vector<ItemArt>& Item_Catalogue();

std::vector<DysSprite> Item_Sprites();  // ITEMS, MITEMS

}  // namespace art
