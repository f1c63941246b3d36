// A world with something in every array a map file holds: floors, stacked
// and animated fixitems, items on fields and in characters' slots,
// characters of several lobbies, modifier chains of both insertion orders,
// an area modifier, map animations, AI slots with act lists, relations, a
// selection and the party, and holes in every free list. Its run-time
// handles stand as a map holds them before its artwork is loaded: used
// fixitem type slots carry SPRITE_MISSING, other sprite fields 0. The same
// world for the same arguments.
#pragma once
#include <cstdint>

namespace fixture {

// Builds it (Reset_Timed_World first); levels >= 1, width and height >= 4.
void Build_Stored_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels);

// The fixitem type slot the builder names "Lampa1" (a light source), and
// the field its one lamp stands on.
constexpr std::uint8_t STORED_LAMP_SLOT = 3;
std::uint16_t Stored_Lamp_Field();

}  // namespace fixture
