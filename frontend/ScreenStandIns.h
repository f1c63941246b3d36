// Stand-ins for the screen that a later part of the program builds: the
// editor, with the editor's flags that stop the game tick and mark a test
// play. Each is the least that lets the hexamap screen call it; the real
// screen replaces them.
#pragma once
#include <cstdint>

#include "frontend/Controls.h"

// 1 while the editor is open: the game tick does nothing.
extern std::uint32_t editor_busy;
// 1 while the editor's map is played: quitting goes back to the editor.
extern std::uint32_t test_play;
// The map a test play starts from and returns to.
constexpr const char* test_map_name = "Test.map";

// The editor's entry, called with (flags, event 1).
void Enter_Editor(std::uint32_t flags, int event);

// The editor screen's two areas and the editor's reaction to a moved window.
void Editor_Place_Object(std::uint32_t flags, int event);
void Editor_Preview_Click(std::uint32_t flags, int event);
void Editor_Window_Moved();
