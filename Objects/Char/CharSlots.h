// Putting items into a character's slots and taking them out: with the map
// reader and the editor, the only writers of the slots. Also the backpack's
// grid: footprints, what a placed item would cover, and repacking.
//
// In the backpack (slots 0..47, cell = column + 8 * row) an item w cells
// wide and h high whose top-left cell is c holds its index in c and the
// value -(dx + 8 * dy) in every other cell c + dx + 8 * dy of its
// footprint, so that any covered cell leads back to the top-left one.
#pragma once
#include <array>
#include <cstdint>

struct char_record;

// Backpack geometry: 8 columns by 6 rows; a cell is column + row * 8.
constexpr int BACKPACK_COLUMNS = 8;
constexpr int BACKPACK_ROWS = 6;
constexpr int BACKPACK_CELLS = BACKPACK_COLUMNS * BACKPACK_ROWS;

// The backpack's cells in a grid of their own: the record's slots are not
// aligned for working on them in place.
using backpack_grid = std::array<std::int16_t, BACKPACK_CELLS>;
backpack_grid Backpack_Of(const char_record& r);
void Set_Backpack(char_record& r, const backpack_grid& grid);

// The size bytes the repacking knows (high nibble width, low nibble height).
constexpr std::uint8_t SIZE_2X4 = 0x24;
constexpr std::uint8_t SIZE_2X2 = 0x22;
constexpr std::uint8_t SIZE_2X1 = 0x21;
constexpr std::uint8_t SIZE_1X2 = 0x12;
constexpr std::uint8_t SIZE_2X3 = 0x23;
constexpr std::uint8_t SIZE_1X3 = 0x13;
constexpr std::uint8_t SIZE_1X1 = 0x11;

// The size byte of an item's type with width and height at least 1 (a type
// that cannot be read counts as 1 x 1).
std::uint8_t Item_Size(std::uint16_t item);
inline int Size_Width(std::uint8_t size) { return size >> 4; }
inline int Size_Height(std::uint8_t size) { return size & 0x0F; }

// Takes item out of the first slot holding it: a backpack item clears its
// footprint, a body item is unequipped (request 103) and its slot cleared.
// The item's owner kind becomes 0. Nothing when no slot holds it.
void Remove_Item_From_Char(std::uint16_t c, std::uint16_t item);

// Puts item into slot: the backpack gets its footprint with the slot as the
// top-left cell, a body slot gets the index and equips it (request 102).
// The item's link kind becomes 0 and its owner the character.
void Put_Item_To_Char_Slot(std::uint16_t c, std::uint16_t item, int slot);

// What the hand item would replace in slot of character c: for a body slot
// its content; for a backpack cell the one item other than hand that the
// hand item's footprint (1 x 1 for an empty hand) covers with its top-left
// corner there: 0 when none, -1 when two or more different items.
std::int16_t Item_Under_Place(std::uint16_t c, std::uint16_t hand, int slot);

// Writes the footprint of an item of size with its top-left corner at cell:
// the size byte into cell, the back-pointing markers into the other cells.
// 0 (nothing written) when a cell is taken or the footprint leaves the grid.
int Fit_Item_In_Grid(backpack_grid& grid, int cell, std::uint8_t size);

// Repacks a grid of item types (types at top-left cells, markers elsewhere)
// together with a new type t, placing the sizes in a fixed order, each at
// the first free cell of its preference list. 1 when everything fitted (the
// grid is replaced), 0 when not (the grid is unchanged). t = 0 adds nothing
// and succeeds at once.
int Repack_Backpack_Types(backpack_grid& grid, std::uint16_t t);

// The same on a character's backpack (item indexes, Backpack_Of) with a new item i
// (0: succeeds at once): the items keep their identity, i lands in one of
// the new places. 0 and the slots unchanged when it does not fit, or when i
// or an item of the backpack has no type that can be packed.
int Repack_Backpack(backpack_grid& slots, std::uint16_t i);
