// Stand-ins for the screens that later parts of the program build: the
// hexamap screen's entry and its control table, the inventory, the
// character page, the spell page and the editor, with the editor's flag
// that stops the game tick. Each is the least that lets the frame of the
// program run and show the map; the real screens replace them.
#pragma once
#include <cstdint>

#include "frontend/Controls.h"

extern control_row hexamap_controls[];
extern control_row inventory_controls[];
extern control_row char_page_controls[];
extern control_row spell_page_controls[];

// 1 while the editor is open: the game tick does nothing.
extern std::uint32_t editor_busy;

// Entries of the screens, called with (flags, event 1).
void Init_Hexamap_Screen(std::uint32_t flags, int event);
void Inventory_Switch(std::uint32_t flags, int event);
void Char_Page_Button(std::uint32_t flags, int event);
void Spell_Page_Button(std::uint32_t flags, int event);
void Enter_Editor(std::uint32_t flags, int event);

// The editor screen's two areas and the editor's reaction to a moved window.
void Editor_Place_Object(std::uint32_t flags, int event);
void Editor_Preview_Click(std::uint32_t flags, int event);
void Editor_Window_Moved();

// The hexamap screen's map area and its quit control.
void Hexamap_Map_Click(std::uint32_t flags, int event);
void Quit_Click(std::uint32_t flags, int event);
