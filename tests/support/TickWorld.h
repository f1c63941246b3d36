// Fixtures for the character tick, the AI and the monster programs: an act
// world with a clean AI and tick state, programs given to characters, the
// main tick as the game runs it, an audit of every record after play, and
// a snapshot of the world's state to compare two runs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Objects/ObjRef.h"

namespace fixture {

// Reset_Act_World: the world's own reset leaves no held act paths, no act
// being carried out, the tick cursor and decision budget at 0 and no
// leading field.
void Reset_Tick_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels = 1);

// Gives character c a modifier of kind with the parameters; returns it.
std::uint16_t Give_Program(std::uint16_t c, std::uint32_t kind, std::uint16_t p1 = 0, std::uint16_t p2 = 0,
                           std::uint16_t p3 = 0, std::uint16_t p4 = 0);

// One main tick of play: the characters, the animations and, outside turn
// mode, the clock with its due timers.
void Main_Tick();

// The act kinds and priorities of slot's list, in list order, as
// "kind:priority" words.
std::string Act_List(std::uint16_t slot);

// What is wrong with the records of the world: field lists, positions,
// states, AI slots and act lists, the act pool, paths, items, the grid of
// thinking objects. Empty when every record is valid.
std::vector<std::string> World_Problems();

// The state of the world in bytes (records, lists, relations, clock),
// without run-time handles, to compare two runs.
std::string World_Snapshot();

}  // namespace fixture
