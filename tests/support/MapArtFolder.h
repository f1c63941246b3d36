// A working folder with the default artwork a map needs: the palette files,
// the title picture (black), every map picture (floors, walls, doors, hills
// ...), the system and panel sprites, the item pictures, the character
// bodies and the portraits, and what the start-up reads besides: the two
// font files, the two cursor files and the hexamap screen's pages; and the
// character page with its sprites; written by the artwork generator's file
// writers. Making it takes a while, so each test program writes it once into
// a folder beside itself and the later runs reuse it.
#pragma once
#include <filesystem>
#include <functional>
#include <string>

namespace fixture {

// The folder, written when it is missing or older than the test program.
// Extra pictures for tests: ARTWORK\TESTFLR0 .. TESTFLR3, level floors of
// one plain colour each (indexes test_floor_colours) in the floor shape.
std::filesystem::path Map_Art_Folder();

// A folder beside the test program (its name + suffix) that write fills,
// written again when it is missing or older than the program or version.
std::filesystem::path Cached_Folder(const std::string& suffix, const char* version,
                                    const std::function<bool(const std::filesystem::path&)>& write);

constexpr int TEST_FLOOR_COUNT = 4;
extern const int test_floor_colours[TEST_FLOOR_COUNT];

}  // namespace fixture
