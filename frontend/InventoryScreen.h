// The inventory screen: one character's 19 body slots, its 8 x 6 backpack
// and a strip of the items lying on its field. Items are moved with a hand:
// a click picks an item up (it follows the mouse as the software cursor and
// lies on the ground meanwhile) and the next click puts it down, swapping
// with what lies there. A button packs the first ground item into the
// backpack, repacking it when needed.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"
#include "frontend/Controls.h"

// The screen's control rows: 0..18 the body slots 48..66, then the
// backpack, the ground strip, the pack button, the two exits and the two
// arrows of the strip.
constexpr int INVENTORY_ROW_COUNT = 26;
extern control_row inventory_controls[INVENTORY_ROW_COUNT + 1];
constexpr int ROW_BACKPACK = 19;
constexpr int ROW_GROUND_STRIP = 20;
constexpr int ROW_PACK = 21;
constexpr int ROW_TO_CHAR_PAGE = 22;
constexpr int ROW_TO_MAP = 23;
constexpr int ROW_PREVIOUS_GROUND = 24;
constexpr int ROW_NEXT_GROUND = 25;

// Where the backpack's cell 0 lies on the screen, and a cell's side.
constexpr int BACKPACK_X = 351, BACKPACK_Y = 122;
constexpr int CELL_PIXELS = 32;
// The ground strip: at most this many items, the first centred at
// (STRIP_FIRST_X, STRIP_ITEM_Y), STRIP_ITEM_STEP apart; the strip's
// sensitive area starts at STRIP_LEFT.
constexpr int GROUND_STRIP_ITEMS = 15;
constexpr int STRIP_LEFT = 33;
constexpr int STRIP_FIRST_X = 52, STRIP_ITEM_Y = 455, STRIP_ITEM_STEP = 38;

// The slot a source of the hand means when the item came from the ground.
constexpr std::uint16_t HAND_FROM_GROUND = 68;

// The field head {5, field} of the shown character's field.
extern obj_ref ground_field;
// The ground item the strip shows first, or the end marker of the field.
extern obj_ref ground_cursor;
// The item in the hand (0 = empty hand) and the slot it came from.
extern std::int16_t hand_item;
extern std::uint16_t hand_source;
// No ground strip, nothing in the hand.
void Reset_Inventory_State();

// The inventory control of the hexamap screen and of the character and
// spell pages (event 1): gives the leading selected character, when the
// player may command it, the command to open the inventory, which the
// character carries out on its next tick.
void Inventory_Switch(std::uint32_t flags, int event);
// Opens the screen for page_char on field (0: the character's own field),
// with an empty hand.
void Open_Inventory_Screen(std::int16_t field);
// The background, the body slots, the ground strip and the backpack; the
// whole screen shown. A background that cannot be loaded is fatal.
void Draw_Inventory_Screen();

// The hand: takes item (below 0xFFFF) from source and shows it as the
// cursor; Clear_Hand empties it and hides the cursor.
void Take_Item_In_Hand(std::uint16_t item, std::uint16_t source);
void Clear_Hand();

// Whether a body slot (48..66) takes item.
bool Slot_Accepts(int slot, std::uint16_t item);
// The body slot of a control row 0..18, and its row.
int Body_Slot_Of_Row(int row);

// Puts the hand item down on a body slot or a backpack cell, or picks up
// what lies there with an empty hand; for the backpack the cell is taken
// from the mouse position.
void Drop_On_Slot(int slot);

// The handlers of rows 19..25.
void Backpack_Click(std::uint32_t flags, int event);
void Ground_Strip_Click(std::uint32_t flags, int event);
void Pack_First_Ground_Item(std::uint32_t flags, int event);
void Inventory_To_Char_Page(std::uint32_t flags, int event);
void Inventory_To_Map(std::uint32_t flags, int event);
void Previous_Ground_Item(std::uint32_t flags, int event);
void Next_Ground_Item_Click(std::uint32_t flags, int event);
