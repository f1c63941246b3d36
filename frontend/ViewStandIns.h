// Stand-ins for what the map view reads from parts of the program that are
// built later: the game panel of the hexamap screen and the editor's
// hexagon grid switch. Each is the least that lets the map view run; the
// real ones replace them.
#pragma once
#include <cstdint>

// Whether the hit-point shields over characters are shown (1 at start).
extern std::uint32_t shields_shown;
// The editor's "Hexa grid" switch: an outline on every field (0 at start).
extern std::uint32_t hex_grid;
// The game panel, redrawn with every full redraw on the hexamap screen.
void Put_Right_Field();
