// A working folder with the default artwork a map needs: the palette files,
// the title picture, every map picture (floors, walls, doors, hills ...),
// the system and panel sprites, the item pictures, the character bodies and
// the portraits, written with the game's file writers from the artwork
// generator. Making it takes a while, so each test program writes it once
// into a folder beside itself and the later runs reuse it.
#pragma once
#include <filesystem>

namespace fixture {

// The folder, written when it is missing or older than the test program.
// Extra pictures for tests: ARTWORK\TESTFLR0 .. TESTFLR3, level floors of
// one plain colour each (indexes test_floor_colours) in the floor shape.
std::filesystem::path Map_Art_Folder();

constexpr int test_floor_count = 4;
extern const int test_floor_colours[test_floor_count];

}  // namespace fixture
