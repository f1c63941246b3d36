// The hexamap screen, where the game is played: the map view in the middle,
// the panel around it, and its 38 control rows with their handlers (the map
// click, the step keys, turn mode, levels, speed, the display toggles,
// quitting, the portrait strip and the quick slots). The panel's drawing is
// in HexamapPanel.h, the orders of the left panel in Objects/PlayerCommands.h.
#pragma once
#include <cstdint>

#include "frontend/Controls.h"
#include "platform/DDraw.h"

// The screen's control rows in table order, ended by the end row.
constexpr int HEXAMAP_ROW_COUNT = 38;
extern control_row hexamap_controls[HEXAMAP_ROW_COUNT + 1];

// Rows the handlers show pressed or held.
constexpr int ROW_MODE_SWITCH = 5;
constexpr int ROW_TOGGLE_SHIELDS = 26;
constexpr int ROW_TOGGLE_DIGITS = 27;

// Whether the hit-point shields over characters are shown (1 at start); a
// held-down button means off. The rising damage digits' switch is the game
// world's digits_shown.
extern std::uint32_t shields_shown;
// The shields shown, no portrait clicked.
void Reset_Hexamap_Screen_State();

// The screen's entry (event 1 only): the viewport, the message line's place,
// the panel's shown values forgotten, the background drawn.
void Init_Hexamap_Screen(std::uint32_t flags, int event);
// The screen's picture and the message log's box, the held buttons, the
// panel, and the whole screen shown. A picture that cannot be loaded is
// fatal.
void Draw_Hexamap_Screen();
// Copies a screen's picture from file into a surface; false, after the
// fatal error what, when it cannot be loaded.
bool Load_Page(LPDIRECTDRAWSURFACE surface, const char* file, const char* what);

// ---- The map and the step keys ----
// Left click: select, attack or go (in turn mode a first click shows the
// way and a second on the same field confirms it), or pick the target of an
// aimed act; with Shift toggle a party member in the selection. Right
// click: turn toward the field, or rotate the aimed pattern.
void Hexamap_Map_Click(std::uint32_t flags, int event);
// The active player character turns to the direction and, unless it stands
// at the map's edge there, goes to the neighbour field or attacks whoever
// stands on it.
void Step_Selected_Left(std::uint32_t flags, int event);
void Step_Selected_Right(std::uint32_t flags, int event);
void Step_Selected_Down_Right(std::uint32_t flags, int event);
void Step_Selected_Up_Right(std::uint32_t flags, int event);
void Step_Selected_Down_Left(std::uint32_t flags, int event);
void Step_Selected_Up_Left(std::uint32_t flags, int event);

// ---- Mode, levels, speed, toggles, quitting ----
void Mode_Switch(std::uint32_t flags, int event);
void Level_Up(std::uint32_t flags, int event);
void Level_Down(std::uint32_t flags, int event);
void Increase_Game_Speed(std::uint32_t flags, int event);
void Decrease_Game_Speed(std::uint32_t flags, int event);
void Toggle_Shields(std::uint32_t flags, int event);
void Toggle_Digits(std::uint32_t flags, int event);
// Cancels an aim; during a test play goes back to the editor with the test
// map; else asks "Do you really want to quit?" and on Yes closes the window.
void Quit_Click(std::uint32_t flags, int event);
// Does nothing.
void Credits_Key(std::uint32_t flags, int event);
// The editor key: enters the editor; during a test play it is Quit (back
// to the editor with the test map).
void Editor_Key(std::uint32_t flags, int event);

// ---- Portrait strip and quick slots ----
// The character of the last portrait click (-1 none).
extern std::int16_t last_portrait_click;
void Reset_Portrait_Clicks();
void Portraits_Scroll_Left(std::uint32_t flags, int event);
void Portraits_Scroll_Right(std::uint32_t flags, int event);
// The strip slot under the mouse (0 to 5), -1 between or beside them.
int Portrait_Slot_At(int x);
void Portrait_Strip_Click(std::uint32_t flags, int event);
void Select_All_Chars(std::uint32_t flags, int event);
// A quick slot of the leading character: its item's name on hover and
// click, the item used on a right click.
void Quick_Slot_Click(int slot, int event);
void Quick_Slot_61_Click(std::uint32_t flags, int event);
void Quick_Slot_62_Click(std::uint32_t flags, int event);
void Quick_Slot_63_Click(std::uint32_t flags, int event);
void Quick_Slot_64_Click(std::uint32_t flags, int event);
void Quick_Slot_65_Click(std::uint32_t flags, int event);
void Quick_Slot_66_Click(std::uint32_t flags, int event);
