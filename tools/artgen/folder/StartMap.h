// "start.map", the map a new game begins on, built through the game world's
// own operations: a meadow with a walled house (a door, a locked chest,
// a lantern and candles), torches at its door, a pond, a hill and a ground
// ridge, a stone tower whose steps climb to a second level, a teleport, a
// party of three with their equipment (the first is the main character) and
// monsters with their programs.
#pragma once
#include <cstdint>
#include <filesystem>

#include "platform/FileFault.h"

namespace art {

constexpr std::uint32_t START_MAP_WIDTH = 20;
constexpr std::uint32_t START_MAP_HEIGHT = 16;
constexpr std::uint32_t START_MAP_LEVELS = 2;

// Replaces the world with the start map, the item types with
// Default_Item_Types(), and leaves it as the map file stores it: the main
// character selected, the view centred on it. Sprites are stood in for by
// records of their draw layer and frame count only.
void Build_Start_Map();

// Builds the start map and writes it as "start.map" and
// "ARTWORK\MAPS\start.map" under root (the database it names is written
// by Write_Type_Database); false with the file that could not be written
// and the reason in fault.
bool Write_Start_Map(const std::filesystem::path& root, file_fault* fault = nullptr);

}  // namespace art
