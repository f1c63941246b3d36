// The spell page: the character page's background and character, and over
// its right half a grid of up to 12 buttons of the spells the character
// knows, each with its icon and its four mana costs. A spell whose costs
// the character's mana does not cover is drawn disabled. Pointing at a
// spell names it and shows its description; clicking it gives the
// character the cast as a user command and returns to the map.
#pragma once
#include <cstdint>

#include "frontend/Controls.h"
#include "platform/Win32Types.h"

struct sprite;

// The page's control rows: back to the map, to the inventory, the grid.
extern control_row spell_page_controls[];

// The buttons (frame 0 a button, 1 the veil of a disabled one) and the
// icons (2n lit, 2n + 1 unlit), held while the page is open; MANALINE
// (CharPage.h) too.
extern sprite* SPBUTTON;
extern sprite* SPICONS;

// The spells the grid shows: spell_table rows in ascending order.
constexpr int SPELL_CELLS = 12;
struct spell_list_state {
    std::uint16_t rows[SPELL_CELLS];
    int count;
};
extern spell_list_state spell_list;
void Reset_Spell_Page_State();

// The grid: cell c in column c % 3 and row c / 3, 90 x 50 pixels each, 5
// pixels apart; the description box below it.
constexpr int SPELL_GRID_LEFT = 339, SPELL_GRID_TOP = 122;
constexpr int SPELL_CELL_WIDTH = 90, SPELL_CELL_HEIGHT = 50;
constexpr int SPELL_CELL_STEP_X = 95, SPELL_CELL_STEP_Y = 55;
constexpr int SPELL_GRID_COLUMNS = 3;
constexpr RECT SPELL_GRID_AREA{339, 122, 620, 338};
constexpr RECT SPELL_DESCRIPTION_BOX{358, 352, 600, 458};
// The cell Spell_Page_Mouse finds in a gap between columns, and between rows.
constexpr int SPELL_COLUMN_GAP = -1;
constexpr int SPELL_ROW_GAP = -4;

// The page's entry: the message line's place, the three sprites, the page
// drawn.
void Open_Spell_Page();
// The background from file ("Can't load spellpage screen" when it cannot
// be loaded, fatal), the character, the grid; the whole screen shown.
void Show_Spell_Page();
// The spells page_char knows, the first 12.
void Build_Spell_List();
// Draws the grid with chosen (a cell, or negative for none) pointed at: the
// message line and the description tell of a castable spell; a click
// (event 1) on one casts it and leaves the page, and gives 0. Else 1.
int Spell_Page_Update(int chosen, int event);
// The cell under the mouse (or a gap) for Spell_Page_Update; the grid
// and the description box shown again.
int Spell_Cell_At(int x, int y);
void Spell_Page_Mouse(std::uint32_t flags, int event);
// A bar of MANALINE frame from x + 35 leftward at y: value of maximum.
void Draw_Mana_Line(int frame, int x, int y, std::int64_t value, std::int64_t maximum);
// The text word-wrapped into rect on the back surface, which is then shown.
void Draw_Spell_Text(const RECT& rect, COLORREF colour, const char* text);

// The page's exits (event 1 only): its sprites freed, then the hexamap
// screen, or the inventory switch.
void Spell_Page_To_Map(std::uint32_t flags, int event);
void Spell_Page_To_Items(std::uint32_t flags, int event);
// The spell-page control of the hexamap screen: the leading character is
// told to open its spell page.
void Spell_Page_Button(std::uint32_t flags, int event);
// Frees the three sprites.
void Free_Spell_Page_Sprites();
