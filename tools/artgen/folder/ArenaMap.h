// "ARTWORK\MAPS\aa.bin", the chunked map file the game's map start-up
// imports: a small walled arena on a stone floor, built with the
// field-building operations: walls round it, barrels and two torches
// inside, items on the ground, and two groups of soldiers with the
// generated figures facing each other, the party's (the first leads) in
// blue and hostile ones in red.
#pragma once
#include <cstdint>
#include <filesystem>

namespace art {

constexpr std::uint32_t ARENA_WIDTH = 12;
constexpr std::uint32_t ARENA_HEIGHT = 10;
constexpr std::uint32_t ARENA_LEVELS = 1;
constexpr int ARENA_SOLDIERS = 6;

// Replaces the world with the arena and the item types with
// Default_Item_Types(), its arrays as the importer makes them (no record
// free below the last one in use). The same world on every run. False
// when an object could not be placed.
bool Build_Arena_Map();

// Builds the arena and writes it under root as "ARTWORK\MAPS\aa.bin".
bool Write_Arena_Map(const std::filesystem::path& root);

}  // namespace art
