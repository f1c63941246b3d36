// Fixtures for the path search and the floods: a world with its work
// arrays, AI slots and relations, hand-drawn maps, and a reference search
// (Dijkstra over a binary heap) asking the same entry costs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Objects/ObjRef.h"

namespace fixture {

constexpr std::uint8_t WALL_SLOT = 200;  // a fixitem type that cannot be entered

// Reset_World, then the path work arrays; slot WALL_SLOT is an impassable
// wall type.
void Reset_Path_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels = 1);

// Draws level 0 from rows of characters, row y = rows[y], column x = rows[y][x]:
// '.' plain ground, '#' a wall fixitem, '0'..'9' a fixitem adding that cost.
void Draw_Level(const std::vector<std::string>& rows, std::uint32_t level = 0);

// A character placed on field with an AI slot; facing 1.
std::uint16_t Place_Thinking_Char(std::uint16_t field, const std::string& name = "Hero", std::uint8_t lobby = 0);
// Sets what slot a thinks of slot b.
void Set_Relation(std::uint16_t a, std::uint16_t b, std::int8_t value);
// Makes the character at enemy hostile toward the character at victim.
void Make_Hostile(std::uint16_t enemy, std::uint16_t victim);

// The arrows (map animations of the arrow type) on field, by frame.
std::vector<int> Arrow_Frames(std::uint16_t field);

// The fields of the last found path from its first step to its end
// (pathdirs walked backwards), and whether each step is a hexagon step or
// goes through a transporter field next to the parent.
std::vector<std::uint16_t> Found_Path_Fields();
bool Found_Path_Is_Connected(std::uint16_t start);

struct ReferencePath {
    bool found = false;
    std::int32_t cost = 0;
};

// The cheapest cost from the character's start to dest as the search sees
// it: the same danger map, the same entry costs (facing set to each step's
// direction, capped at 127), transporters followed, costs above 2047 out of
// reach, and for a destination that cannot be entered the cheapest
// neighbour from which it was touched. Buffers are kept between calls.
ReferencePath Reference_Path(std::uint16_t character, std::uint16_t dest, bool ignore_danger);

}  // namespace fixture
