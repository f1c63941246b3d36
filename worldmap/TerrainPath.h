// The terrain path search of the world map: the cost of a step between
// neighbouring cells of the 400 x 400 terrain grid (one byte per cell of
// 2 x 2 map pixels), and a first-in first-out label-correcting search over
// the eight neighbours that leaves the path for the walk and the path dots.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int TERRAIN_WIDTH = 400;
constexpr int TERRAIN_HEIGHT = 400;
constexpr int TERRAIN_CELLS = TERRAIN_WIDTH * TERRAIN_HEIGHT;

// A terrain byte: the class (bits 0-4) with its two bands, rough and road.
constexpr std::uint8_t TERRAIN_CLASS_MASK = 0x1F;
constexpr std::uint8_t TERRAIN_ROUGH = 0x20;
constexpr std::uint8_t TERRAIN_ROAD = 0x40;
constexpr int FIRST_BAND_LOW = 4, FIRST_BAND_HIGH = 15;
constexpr int SECOND_BAND_LOW = 16, SECOND_BAND_HIGH = 23;

// A distance word: the cost in the low 29 bits (0: no route yet), the
// direction of the last step in the top 3.
constexpr std::uint32_t COST_MASK = 0x1FFFFFFF;
constexpr int DIRECTION_SHIFT = 29;
// What a read outside the grid gives.
constexpr std::uint32_t OUTSIDE_COST = 0x1FFFFFFF;

// Directions: 0 east, 1 south-east, 2 south, 3 south-west, 4 west,
// 5 north-west, 6 north, 7 north-east; y grows downwards.
constexpr int DIRECTION_DX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int DIRECTION_DY[8] = {0, 1, 1, 1, 0, -1, -1, -1};

// The queue's first size; it grows when full.
constexpr std::size_t QUEUE_START_SLOTS = 160000;
// A route visits each cell at most once, so the path store holds the
// longest there can be.
constexpr std::uint32_t PATH_STORE_STEPS = TERRAIN_CELLS;

// The last path found: entry path_len is the first step, entry 1 the last
// (entry 0 is unused).
extern std::uint32_t path_len;
extern std::vector<std::uint8_t> path_dirs;

// Allocates the distance map, the queue (slots: its first size) and the path
// store once; false when the memory is missing. The terrain is the picture's
// bytes, row y (from the top) at cells + y * stride; it must outlive the
// searches.
bool Init_Path_Search(std::size_t queue_slots = QUEUE_START_SLOTS);
void Set_Terrain(const std::uint8_t* cells, int stride);
// Frees the arrays and forgets the terrain and the path.
void Reset_Path_Search();

// The terrain byte of a cell; 0 outside the grid or without a terrain.
std::uint8_t Terrain_At(int x, int y);

// The cost of the step from cell (x1, y1) to its neighbour (x2, y2); 0 when
// it is impassable.
int Step_Cost(int x1, int y1, int x2, int y2);
// 1 when the target was reached (the path is stored), 0 when not.
int Find_Path(int x1, int y1, int x2, int y2);

// The search's helpers.
void Queue_Push(int x, int y);
void Queue_Pop(int& x, int& y);
bool Queue_Empty();
void Set_Cell_Dist(int x, int y, std::uint32_t cost, int direction);
std::uint32_t Get_Cell_Dist(int x, int y);
int Get_Cell_Dir(int x, int y);
void Relax_Step(int x1, int y1, int x2, int y2);

// The queue's slots now (it grows only when full).
std::size_t Queue_Slots();
// The cost the last search stored for its target. The route's own steps may
// add up to less: the search ends when the target is first taken from the
// queue, and cells on the route may have been improved after the target was
// reached through them.
std::uint32_t Found_Cost();
// The stored path's step costs added up, walking it from cell (x, y).
std::uint32_t Route_Cost(int x, int y);
