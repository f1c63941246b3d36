// Putting items into a character's slots and taking them out: with the map
// reader and the editor, the only writers of the slots.
#pragma once
#include <cstdint>

// Backpack geometry: 8 columns by 6 rows; a cell is column + row * 8.
constexpr int BACKPACK_COLUMNS = 8;
constexpr int BACKPACK_ROWS = 6;

// Takes item out of the first slot holding it: a backpack item clears its
// whole footprint, a body item is unequipped (request 103) and its slot
// cleared. The item's owner kind becomes 0.
void Remove_Item_From_Char(std::uint16_t c, std::uint16_t item);

// Puts item into slot: the backpack gets its footprint with the slot as the
// top-left cell, a body slot gets the index and equips it (request 102).
void Put_Item_To_Char_Slot(std::uint16_t c, std::uint16_t item, int slot);
