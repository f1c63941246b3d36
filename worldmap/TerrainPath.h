// The terrain path search of the world map: the cost of a step between
// neighbouring cells of the 400 x 400 terrain grid (one byte per cell of
// 2 x 2 map pixels), and a first-in first-out label-correcting search over
// the eight neighbours that leaves the path for the walk and the path dots.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int terrain_width = 400;
constexpr int terrain_height = 400;
constexpr int terrain_cells = terrain_width * terrain_height;

// A terrain byte: the class (bits 0-4) with its two bands, rough and road.
constexpr std::uint8_t terrain_class_mask = 0x1F;
constexpr std::uint8_t terrain_rough = 0x20;
constexpr std::uint8_t terrain_road = 0x40;
constexpr int first_band_low = 4, first_band_high = 15;
constexpr int second_band_low = 16, second_band_high = 23;

// A distance word: the cost in the low 29 bits (0: no route yet), the
// direction of the last step in the top 3.
constexpr std::uint32_t cost_mask = 0x1FFFFFFF;
constexpr int direction_shift = 29;
// What a read outside the grid gives.
constexpr std::uint32_t outside_cost = 0x1FFFFFFF;

// Directions: 0 east, 1 south-east, 2 south, 3 south-west, 4 west,
// 5 north-west, 6 north, 7 north-east; y grows downwards.
constexpr int direction_dx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int direction_dy[8] = {0, 1, 1, 1, 0, -1, -1, -1};

// The queue's first size; it grows when full.
constexpr std::size_t queue_start_slots = 160000;
// A route visits each cell at most once, so the path store holds the
// longest there can be.
constexpr std::uint32_t path_store_steps = terrain_cells;

// The last path found: entry path_len is the first step, entry 1 the last
// (entry 0 is unused).
extern std::uint32_t path_len;
extern std::vector<std::uint8_t> path_dirs;

// Allocates the distance map, the queue (slots: its first size) and the path
// store once; false when the memory is missing. The terrain is the picture's
// bytes, row y (from the top) at cells + y * stride; it must outlive the
// searches.
bool Init_Path_Search(std::size_t queue_slots = queue_start_slots);
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
