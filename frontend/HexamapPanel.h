// The game panel around the hexamap screen's map view: the portrait strip
// of the party, the left panel with the leading selected character's hands,
// quick slots and big portrait, the right panel with the same of the
// character under the cursor, and the field view of the field under the
// cursor. Everything is drawn into the back buffer only where it changed
// since it was last shown, and copied to the screen.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

struct sprite;

// A portrait: the character shown (-1 none), the hit points and stamina its
// bars show (NOTHING_SHOWN before they are drawn) and where it stands.
struct portrait_slot {
    std::int16_t character;
    std::int32_t hp_shown;
    std::int32_t stamina_shown;
    std::int32_t x, y;
};
constexpr std::int32_t NOTHING_SHOWN = 0x7FFFFFFF;
// Slots 0 to 5 the strip, 6 the left panel's big portrait, 7 the right's.
constexpr int STRIP_SLOTS = 6;
constexpr int LEFT_BIG_PORTRAIT = 6;
constexpr int RIGHT_BIG_PORTRAIT = 7;
constexpr int PORTRAIT_SLOT_COUNT = 8;
extern portrait_slot portrait_slots[PORTRAIT_SLOT_COUNT];
// The strip's slots lie this far apart, the first at (STRIP_X, STRIP_Y).
constexpr int STRIP_X = 45, STRIP_Y = 426, STRIP_STEP = 38;

// The item slots 59 to 66 of a character (left hand, right hand, quick
// slots) as a panel shows them: the item shown (ITEM_NOTHING_YET before it
// is drawn, 0 empty, ITEM_BARE_HAND an empty hand) and the slot's centre.
struct hand_slot_view {
    std::int16_t item;
    std::int32_t x, y;
};
constexpr std::int16_t ITEM_NOTHING_YET = -1;
constexpr std::int16_t ITEM_BARE_HAND = -2;
constexpr int FIRST_HAND_SLOT = 59;
constexpr int HAND_SLOT_COUNT = 8;
// [0] the left panel, [1] the right panel.
extern hand_slot_view hand_slot_views[2][HAND_SLOT_COUNT];

// Every slot to no character with nothing shown: the next redraw draws it
// all.
void Init_Portrait_Slots();

// The whole panel; called by every full redraw of the map view on the
// hexamap screen.
void Put_Right_Field();
// Portrait slot 0 to 5 shows character (-1 none): its head at half size
// with its hit-point and stamina bars.
void Put_Portrait(std::int16_t character, int slot);
// The same at full size for slot 6 or 7.
void Put_Big_Portrait(std::int16_t character, int slot);
// The left panel (the leading selected character, -1 none) and the right
// panel (the character under the cursor): hands, quick slots and the big
// portrait.
void Put_Right_Char_Page(std::int16_t character);
void Put_Right_Item_Page(std::int16_t character);
// A head picture at half size with its bottom-left corner at (x, y), over
// what the back buffer shows there.
void Put_Small_Head(int x, int y, const sprite* head, int frame, int palette);
// An item's picture at half size centred at (x, y).
void Put_Small_Item(int x, int y, std::uint16_t item);
// Lets the game world show the leading character in the left panel when it
// is selected; done at start-up.
void Install_Panel_Hooks();
