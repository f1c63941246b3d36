// A working folder the game starts on: the test artwork (ARTWORK and CURSOR
// linked from Map_Art_Folder) with "start.map", a 24 x 24 sample map of two
// levels saved by the map writer, and the "item.dat" it needs. Written once
// beside the test program.
#pragma once
#include <cstdint>
#include <filesystem>

namespace fixture {

std::filesystem::path Game_Folder();
// The same with the small map to play on (Build_Play_Map) as "start.map".
std::filesystem::path Play_Folder();

constexpr std::uint32_t GAME_MAP_SIDE = 24;
constexpr std::uint32_t GAME_MAP_LEVELS = 2;

}  // namespace fixture
