// A stand-in for what the map view reads from the editor, which is built
// later: its hexagon grid switch. The real one replaces it.
#pragma once
#include <cstdint>

// The editor's "Hexa grid" switch: an outline on every field (0 at start).
extern std::uint32_t hex_grid;
